// The animation painter: plays a GIF image's frames on a canvas with their delays and
// disposal, in a thread of its own (drawing on the main thread) or in the caller's thread.
#pragma once

#include <windows.h>

#include <atomic>

#include "cl_graphics.h"
#include "cl_threads.h"
#include "gif_image.h"

class TGIFPainter : public TThread {
    CL_CLASS(TGIFPainter, TThread)

    TGIFPainter(TGIFImage* image, TCanvas* canvas, const TRect& rect, TGIFDrawOptions options);
    TGIFPainter(TGIFPainter** ownerSlot, TGIFImage* image, TCanvas* canvas, const TRect& rect,
                TGIFDrawOptions options);

    void Start();
    void Stop();
    void Restart();
    void Pause();
    void Resume();
    void SetAnimationSpeed(int speed);
    int AnimationSpeed() const { return Speed; }
    int ActiveImage() const { return Active; }
    void SetActiveImage(int index);
    bool Async() const { return HasOption(DrawOptions, goAsync); }
    // Runs the loop in the caller's thread (synchronous painting), then cleans up.
    void RunHere();
    // Forgets the image: the painter ends without touching it again.
    void Detach() { Image = nullptr; }
    TCanvas* Canvas() const { return TargetCanvas; }
    const TRect& PaintRect() const { return DestRect; }
    bool Ended() const { return EndedFlag; }

    TNotifyEvent OnPaintBegin;
    TNotifyEvent OnFramePaint;
    TNotifyEvent OnFramePainted;
    TNotifyEvent OnLoopRestart;
    TNotifyEvent OnPaintEnd;
    std::exception_ptr PendingError;

protected:
    ~TGIFPainter() override;
    void Execute() override;
    void DoTerminate() override;

private:
    void Play();
    void PlayPass();
    bool WaitDelay(int delay, DWORD& lastTime, int& waitUsed);
    void OnMain(const std::function<void()>& call);
    void CallHandler(const TNotifyEvent& handler);
    void ShowFrame(TGIFSubImage* frame);
    void ShowBuffered(TGIFSubImage* frame);
    void ClearFrameArea(TGIFSubImage* frame);
    void CleanUp();
    bool Stopped() const { return Terminated() || RestartRequested; }
    void WaitWhilePaused();

    TGIFImage* Image;
    TCanvas* TargetCanvas;
    TRect DestRect;
    TGIFDrawOptions DrawOptions;
    std::atomic<int> Speed;
    std::atomic<int> Active{-1};
    TDisposalMethod CurrentDisposal = dmNone;
    TDisposalMethod PreviousDisposal = dmNone;
    TBitmap* ComposeBuffer = nullptr;
    TBitmap* SaveBuffer = nullptr;
    TBitmap* BackgroundSnapshot = nullptr;
    TColor BackgroundColor = clWhite;
    HDC CanvasHandle = nullptr;
    std::atomic<bool> RestartRequested{false};
    std::atomic<bool> Paused{false};
    std::atomic<bool> EndedFlag{false};
    bool HasPainted = false;
    TGIFPainter** OwnerSlot = nullptr;
    HANDLE WakeEvent = nullptr;
};
