// The OpenGL panel: a panel whose window carries an OpenGL rendering context, with text, texture,
// capture, printing and off-screen rendering services for the code that draws in it.
#pragma once

#include <windows.h>

#include <GL/gl.h>

#include <memory>

#include "OpenGLFonts.h"
#include "OpenGLFormats.h"
#include "OpenGLOutput.h"
#include "OpenGLTextures.h"
#include "cl_extctrls.h"

enum class TOpenGLSwapBuffers { Auto, Manual };

// The panel chooses its pixel format from the published properties when its window is created
// and takes the window's own DC for good. Its context is current only while the panel runs the
// user's OnInit, OnPaint and OnResize handlers (with Manual swapping, OnPaint calls
// SwapBuffers). Nothing here raises: a failing system call sets ErrorText to the call's name
// and the system's text and fires OnError.
class TOpenGLPanel : public TCustomPanel {
    CL_COMPONENT_CLASS(TOpenGLPanel, TCustomPanel)

    explicit TOpenGLPanel(TComponent* owner);

    // Pixel format, read at the next window creation.
    TPFDPixelTypes PixelType() const { return pixelType_; }
    void SetPixelType(TPFDPixelTypes value);
    const TPFDFlagSet& PFDFlags() const { return pfdFlags_; }
    // Keeps exactly one of f_PFD_SUPPORT_GDI and f_PFD_DOUBLEBUFFER (see ReconcilePFDFlags).
    void SetPFDFlags(const TPFDFlagSet& value);
    uint8_t cColorBits() const { return colorBits_; }
    void SetcColorBits(uint8_t value) { colorBits_ = value; }
    uint8_t cDepthBits() const { return depthBits_; }
    void SetcDepthBits(uint8_t value) { depthBits_ = value; }
    uint8_t cAccBits() const { return accBits_; }
    void SetcAccBits(uint8_t value) { accBits_ = value; }
    TOpenGLSwapBuffers GLSwapBuffers() const { return swapBuffers_; }
    void SetGLSwapBuffers(TOpenGLSwapBuffers value) { swapBuffers_ = value; }
    TOpenGLPrintScale PrintScale() const { return printScale_; }
    void SetPrintScale(TOpenGLPrintScale value) { printScale_ = value; }
    int PixelsPerInch() const { return pixelsPerInch_; }
    void SetPixelsPerInch(int value) { pixelsPerInch_ = value; }

    // The window's fonts, built before OnInit when enabled.
    bool Font3D_Enabled() const { return font3DEnabled_; }
    void SetFont3D_Enabled(bool value) { font3DEnabled_ = value; }
    TFont* Font3D_Type() const { return font3DType_.get(); }
    void SetFont3D_Type(TFont* value) { font3DType_->Assign(value); }
    int Font3D_FirstGylph() const { return font3DFirst_; }
    void SetFont3D_FirstGylph(int value) { font3DFirst_ = value; }
    int Font3D_NumGylph() const { return font3DCount_; }
    void SetFont3D_NumGylph(int value) { font3DCount_ = value; }
    float Font3D_MaxDeviation() const { return font3DDeviation_; }
    void SetFont3D_MaxDeviation(float value) { font3DDeviation_ = value; }
    float Font3D_Extrustion() const { return font3DExtrusion_; }
    void SetFont3D_Extrustion(float value) { font3DExtrusion_ = value; }
    TFont3DFormat Font3D_Format() const { return font3DFormat_; }
    void SetFont3D_Format(TFont3DFormat value);
    bool Font2D_Enabled() const { return font2DEnabled_; }
    void SetFont2D_Enabled(bool value) { font2DEnabled_ = value; }
    TFont* Font2D_Type() const { return font2DType_.get(); }
    void SetFont2D_Type(TFont* value) { font2DType_->Assign(value); }
    int Font2D_FirstGylph() const { return font2DFirst_; }
    void SetFont2D_FirstGylph(int value) { font2DFirst_ = value; }
    int Font2D_NumGylph() const { return font2DCount_; }
    void SetFont2D_NumGylph(int value) { font2DCount_ = value; }

    bool Fps_Enabled() const { return fpsEnabled_; }
    void SetFps_Enabled(bool value) { fpsEnabled_ = value; }
    // Window styles, applied to an existing window at once: client edge, caption as a tool
    // window, sizing frame. Without AllowMoving a drag of the captioned panel ends at once.
    bool Border() const { return border_; }
    void SetBorder(bool value);
    bool ToolWindow() const { return toolWindow_; }
    void SetToolWindow(bool value);
    bool AllowResize() const { return allowResize_; }
    void SetAllowResize(bool value);
    bool AllowMoving() const { return allowMoving_; }
    void SetAllowMoving(bool value) { allowMoving_ = value; }

    // Run-time state.
    HDC DeviceContext() const { return deviceContext_; }
    HGLRC RenderContext() const { return renderContext_; }
    HPALETTE GLPalette() const { return glPalette_; }
    int PixelTypeCode() const { return pixelTypeCode_; }
    bool SwapCapable() const { return swapCapable_; }
    DWORD RequestedFlags() const { return requestedFlags_; }
    int FontFormatCode() const { return fontFormatCode_; }
    OpenGLFont3D* WindowFont3D() const { return windowFont3D_.get(); }
    OpenGLFont2D* WindowFont2D() const { return windowFont2D_.get(); }
    OpenGLFont3D* DIBFont3D() const { return dibFont3D_.get(); }
    OpenGLFont2D* DIBFont2D() const { return dibFont2D_.get(); }
    const AnsiString& ErrorText() const { return errorText_; }
    // Of the last paint with Fps_Enabled: the inverse of its duration.
    int FramesPerSecond() const { return framesPerSecond_; }
    const PIXELFORMATDESCRIPTOR& ActualFormat() const { return actualFormat_; }
    DWORD SelectPaletteError() const { return selectPaletteError_; }
    DWORD MakeCurrentError() const { return makeCurrentError_; }
    DWORD ChoosePixelFormatError() const { return choosePixelFormatError_; }
    DWORD SetPixelFormatError() const { return setPixelFormatError_; }
    DWORD CreateContextError() const { return createContextError_; }
    bool PaletteDeleteFailed() const { return paletteDeleteFailed_; }

    // Context.
    bool MakeOpenGLPanelCurrent();
    void MakeOpenGLPanelNotCurrent();
    // Shows the back buffer (double-buffered formats only) and fires OnBufferSwap.
    void SwapBuffers();
    bool PanelShareLists(TOpenGLPanel* other);
    void Error();

    // Text: the window's fonts rebuilt from the font properties, in the current context.
    void Create3DFont();
    void Create2DFont();
    // Drawn and measured with the window's fonts, or the off-screen ones while PaintingToDIB.
    void Draw3DText(const AnsiString& text);
    void Draw2DText(const AnsiString& text);
    void Get3DTextSize(const AnsiString& text, OpenGLTextSize* size);

    // Textures: a new image the caller owns, or none when the source cannot be read.
    static std::unique_ptr<BMPTexture> LoadBMPTexture(const AnsiString& fileName, bool alpha);
    // A bitmap resource of the program's own module.
    static std::unique_ptr<BMPTexture> LoadBMPTextureRes(int resourceId, bool alpha);
    static std::unique_ptr<BMPTexture> LoadBMPTextureWAD(const AnsiString& fileName,
                                                         const AnsiString& name);
    // A TTargaStatus; `pixels` is filled only on tgaLoaded, width and height when given.
    static int LoadTGA(const AnsiString& fileName, std::vector<uint8_t>& pixels, int* width,
                       int* height, int& bitsPerPixel);

    // The panel's picture: copied into a bitmap of the panel's size (drawn by OnPaint and read
    // from the context, or copied from the window without either), saved as a bitmap file,
    // printed on the printer at PrintScale; the last two bring the panel to the front and
    // paint it first, and report a file or printer failure through OnError.
    void Capture(TBitmap* bitmap);
    void SaveOpenGLPanelToFile(const AnsiString& fileName);
    void PrintOpenGLPanel();

    // Off-screen rendering into a 32-bit DIB section with a context of its own, made current
    // until CleanupPaintToDIB. Answers 0, or -1 no DIB section, -2 no memory DC, -3 no pixel
    // format, -4 no context. The height and the buffer are not used.
    int SetupPaintToDIB(int width, int height, void* buffer, int resolution);
    void CleanupPaintToDIB();
    void ReleaseDIBObjs();
    static bool SetDCPixelFormat(HDC dc, DWORD flags);
    bool PaintingToDIB() const { return paintingToDIB_; }
    HDC DIBDC() const { return dibDC_; }
    HGLRC DIBRC() const { return dibRC_; }
    const BITMAPINFO& DIBInfo() const { return dibInfo_; }
    void* DIBPixels() const { return dibPixels_; }
    HBITMAP DIBSection() const { return dibSection_; }
    int PrintWidth() const { return printWidth_; }
    int PrintHeight() const { return printHeight_; }

    // Whether the current context's OpenGL lists the extension by this exact name.
    static bool QueryOpenGLExtention(const AnsiString& name);
    // The screen's bits per pixel, and a change of them for the session (true when done).
    static int GetDisplayBPP();
    static bool SetDisplayBPP(int bitsPerPixel);

    void Dispatch(TMessage& message) override;

    TNotifyEvent OnPreInit;
    TNotifyEvent OnInit;
    // These two hide the panel's inherited events of the same names: they fire with the
    // context current.
    TNotifyEvent OnPaint;
    TNotifyEvent OnResize;
    TNotifyEvent OnBufferSwap;
    TNotifyEvent OnError;

protected:
    ~TOpenGLPanel() override;
    void CreateParams(TCreateParams& params) override;
    void Paint() override;
    void Resize() override;

private:
    void HandleCreate();
    void HandleDestroy();
    void HandleEraseBackground(TMessage& message);
    void HandlePaletteChange(TMessage& message);
    bool CreateGLContext();
    bool ChooseAndSetFormat(const PIXELFORMATDESCRIPTOR& wanted);
    bool ConstructPalette(const PIXELFORMATDESCRIPTOR& format);
    bool CreateRenderContext();
    DWORD MakeCurrent();
    void DoOnInit();
    void DestroyGLContext();
    void PaintWithContext();
    void ReportSystemError(const char* prefix, DWORD code);
    void ReportError(const AnsiString& text);
    void ChangeStyle(int index, DWORD bits, bool on);
    void RecomputeFrame();
    bool RenderIntoBitmap(TBitmap* bitmap);
    void CopyPanelPicture(TBitmap* bitmap);
    void PrintPicture(TBitmap* bitmap);
    int CreateDIBTarget();
    OpenGLFont3D* CurrentFont3D() const;
    OpenGLFont2D* CurrentFont2D() const;

    TPFDPixelTypes pixelType_ = f_PFD_TYPE_RGBA;
    TPFDFlagSet pfdFlags_{f_PFD_DRAW_TO_WINDOW, f_PFD_SUPPORT_OPENGL, f_PFD_DOUBLEBUFFER};
    uint8_t colorBits_ = 32;
    uint8_t depthBits_ = 32;
    uint8_t accBits_ = 0;
    TOpenGLSwapBuffers swapBuffers_ = TOpenGLSwapBuffers::Auto;
    TOpenGLPrintScale printScale_ = pglProportional;
    int pixelsPerInch_ = 96;
    bool font3DEnabled_ = false;
    TOwnedPtr<TFont> font3DType_;
    int font3DFirst_ = 32;
    int font3DCount_ = 96;
    float font3DDeviation_ = 1.0f;
    float font3DExtrusion_ = 0.1f;
    TFont3DFormat font3DFormat_ = f_WGL_FONT_POLYGONS;
    bool font2DEnabled_ = false;
    TOwnedPtr<TFont> font2DType_;
    int font2DFirst_ = 32;
    int font2DCount_ = 96;
    bool fpsEnabled_ = false;
    bool border_ = false;
    bool toolWindow_ = false;
    bool allowResize_ = false;
    bool allowMoving_ = false;

    HDC deviceContext_ = nullptr;
    HGLRC renderContext_ = nullptr;
    HPALETTE glPalette_ = nullptr;
    int pixelTypeCode_ = 0;
    bool swapCapable_ = false;
    DWORD requestedFlags_ = 0;
    int fontFormatCode_ = 1;
    std::unique_ptr<OpenGLFont3D> windowFont3D_;
    std::unique_ptr<OpenGLFont3D> dibFont3D_;
    std::unique_ptr<OpenGLFont2D> windowFont2D_;
    std::unique_ptr<OpenGLFont2D> dibFont2D_;
    char messageBuffer_[256] = {};
    LARGE_INTEGER counterFrequency_{};
    bool windowReady_ = false;
    AnsiString errorText_;
    int framesPerSecond_ = 0;
    PIXELFORMATDESCRIPTOR actualFormat_{};
    DWORD selectPaletteError_ = 0;
    DWORD makeCurrentError_ = 0;
    DWORD choosePixelFormatError_ = 0;
    DWORD setPixelFormatError_ = 0;
    DWORD createContextError_ = 0;
    bool paletteDeleteFailed_ = false;

    bool paintingToDIB_ = false;
    HDC savedDC_ = nullptr;
    HGLRC savedRC_ = nullptr;
    HDC dibDC_ = nullptr;
    HGLRC dibRC_ = nullptr;
    BITMAPINFO dibInfo_{};
    void* dibPixels_ = nullptr;
    HBITMAP dibSection_ = nullptr;
    HGDIOBJ previousBitmap_ = nullptr;
    int printWidth_ = 0;
    int printHeight_ = 0;
};

// Makes the panel class known by name to the component streams.
void Register();
