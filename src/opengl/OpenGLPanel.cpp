#include "OpenGLPanel.h"

#include <algorithm>
#include <cstring>

#include "OpenGLContext.h"
#include "cl_bitmaps.h"
#include "cl_dialogs.h"
#include "cl_fpu.h"
#include "cl_printer.h"
#include "cl_streams.h"

namespace {

const bool openGLPanelPropertiesRegistered = [] {
    using C = TOpenGLPanel;
    const TMetaClass* meta = C::StaticClass();
    RegisterProperty(meta, EnumProperty<C>("PixelType", &C::PixelType, &C::SetPixelType,
                                           {"f_PFD_TYPE_RGBA", "f_PFD_TYPE_COLORINDEX"},
                                           f_PFD_TYPE_RGBA));
    TPropertyInfo flags =
        SetProperty<C, TPFDFlags>("PFDFlags", &C::PFDFlags, &C::SetPFDFlags, PFDFlagNames());
    flags.DefaultText = "f_PFD_DRAW_TO_WINDOW,f_PFD_SUPPORT_OPENGL,f_PFD_DOUBLEBUFFER";
    RegisterProperty(meta, flags);
    RegisterProperty(meta, OrdinalProperty<C>("cColorBits", pkInteger, &C::cColorBits,
                                              &C::SetcColorBits, 32));
    RegisterProperty(meta, OrdinalProperty<C>("cDepthBits", pkInteger, &C::cDepthBits,
                                              &C::SetcDepthBits, 32));
    RegisterProperty(meta,
                     OrdinalProperty<C>("cAccBits", pkInteger, &C::cAccBits, &C::SetcAccBits, 0));
    RegisterProperty(meta, EnumProperty<C>("GLSwapBuffers", &C::GLSwapBuffers,
                                           &C::SetGLSwapBuffers, {"Auto", "Manual"}, 0));
    RegisterProperty(meta, EnumProperty<C>("PrintScale", &C::PrintScale, &C::SetPrintScale,
                                           {"pglNone", "pglPrintToFit", "pglProportional"},
                                           pglProportional));
    RegisterProperty(meta, OrdinalProperty<C>("PixelsPerInch", pkInteger, &C::PixelsPerInch,
                                              &C::SetPixelsPerInch, 96));
    RegisterProperty(meta, OrdinalProperty<C>("Font3D_Enabled", pkBool, &C::Font3D_Enabled,
                                              &C::SetFont3D_Enabled, 0));
    RegisterProperty(meta, SubObjectProperty<C>("Font3D_Type", &C::Font3D_Type));
    RegisterProperty(meta, OrdinalProperty<C>("Font3D_FirstGylph", pkInteger,
                                              &C::Font3D_FirstGylph, &C::SetFont3D_FirstGylph,
                                              32));
    RegisterProperty(meta, OrdinalProperty<C>("Font3D_NumGylph", pkInteger, &C::Font3D_NumGylph,
                                              &C::SetFont3D_NumGylph, 96));
    RegisterProperty(meta, FloatProperty<C>("Font3D_MaxDeviation", &C::Font3D_MaxDeviation,
                                            &C::SetFont3D_MaxDeviation, 1.0));
    RegisterProperty(meta, FloatProperty<C>("Font3D_Extrustion", &C::Font3D_Extrustion,
                                            &C::SetFont3D_Extrustion, 0.1f));
    RegisterProperty(meta, EnumProperty<C>("Font3D_Format", &C::Font3D_Format,
                                           &C::SetFont3D_Format,
                                           {"f_WGL_FONT_LINES", "f_WGL_FONT_POLYGONS"},
                                           f_WGL_FONT_POLYGONS));
    RegisterProperty(meta, OrdinalProperty<C>("Font2D_Enabled", pkBool, &C::Font2D_Enabled,
                                              &C::SetFont2D_Enabled, 0));
    RegisterProperty(meta, SubObjectProperty<C>("Font2D_Type", &C::Font2D_Type));
    RegisterProperty(meta, OrdinalProperty<C>("Font2D_FirstGylph", pkInteger,
                                              &C::Font2D_FirstGylph, &C::SetFont2D_FirstGylph,
                                              32));
    RegisterProperty(meta, OrdinalProperty<C>("Font2D_NumGylph", pkInteger, &C::Font2D_NumGylph,
                                              &C::SetFont2D_NumGylph, 96));
    RegisterProperty(meta, OrdinalProperty<C>("Fps_Enabled", pkBool, &C::Fps_Enabled,
                                              &C::SetFps_Enabled, 0));
    RegisterProperty(meta, OrdinalProperty<C>("Border", pkBool, &C::Border, &C::SetBorder, 0));
    RegisterProperty(meta, OrdinalProperty<C>("ToolWindow", pkBool, &C::ToolWindow,
                                              &C::SetToolWindow, 0));
    RegisterProperty(meta, OrdinalProperty<C>("AllowResize", pkBool, &C::AllowResize,
                                              &C::SetAllowResize, 0));
    RegisterProperty(meta, OrdinalProperty<C>("AllowMoving", pkBool, &C::AllowMoving,
                                              &C::SetAllowMoving, 0));
    return true;
}();

void SetDefaultFont(TFont* font) {
    font->SetName("Arial");
    font->SetHeight(-9);
    font->SetCharset(0);
}

// Releases the calling thread's context when it is `rc`.
void ReleaseIfCurrent(HGLRC rc) {
    if (rc && wglGetCurrentContext() == rc) wglMakeCurrent(nullptr, nullptr);
}

std::vector<uint8_t> ReadWholeFile(const AnsiString& fileName) {
    TMemoryStream stream;
    stream.LoadFromFile(fileName);
    const auto* bytes = static_cast<const uint8_t*>(stream.Memory());
    return std::vector<uint8_t>(bytes, bytes + stream.Size());
}

}  // namespace

void Register() { RegisterClasses({TOpenGLPanel::StaticClass()}); }

TOpenGLPanel::TOpenGLPanel(TComponent* owner)
    : TCustomPanel(owner), font3DType_(new TFont), font2DType_(new TFont) {
    SetDefaultFont(font3DType_.get());
    SetDefaultFont(font2DType_.get());
    QueryPerformanceFrequency(&counterFrequency_);
}

TOpenGLPanel::~TOpenGLPanel() = default;

// ---------------------------------------------------------------------------------------------
// Properties

void TOpenGLPanel::SetPixelType(TPFDPixelTypes value) {
    pixelType_ = value;
    pixelTypeCode_ = value == f_PFD_TYPE_RGBA ? 0 : 1;
}

void TOpenGLPanel::SetPFDFlags(const TPFDFlagSet& value) {
    pfdFlags_ = ReconcilePFDFlags(pfdFlags_, value);
}

void TOpenGLPanel::SetFont3D_Format(TFont3DFormat value) {
    font3DFormat_ = value;
    fontFormatCode_ = value == f_WGL_FONT_LINES ? 0 : 1;
}

void TOpenGLPanel::SetBorder(bool value) {
    border_ = value;
    if (!windowReady_ || !WindowHandle()) return;
    ChangeStyle(GWL_EXSTYLE, WS_EX_CLIENTEDGE, value);
    RecomputeFrame();
}

void TOpenGLPanel::SetToolWindow(bool value) {
    toolWindow_ = value;
    if (!windowReady_ || !WindowHandle()) return;
    ChangeStyle(GWL_STYLE, WS_CAPTION, value);
    ChangeStyle(GWL_EXSTYLE, WS_EX_TOOLWINDOW, value);
    RecomputeFrame();
}

void TOpenGLPanel::SetAllowResize(bool value) {
    allowResize_ = value;
    if (!windowReady_ || !WindowHandle()) return;
    ChangeStyle(GWL_STYLE, WS_THICKFRAME, value);
    RecomputeFrame();
}

void TOpenGLPanel::ChangeStyle(int index, DWORD bits, bool on) {
    const DWORD style = static_cast<DWORD>(GetWindowLongA(WindowHandle(), index));
    SetWindowLongA(WindowHandle(), index, static_cast<LONG>(on ? style | bits : style & ~bits));
}

// The system computes the frame again at the next size change.
void TOpenGLPanel::RecomputeFrame() {
    SetWidth(Width() + 1);
    SetWidth(Width() - 1);
}

// ---------------------------------------------------------------------------------------------
// Window and context

void TOpenGLPanel::CreateParams(TCreateParams& params) {
    if (OnPreInit) OnPreInit(this);
    TCustomPanel::CreateParams(params);
    params.Style |= WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    params.WindowClass.style |= CS_OWNDC;
    windowReady_ = true;
}

void TOpenGLPanel::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_CREATE:
        return HandleCreate();
    case WM_DESTROY:
        return HandleDestroy();
    case WM_ERASEBKGND:
        return HandleEraseBackground(message);
    case WM_MOVING:
        if (!allowMoving_) ReleaseCapture();
        return;
    case WM_QUERYNEWPALETTE:
    case WM_PALETTECHANGED:
        return HandlePaletteChange(message);
    default:
        TCustomPanel::Dispatch(message);
    }
}

void TOpenGLPanel::HandleCreate() {
    TFPUControlGuard openGLCalls;
    if (CreateGLContext())
        DoOnInit();
    else
        ReportError("Open GL Context Create Failed");
}

bool TOpenGLPanel::CreateGLContext() {
    PIXELFORMATDESCRIPTOR wanted = WindowPixelFormat(
        static_cast<BYTE>(pixelTypeCode_), colorBits_, accBits_, depthBits_,
        PFDFlagsToSystem(pfdFlags_));
    deviceContext_ = GetDC(WindowHandle());
    if (!ChooseAndSetFormat(wanted) || !CreateRenderContext()) {
        ReleaseDC(WindowHandle(), deviceContext_);
        deviceContext_ = nullptr;
        return false;
    }
    return true;
}

bool TOpenGLPanel::ChooseAndSetFormat(const PIXELFORMATDESCRIPTOR& wanted) {
    const int format = ChoosePixelFormat(deviceContext_, &wanted);
    if (format == 0) {
        choosePixelFormatError_ = GetLastError();
        ReportSystemError("ChoosePixelFormat:", choosePixelFormatError_);
        return false;
    }
    if (!SetPixelFormat(deviceContext_, format, &wanted)) {
        setPixelFormatError_ = GetLastError();
        ReportSystemError("SetPixelFormat:", setPixelFormatError_);
        return false;
    }
    swapCapable_ = (wanted.dwFlags & PFD_DOUBLEBUFFER) != 0;
    requestedFlags_ = wanted.dwFlags;
    DescribePixelFormat(deviceContext_, format, sizeof(actualFormat_), &actualFormat_);
    glPalette_ = nullptr;
    return !(actualFormat_.dwFlags & PFD_NEED_PALETTE) || ConstructPalette(actualFormat_);
}

bool TOpenGLPanel::CreateRenderContext() {
    renderContext_ = wglCreateContext(deviceContext_);
    if (renderContext_) return true;
    createContextError_ = GetLastError();
    if (glPalette_) {
        SelectPalette(deviceContext_, static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)),
                      FALSE);
        paletteDeleteFailed_ = !DeleteObject(glPalette_);
        glPalette_ = nullptr;
    }
    return false;
}

bool TOpenGLPanel::ConstructPalette(const PIXELFORMATDESCRIPTOR& format) {
    std::vector<uint8_t> block;
    std::vector<PALETTEENTRY> entries;
    try {
        entries = FormatPaletteEntries(format);
        block.resize(sizeof(LOGPALETTE) + entries.size() * sizeof(PALETTEENTRY));
    } catch (const std::bad_alloc&) {
        ReportError("ConstructPalette: Malloc failure");
        return false;
    }
    if (entries.empty()) {
        ReportSystemError("CreatePalette:", ERROR_INVALID_PARAMETER);
        return false;
    }
    auto* palette = reinterpret_cast<LOGPALETTE*>(block.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = static_cast<WORD>(entries.size());
    std::memcpy(palette->palPalEntry, entries.data(), entries.size() * sizeof(PALETTEENTRY));
    glPalette_ = CreatePalette(palette);
    if (!glPalette_) {
        ReportSystemError("CreatePalette:", GetLastError());
        return false;
    }
    SelectPalette(deviceContext_, glPalette_, FALSE);
    RealizePalette(deviceContext_);
    return true;
}

void TOpenGLPanel::DoOnInit() {
    if (!OnInit) return;
    if (!wglMakeCurrent(deviceContext_, renderContext_)) makeCurrentError_ = GetLastError();
    if (font3DEnabled_) Create3DFont();
    if (font2DEnabled_) Create2DFont();
    OnInit(this);
    wglMakeCurrent(nullptr, nullptr);
    SetToolWindow(toolWindow_);
    SetAllowResize(allowResize_);
    SetBorder(border_);
}

void TOpenGLPanel::HandleDestroy() {
    DestroyGLContext();
    ReleaseDIBObjs();
}

void TOpenGLPanel::DestroyGLContext() {
    windowFont3D_.reset();
    windowFont2D_.reset();
    if (!renderContext_) return;
    ReleaseIfCurrent(renderContext_);
    wglDeleteContext(renderContext_);
    renderContext_ = nullptr;
    if (glPalette_) {
        paletteDeleteFailed_ = !DeleteObject(glPalette_);
        glPalette_ = nullptr;
    }
    deviceContext_ = nullptr;
}

void TOpenGLPanel::HandleEraseBackground(TMessage& message) {
    if (ComponentState().count(csDesigning)) {
        RECT client;
        ::GetClientRect(WindowHandle(), &client);
        FillRect(reinterpret_cast<HDC>(message.WParam), &client, GetSysColorBrush(COLOR_BTNFACE));
    }
    message.Result = 1;
}

void TOpenGLPanel::HandlePaletteChange(TMessage& message) {
    message.Result = 0;
    if (message.Msg == WM_PALETTECHANGED &&
        reinterpret_cast<HWND>(message.WParam) == WindowHandle())
        return;
    if (!glPalette_) return;
    const HPALETTE previous = SelectPalette(deviceContext_, glPalette_, FALSE);
    const UINT realized = RealizePalette(deviceContext_);
    if (realized == GDI_ERROR) return ReportSystemError("RealizePalette:", GetLastError());
    if (!wglMakeCurrent(deviceContext_, renderContext_)) return;
    wglMakeCurrent(nullptr, nullptr);
    SelectPalette(deviceContext_, previous, TRUE);
    if (realized > 0) Invalidate();
    message.Result = static_cast<LRESULT>(realized);
}

// 0 when the panel's context is current now, else the error code.
DWORD TOpenGLPanel::MakeCurrent() {
    if (!renderContext_) return ERROR_INVALID_HANDLE;
    return SwitchGLContext(deviceContext_, renderContext_) ? 0 : GetLastError();
}

bool TOpenGLPanel::MakeOpenGLPanelCurrent() {
    if (renderContext_ && wglGetCurrentContext() == renderContext_ &&
        wglGetCurrentDC() == deviceContext_)
        return true;
    const DWORD error = MakeCurrent();
    if (error == 0) return true;
    ReportSystemError("wglMakeCurrent:", error);
    return false;
}

void TOpenGLPanel::MakeOpenGLPanelNotCurrent() { wglMakeCurrent(nullptr, nullptr); }

void TOpenGLPanel::SwapBuffers() {
    if (!swapCapable_) return;
    ::SwapBuffers(deviceContext_);
    if (OnBufferSwap) OnBufferSwap(this);
}

bool TOpenGLPanel::PanelShareLists(TOpenGLPanel* other) {
    return other && wglShareLists(renderContext_, other->renderContext_);
}

void TOpenGLPanel::Error() {
    if (OnError) OnError(this);
}

void TOpenGLPanel::ReportSystemError(const char* prefix, DWORD code) {
    messageBuffer_[0] = '\0';
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                   MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), messageBuffer_,
                   sizeof(messageBuffer_) - 1, nullptr);
    ReportError(AnsiString(prefix) + messageBuffer_);
}

void TOpenGLPanel::ReportError(const AnsiString& text) {
    errorText_ = text;
    Error();
}

// ---------------------------------------------------------------------------------------------
// Painting and resizing

void TOpenGLPanel::Paint() {
    if (ComponentState().count(csDesigning)) return TCustomPanel::Paint();
    LARGE_INTEGER start{}, end{};
    if (fpsEnabled_) QueryPerformanceCounter(&start);
    if (OnPaint) PaintWithContext();
    if (!fpsEnabled_) return;
    QueryPerformanceCounter(&end);
    const LONGLONG ticks = std::max<LONGLONG>(1, end.QuadPart - start.QuadPart);
    framesPerSecond_ = static_cast<int>(counterFrequency_.QuadPart / ticks);
}

void TOpenGLPanel::PaintWithContext() {
    TFPUControlGuard openGLCalls;
    selectPaletteError_ = 0;
    HPALETTE previous = nullptr;
    if (glPalette_) {
        previous = SelectPalette(deviceContext_, glPalette_, FALSE);
        if (!previous) {
            selectPaletteError_ = GetLastError();
            ReportSystemError("SelectPalette:", selectPaletteError_);
        } else if (RealizePalette(deviceContext_) == GDI_ERROR) {
            selectPaletteError_ = GetLastError();
            ReportSystemError("RealizePalette:", selectPaletteError_);
        }
    }
    makeCurrentError_ = 0;
    if (selectPaletteError_ == 0) {
        makeCurrentError_ = MakeCurrent();
        if (makeCurrentError_ != 0) ReportSystemError("wglMakeCurrent:", makeCurrentError_);
    }
    OnPaint(this);
    if (selectPaletteError_ != 0 || makeCurrentError_ != 0) return;
    if (swapBuffers_ == TOpenGLSwapBuffers::Auto && swapCapable_) {
        ::SwapBuffers(deviceContext_);
        if (OnBufferSwap) OnBufferSwap(this);
    }
    if (glPalette_) SelectPalette(deviceContext_, previous, TRUE);
    wglMakeCurrent(nullptr, nullptr);
}

void TOpenGLPanel::Resize() {
    TCustomPanel::Resize();
    if (!OnResize || !renderContext_) return;
    TFPUControlGuard openGLCalls;
    if (!wglMakeCurrent(deviceContext_, renderContext_)) {
        ShowMessage("Resize - wglMakeCurrent:" + IntToStr(static_cast<int>(GetLastError())));
        return;
    }
    OnResize(this);
    wglMakeCurrent(nullptr, nullptr);
}

// ---------------------------------------------------------------------------------------------
// Text

void TOpenGLPanel::Create3DFont() {
    windowFont3D_.reset();
    windowFont3D_ = ::Create3DFont(deviceContext_, font3DType_.get(), font3DFirst_, font3DCount_,
                                   font3DDeviation_, font3DExtrusion_, fontFormatCode_);
}

void TOpenGLPanel::Create2DFont() {
    windowFont2D_.reset();
    windowFont2D_ = ::Create2DFont(deviceContext_, font2DType_.get(), font2DFirst_, font2DCount_);
}

OpenGLFont3D* TOpenGLPanel::CurrentFont3D() const {
    return paintingToDIB_ ? dibFont3D_.get() : windowFont3D_.get();
}

OpenGLFont2D* TOpenGLPanel::CurrentFont2D() const {
    return paintingToDIB_ ? dibFont2D_.get() : windowFont2D_.get();
}

void TOpenGLPanel::Draw3DText(const AnsiString& text) { ::Draw3DText(CurrentFont3D(), text); }

void TOpenGLPanel::Draw2DText(const AnsiString& text) { ::Draw2DText(CurrentFont2D(), text); }

void TOpenGLPanel::Get3DTextSize(const AnsiString& text, OpenGLTextSize* size) {
    ::Get3DTextSize(CurrentFont3D(), text, size);
}

// ---------------------------------------------------------------------------------------------
// Textures

std::unique_ptr<BMPTexture> TOpenGLPanel::LoadBMPTexture(const AnsiString& fileName, bool alpha) {
    try {
        TBitmap bitmap;
        bitmap.LoadFromFile(fileName);
        return TextureFromBitmap(&bitmap, alpha);
    } catch (...) {
        return nullptr;
    }
}

std::unique_ptr<BMPTexture> TOpenGLPanel::LoadBMPTextureRes(int resourceId, bool alpha) {
    try {
        TBitmap bitmap;
        bitmap.LoadFromResourceID(GetModuleHandleA(nullptr), resourceId);
        return TextureFromBitmap(&bitmap, alpha);
    } catch (const Exception&) {
        return nullptr;
    }
}

std::unique_ptr<BMPTexture> TOpenGLPanel::LoadBMPTextureWAD(const AnsiString& fileName,
                                                           const AnsiString& name) {
    try {
        const std::vector<uint8_t> package = ReadWholeFile(fileName);
        return ParseTexturePackage(package.data(), package.size(), name);
    } catch (...) {
        return nullptr;
    }
}

int TOpenGLPanel::LoadTGA(const AnsiString& fileName, std::vector<uint8_t>& pixels, int* width,
                          int* height, int& bitsPerPixel) {
    std::vector<uint8_t> file;
    try {
        file = ReadWholeFile(fileName);
    } catch (const Exception&) {
        bitsPerPixel = 0;
        return tgaCannotOpen;
    }
    TargaImage image;
    const int status = ParseTGA(file.data(), file.size(), image);
    bitsPerPixel = image.BitsPerPixel;
    if (status != tgaLoaded) return status;
    pixels = std::move(image.Pixels);
    if (width) *width = image.Width;
    if (height) *height = image.Height;
    return status;
}

// ---------------------------------------------------------------------------------------------
// Picture copies

void TOpenGLPanel::Capture(TBitmap* bitmap) {
    bitmap->SetSize(Width(), Height());
    if (!RenderIntoBitmap(bitmap)) bitmap->Canvas()->CopyRect(ClientRect(), Canvas(), ClientRect());
}

// Runs OnPaint with the context current, without swapping, and reads the client area's picture
// from the buffer drawn into the bitmap's top left; false without a context or a handler. The
// window's DC would not show it where the system presents OpenGL windows apart from GDI.
bool TOpenGLPanel::RenderIntoBitmap(TBitmap* bitmap) {
    if (!renderContext_ || !OnPaint) return false;
    TFPUControlGuard openGLCalls;
    CurrentGLContext current(deviceContext_, renderContext_);
    if (!current.Holds(renderContext_)) return false;
    OnPaint(this);
    glFinish();
    const TRect client = ClientRect();
    const int width = std::min(client.Width(), bitmap->Width());
    const int height = std::min(client.Height(), bitmap->Height());
    std::vector<uint8_t> rgba(static_cast<size_t>(width) * height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadBuffer(swapCapable_ ? GL_BACK : GL_FRONT);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    bitmap->SetPixelFormat(pf32bit);
    for (int y = 0; y < height; ++y) {
        auto* row = static_cast<uint8_t*>(bitmap->ScanLine(height - 1 - y));
        const uint8_t* in = rgba.data() + static_cast<size_t>(y) * width * 4;
        for (int x = 0; x < width; ++x, in += 4, row += 4) {
            row[0] = in[2];
            row[1] = in[1];
            row[2] = in[0];
            row[3] = 0;
        }
    }
    return true;
}

void TOpenGLPanel::CopyPanelPicture(TBitmap* bitmap) {
    BringToFront();
    Repaint();
    Capture(bitmap);
}

void TOpenGLPanel::SaveOpenGLPanelToFile(const AnsiString& fileName) {
    try {
        TBitmap bitmap;
        CopyPanelPicture(&bitmap);
        bitmap.SaveToFile(fileName);
    } catch (const Exception& e) {
        ReportError(e.Message());
    }
}

void TOpenGLPanel::PrintOpenGLPanel() {
    try {
        TBitmap bitmap;
        CopyPanelPicture(&bitmap);
        PrintPicture(&bitmap);
    } catch (const Exception& e) {
        ReportError(e.Message());
    }
}

void TOpenGLPanel::PrintPicture(TBitmap* bitmap) {
    TPrinter* printer = Printer();
    const TPrintArea area{printer->DeviceCaps(LOGPIXELSX), printer->DeviceCaps(LOGPIXELSY),
                          printer->DeviceCaps(HORZRES), printer->DeviceCaps(VERTRES)};
    if (pixelsPerInch_ < 1) pixelsPerInch_ = 96;
    const TRect place =
        PrintPlacement(bitmap->Width(), bitmap->Height(), area, printScale_, pixelsPerInch_);
    int infoSize = 0, imageSize = 0;
    GetDIBSizes(bitmap->Handle(), infoSize, imageSize);
    std::vector<uint8_t> info, bits;
    try {
        info.resize(infoSize);
        bits.resize(imageSize);
    } catch (const std::bad_alloc&) {
        ShowMessage("Print - Malloc Error");
        return;
    }
    bitmap->Dormant();
    GetDIB(bitmap->Handle(), nullptr, info.data(), bits.data());
    printer->BeginDoc();
    StretchDIBits(printer->Canvas()->Handle(), place.Left, place.Top, place.Width(),
                  place.Height(), 0, 0, bitmap->Width(), bitmap->Height(), bits.data(),
                  reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS, SRCCOPY);
    printer->EndDoc();
}

// ---------------------------------------------------------------------------------------------
// Off-screen rendering

int TOpenGLPanel::SetupPaintToDIB(int width, int, void*, int resolution) {
    ReleaseDIBObjs();
    TFPUControlGuard openGLCalls;
    const TSize size = OffscreenTargetSize(width, resolution, Width(), Height());
    printWidth_ = size.cx;
    printHeight_ = size.cy;
    const int status = CreateDIBTarget();
    if (status != 0) return status;
    savedDC_ = wglGetCurrentDC();
    savedRC_ = wglGetCurrentContext();
    SwitchGLContext(dibDC_, dibRC_);
    glViewport(0, 0, printWidth_, printHeight_);
    dibFont3D_ = ::Create3DFont(dibDC_, font3DType_.get(), font3DFirst_, font3DCount_,
                                font3DDeviation_, font3DExtrusion_, fontFormatCode_);
    dibFont2D_ = ::Create2DFont(dibDC_, font2DType_.get(), font2DFirst_, font2DCount_);
    paintingToDIB_ = true;
    return 0;
}

// The white 32-bit DIB section of PrintWidth x PrintHeight in a memory DC with a context of its
// own; the status of SetupPaintToDIB, with everything released again on failure. (A 24-bit
// section is not drawn right by every OpenGL implementation for bitmaps; 32 bits are.)
int TOpenGLPanel::CreateDIBTarget() {
    dibInfo_ = BITMAPINFO{};
    BITMAPINFOHEADER& header = dibInfo_.bmiHeader;
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = printWidth_;
    header.biHeight = printHeight_;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(printWidth_) * printHeight_ * 4;
    HDC windowDC = GetDC(WindowHandle());
    dibSection_ = CreateDIBSection(windowDC, &dibInfo_, DIB_RGB_COLORS, &dibPixels_, nullptr, 0);
    ReleaseDC(WindowHandle(), windowDC);
    if (!dibSection_) return -1;
    std::memset(dibPixels_, 0xFF, header.biSizeImage);
    dibDC_ = CreateCompatibleDC(nullptr);
    if (!dibDC_) {
        ReleaseDIBObjs();
        return -2;
    }
    previousBitmap_ = SelectObject(dibDC_, dibSection_);
    if (!SetDCPixelFormat(dibDC_, PFD_DRAW_TO_BITMAP | PFD_SUPPORT_OPENGL)) {
        ReleaseDIBObjs();
        return -3;
    }
    dibRC_ = wglCreateContext(dibDC_);
    if (!dibRC_) {
        ReleaseDIBObjs();
        return -4;
    }
    return 0;
}

void TOpenGLPanel::CleanupPaintToDIB() {
    TFPUControlGuard openGLCalls;
    dibFont3D_.reset();
    dibFont2D_.reset();
    wglMakeCurrent(nullptr, nullptr);
    if (dibRC_) wglDeleteContext(dibRC_);
    dibRC_ = nullptr;
    if (savedRC_) SwitchGLContext(savedDC_, savedRC_);
    ReleaseDIBObjs();
    savedDC_ = nullptr;
    savedRC_ = nullptr;
    paintingToDIB_ = false;
}

void TOpenGLPanel::ReleaseDIBObjs() {
    dibFont3D_.reset();
    dibFont2D_.reset();
    if (dibRC_) {
        ReleaseIfCurrent(dibRC_);
        wglDeleteContext(dibRC_);
        dibRC_ = nullptr;
    }
    if (dibDC_) {
        if (previousBitmap_) SelectObject(dibDC_, previousBitmap_);
        DeleteDC(dibDC_);
        dibDC_ = nullptr;
    }
    previousBitmap_ = nullptr;
    if (dibSection_) DeleteObject(dibSection_);
    dibSection_ = nullptr;
    dibPixels_ = nullptr;
}

bool TOpenGLPanel::SetDCPixelFormat(HDC dc, DWORD flags) {
    const PIXELFORMATDESCRIPTOR wanted = BitmapPixelFormat(flags);
    int format = ChoosePixelFormat(dc, &wanted);
    if (format == 0) {
        PIXELFORMATDESCRIPTOR first{};
        if (!DescribePixelFormat(dc, 1, sizeof(first), &first)) return false;
        format = 1;
    }
    return SetPixelFormat(dc, format, &wanted) != FALSE;
}

// ---------------------------------------------------------------------------------------------
// Other

bool TOpenGLPanel::QueryOpenGLExtention(const AnsiString& name) {
    return ExtensionListed(reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS)), name);
}

int TOpenGLPanel::GetDisplayBPP() {
    ScreenDC screen;
    return GetDeviceCaps(screen, BITSPIXEL);
}

bool TOpenGLPanel::SetDisplayBPP(int bitsPerPixel) {
    DEVMODEA mode{};
    mode.dmSize = sizeof(DEVMODEA);
    mode.dmFields = DM_BITSPERPEL;
    mode.dmBitsPerPel = static_cast<DWORD>(bitsPerPixel);
    return ChangeDisplaySettingsA(&mode, 0) == DISP_CHANGE_SUCCESSFUL;
}
