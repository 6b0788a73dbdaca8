#include "gif_painter.h"

#include <mmsystem.h>

#include <algorithm>

#include "gif_dib.h"
#include "gif_extensions.h"

namespace {

TBitmap* NewBuffer(const TRect& rect, TColor brush, TCanvas* copyFrom)
{
    auto* bitmap = new TBitmap;
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(rect.Right - rect.Left, rect.Bottom - rect.Top);
    bitmap->Canvas()->Brush()->SetColor(brush);
    bitmap->Canvas()->Brush()->SetStyle(bsSolid);
    if (copyFrom)
        bitmap->Canvas()->CopyRect(::Rect(0, 0, bitmap->Width(), bitmap->Height()), copyFrom, rect);
    return bitmap;
}

bool IsPlainDisposal(TDisposalMethod disposal)
{
    return disposal != dmBackground && disposal != dmPrevious;
}

}  // namespace

TGIFPainter::TGIFPainter(TGIFImage* image, TCanvas* canvas, const TRect& rect, TGIFDrawOptions options)
    : TGIFPainter(nullptr, image, canvas, rect, options)
{
}

TGIFPainter::TGIFPainter(TGIFPainter** ownerSlot, TGIFImage* image, TCanvas* canvas, const TRect& rect,
                         TGIFDrawOptions options)
    : TThread(true), Image(image), TargetCanvas(canvas), DestRect(rect), DrawOptions(options),
      Speed(image->AnimationSpeed()), OwnerSlot(ownerSlot)
{
    if (ownerSlot)
        *ownerSlot = this;
    if (Async())
        WakeEvent = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (image->DrawBackgroundColor != clNone)
        BackgroundColor = ColorToRGB(image->DrawBackgroundColor);
    else if (image->GetColorMap()->Count() > 0)
        BackgroundColor = image->GetBackgroundColor();
    else
        BackgroundColor = ColorToRGB(clWindow);
    bool background = HasOption(options, goClearOnLoop), previous = false;
    for (int i = 0; i < image->FrameCount(); ++i) {
        if (TGIFGraphicControlExtension* control = image->Frame(i)->GraphicControlExtension()) {
            background = background || control->Disposal() == dmBackground;
            previous = previous || control->Disposal() == dmPrevious;
        }
    }
    if (background && HasOption(options, goTransparent))
        BackgroundSnapshot = NewBuffer(rect, BackgroundColor, canvas);
    if (background || previous) {
        ComposeBuffer = NewBuffer(rect, BackgroundColor, canvas);
        SaveBuffer = NewBuffer(rect, BackgroundColor, nullptr);
    }
}

TGIFPainter::~TGIFPainter()
{
    FreeAndNil(ComposeBuffer);
    FreeAndNil(SaveBuffer);
    FreeAndNil(BackgroundSnapshot);
    if (WakeEvent)
        CloseHandle(WakeEvent);
}

void TGIFPainter::Start()
{
    if (Async() && Suspended())
        TThread::Resume();
}

void TGIFPainter::Stop()
{
    Terminate();
    if (!Async())
        return;
    Paused = false;
    if (WakeEvent)
        SetEvent(WakeEvent);
    SetPriority(tpNormal);
}

void TGIFPainter::Restart()
{
    RestartRequested = true;
    if (WakeEvent)
        SetEvent(WakeEvent);
}

void TGIFPainter::Pause()
{
    Paused = true;
}

void TGIFPainter::Resume()
{
    Paused = false;
    if (WakeEvent)
        SetEvent(WakeEvent);
    Start();
}

void TGIFPainter::SetAnimationSpeed(int speed)
{
    speed = std::clamp(speed, 0, 1000);
    if (speed == Speed)
        return;
    Speed = speed;
    if (WakeEvent)
        SetEvent(WakeEvent);
    else
        RestartRequested = true;
}

void TGIFPainter::SetActiveImage(int index)
{
    if (Image && index >= 0 && index < Image->FrameCount())
        Active = index;
}

void TGIFPainter::Execute()
{
    if (EndedFlag)
        return;
    try {
        Play();
    } catch (...) {
        PendingError = std::current_exception();
        Terminate();
    }
}

void TGIFPainter::DoTerminate()
{
    Synchronize([this] { CleanUp(); });
}

void TGIFPainter::RunHere()
{
    try {
        Play();
    } catch (...) {
        PendingError = std::current_exception();
        Terminate();
    }
    EndedFlag = true;
    if (Image) {
        Image->Painters()->Remove(this);
        if (OwnerSlot && *OwnerSlot == this)
            *OwnerSlot = nullptr;
        Image = nullptr;
    }
    const std::exception_ptr error = PendingError;
    Free();
    if (error)
        std::rethrow_exception(error);
}

void TGIFPainter::CleanUp()
{
    if (EndedFlag)
        return;
    EndedFlag = true;
    TGIFImage* image = Image;
    if (!image)
        return;
    image->Painters()->LockList();
    if (OwnerSlot && *OwnerSlot == this)
        *OwnerSlot = nullptr;
    image->Painters()->UnlockList();
    Image = nullptr;
    image->PainterEnded(this);
}

void TGIFPainter::OnMain(const std::function<void()>& call)
{
    if (Terminated())
        return;
    if (Async())
        Synchronize([&] {
            if (!Terminated() && Image)
                call();
        });
    else
        call();
}

void TGIFPainter::CallHandler(const TNotifyEvent& handler)
{
    if (handler)
        OnMain([&] { handler(this); });
}

void TGIFPainter::WaitWhilePaused()
{
    while (Paused && !Terminated())
        WaitForSingleObject(WakeEvent ? WakeEvent : GetCurrentThread(), 100);
}

void TGIFPainter::Play()
{
    if (HasOption(DrawOptions, goValidateCanvas))
        OnMain([this] { CanvasHandle = TargetCanvas->Handle(); });
    RestartRequested = true;
    while (RestartRequested && !Terminated())
        PlayPass();
    Active = -1;
    CallHandler(OnPaintEnd);
}

void TGIFPainter::PlayPass()
{
    Active = 0;
    CallHandler(OnPaintBegin);
    HasPainted = false;
    RestartRequested = false;
    int loopsLeft = 1;
    int loopStart = 0;
    bool loopMet = false;
    int delay = Async() ? 0 : 1;
    PreviousDisposal = dmNoDisposal;
    DWORD lastTime = timeGetTime();
    int waitUsed = 0;
    const bool forever = HasOption(DrawOptions, goLoopContinously);
    while ((loopsLeft != 0 || forever) && !Stopped()) {
        Active = loopStart;
        if (HasPainted)
            CallHandler(OnLoopRestart);
        while (!Stopped()) {
            TGIFImage* image = Image;
            if (!image || Active >= image->FrameCount())
                break;
            TGIFSubImage* frame = image->Frame(Active);
            if (frame->Empty())
                break;
            WaitWhilePaused();
            if (!WaitDelay(delay, lastTime, waitUsed) || Terminated())
                break;
            CallHandler(OnFramePaint);
            if (Terminated())
                break;
            CurrentDisposal = dmNoDisposal;
            TGIFExtensionList* extensions = frame->Extensions();
            int frameDelay = 0;
            for (int i = 0; i < extensions->GetCount(); ++i) {
                TGIFExtension* extension = extensions->GetExtension(i);
                if (auto* loop = dynamic_cast<TGIFAppExtNSLoop*>(extension)) {
                    if (!loopMet) {
                        loopMet = true;
                        loopsLeft = loop->LoopCount;
                        if ((loopsLeft == 0 || forever) && Async())
                            loopsLeft = -1;
                        loopStart = Active;
                    }
                } else if (auto* control = dynamic_cast<TGIFGraphicControlExtension*>(extension)) {
                    CurrentDisposal = control->Disposal();
                    frameDelay = control->Delay();
                }
            }
            ShowFrame(frame);
            HasPainted = true;
            PreviousDisposal = CurrentDisposal;
            if (Terminated())
                break;
            delay = GIFDefaultDelay;
            if (frame->GraphicControlExtension() && frameDelay > 0) {
                delay = std::max(frameDelay, GIFMinimumDelay);
                if (!Async())
                    delay = std::min(delay, GIFMaximumDelay);
            }
            const int shown = Active;
            CallHandler(OnFramePainted);
            if (Terminated())
                break;
            if (Active == shown)
                ++Active;
            if (!HasOption(DrawOptions, goAnimate))
                break;
        }
        if (loopsLeft > 0)
            --loopsLeft;
        if (!HasOption(DrawOptions, goAnimate) || !HasOption(DrawOptions, goLoop))
            break;
    }
}

bool TGIFPainter::WaitDelay(int delay, DWORD& lastTime, int& waitUsed)
{
    if (delay <= 0) {
        Sleep(0);
        return true;
    }
    if (Image && Active < Image->FrameCount())
        Image->Frame(Active)->GetBitmap();
    const DWORD now = timeGetTime();
    int wait;
    if (Speed > 0) {
        const int overrun = static_cast<int>(now - lastTime) - waitUsed;
        wait = MulDiv(delay * GIFDelayExp - overrun / 2, 100, Speed);
        waitUsed = wait;
    } else {
        wait = Async() ? -1 : GIFMaximumDelay * GIFDelayExp;
    }
    lastTime = now;
    if (Async()) {
        if ((wait > 0 || Speed == 0) && WakeEvent &&
            WaitForSingleObject(WakeEvent, wait < 0 ? INFINITE : static_cast<DWORD>(wait)) == WAIT_OBJECT_0) {
            waitUsed = 0;
            lastTime = timeGetTime();
        }
        return true;
    }
    if (wait <= 0)
        wait = 1;
    while (wait > 0 && !Stopped()) {
        const DWORD before = timeGetTime();
        Sleep(static_cast<DWORD>(std::min(wait, 100)));
        wait -= static_cast<int>(timeGetTime() - before);
        MSG message;
        while (!Stopped() && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(message.wParam));
                Terminate();
                break;
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    return true;
}

void TGIFPainter::ShowFrame(TGIFSubImage* frame)
{
    if (ComposeBuffer)
        OnMain([&] { ShowBuffered(frame); });
    else
        OnMain([&] {
            frame->Draw(TargetCanvas, DestRect, HasOption(DrawOptions, goTransparent),
                        HasOption(DrawOptions, goTile));
        });
}

void TGIFPainter::ClearFrameArea(TGIFSubImage* frame)
{
    const TRect whole = ::Rect(0, 0, ComposeBuffer->Width(), ComposeBuffer->Height());
    auto clear = [&](const TRect& area) {
        if (HasOption(DrawOptions, goTransparent) && BackgroundSnapshot)
            ComposeBuffer->Canvas()->CopyRect(area, BackgroundSnapshot->Canvas(), area);
        else
            ComposeBuffer->Canvas()->FillRect(area);
    };
    if (!HasOption(DrawOptions, goTile)) {
        clear(frame->ScaleRect(whole));
        return;
    }
    const int stepX = std::max(1, Image->Width()), stepY = std::max(1, Image->Height());
    for (int y = frame->Top(); y < whole.Bottom; y += stepY)
        for (int x = frame->Left(); x < whole.Right; x += stepX)
            clear(::Rect(x, y, x + frame->Width(), y + frame->Height()));
}

void TGIFPainter::ShowBuffered(TGIFSubImage* frame)
{
    if (HasOption(DrawOptions, goValidateCanvas) && CanvasHandle && GetObjectType(CanvasHandle) == 0) {
        Terminate();
        return;
    }
    const bool clearFirst = HasOption(DrawOptions, goClearOnLoop) && Active == 0;
    const bool transparent = HasOption(DrawOptions, goTransparent);
    const bool tile = HasOption(DrawOptions, goTile);
    const TRect whole = ::Rect(0, 0, ComposeBuffer->Width(), ComposeBuffer->Height());
    TBitmap* shown = ComposeBuffer;
    bool onCanvas = false;
    if (CurrentDisposal == dmPrevious) {
        if (IsPlainDisposal(PreviousDisposal)) {
            onCanvas = true;
        } else {
            SaveBuffer->Canvas()->CopyRect(whole, ComposeBuffer->Canvas(), whole);
            shown = SaveBuffer;
        }
    }
    if (clearFirst)
        ClearFrameArea(frame);
    TCanvas* target = onCanvas ? TargetCanvas : shown->Canvas();
    HPALETTE palette = frame->GetPalette();
    if (!palette)
        palette = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
    HDC dc = target->Handle();
    HPALETTE oldPalette = SelectPalette(dc, palette, FALSE);
    RealizePalette(dc);
    frame->Draw(target, onCanvas ? DestRect : whole, transparent, tile);
    SelectPalette(dc, oldPalette, FALSE);
    if (!onCanvas) {
        const DWORD mode = TargetCanvas->CopyMode();
        TargetCanvas->SetCopyMode(SRCCOPY);
        TargetCanvas->CopyRect(DestRect, shown->Canvas(), whole);
        TargetCanvas->SetCopyMode(mode);
    }
    if (CurrentDisposal == dmBackground)
        ClearFrameArea(frame);
    HasPainted = true;
}
