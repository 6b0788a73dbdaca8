// The OpenGL panel in a shown form: its context around the handlers, buffer swaps, a known
// scene read back from the context, the window and a capture, text display lists, window
// styles, off-screen rendering and the error reports of a failed set-up.
#include <windows.h>

#include <GL/gl.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "OpenGLPanel.h"
#include "cl_sys.h"
#include "shown_form.h"
#include "stream_checks.h"

namespace {

const auto* environment = ::testing::AddGlobalTestEnvironment(new AppEnvironment);

constexpr TColor Red = 0x0000FF, Blue = 0xFF0000;

// The scene: red all over, a blue rectangle over the lower left quarter (OpenGL's origin is
// the lower left corner).
void DrawScene(int width, int height) {
    glViewport(0, 0, width, height);
    glClearColor(1, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, width, 0, height, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glColor3f(0, 0, 1);
    glRecti(0, 0, width / 2, height / 2);
}

// The colour at (x, y) from the bottom of the current read buffer.
TColor ReadPixel(int x, int y) {
    uint8_t rgba[4] = {};
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return static_cast<TColor>(rgba[0] | (rgba[1] << 8) | (rgba[2] << 16));
}

// How many pixels of the viewport are not black.
int LitPixels(int width, int height) {
    std::vector<uint8_t> rgba(static_cast<size_t>(width) * height * 4);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    int lit = 0;
    for (size_t i = 0; i < rgba.size(); i += 4) lit += (rgba[i] | rgba[i + 1] | rgba[i + 2]) != 0;
    return lit;
}

// White text on black through `draw` in the current context; the pixels it lit.
int TextPixels(int width, int height, const std::function<void()>& draw) {
    glViewport(0, 0, width, height);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, width, 0, height, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glColor3f(1, 1, 1);
    draw();
    glFinish();
    return LitPixels(width, height);
}

TColor BitmapPixel(TBitmap* bitmap, int x, int y) { return bitmap->Canvas()->Pixels(x, y); }

AnsiString TempFile(const char* name) {
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    return IncludeTrailingPathDelimiter(folder) + name;
}

class OpenGLPanelTest : public ShownFormTest {
protected:
    // A panel whose window is made once its handlers are set by `prepare`.
    TOpenGLPanel* AddPanel(const std::function<void(TOpenGLPanel*)>& prepare = nullptr,
                           int width = 300, int height = 200) {
        auto* panel = new TOpenGLPanel(form);
        panel->SetBounds(10, 10, width, height);
        panel->OnError = [this](TObject* sender) {
            errors.push_back(static_cast<TOpenGLPanel*>(sender)->ErrorText().c_str());
        };
        if (prepare) prepare(panel);
        panel->SetParent(form);
        panel->Handle();
        return panel;
    }
    // A panel that paints the scene.
    TOpenGLPanel* AddScenePanel() {
        return AddPanel([this](TOpenGLPanel* panel) {
            panel->OnPaint = [this, panel](TObject*) {
                DrawScene(panel->ClientWidth(), panel->ClientHeight());
                ++paints;
            };
        });
    }
    void PaintNow(TOpenGLPanel* panel) {
        panel->Repaint();
        Application->ProcessMessages();
    }
    std::vector<std::string> errors;
    int paints = 0;
};

TEST_F(OpenGLPanelTest, ContextIsCurrentOnlyAroundTheHandlersAndBuffersAreSwapped) {
    std::vector<std::string> events;
    HGLRC currentInHandler = nullptr;
    int swaps = 0;
    TOpenGLPanel* panel = AddPanel([&](TOpenGLPanel* p) {
        p->OnPreInit = [&](TObject*) { events.push_back("PreInit"); };
        p->OnInit = [&, p](TObject*) {
            events.push_back("Init");
            EXPECT_EQ(wglGetCurrentContext(), p->RenderContext());
        };
        p->OnPaint = [&, p](TObject*) {
            currentInHandler = wglGetCurrentContext();
            DrawScene(p->ClientWidth(), p->ClientHeight());
        };
        p->OnBufferSwap = [&](TObject*) { ++swaps; };
    });
    EXPECT_EQ(events, (std::vector<std::string>{"PreInit", "Init"}));
    ASSERT_NE(panel->RenderContext(), nullptr) << (errors.empty() ? "" : errors[0]);
    EXPECT_TRUE(errors.empty());
    EXPECT_NE(panel->DeviceContext(), nullptr);
    EXPECT_EQ(panel->DeviceContext(), GetDC(panel->Handle()));  // the window's own DC, kept
    EXPECT_TRUE(panel->SwapCapable());
    EXPECT_TRUE(panel->RequestedFlags() & PFD_DOUBLEBUFFER);
    EXPECT_TRUE(panel->ActualFormat().dwFlags & PFD_SUPPORT_OPENGL);
    EXPECT_EQ(panel->GLPalette(), nullptr);  // a true-colour format needs no palette
    EXPECT_EQ(wglGetCurrentContext(), nullptr);

    swaps = 0;
    PaintNow(panel);
    EXPECT_EQ(currentInHandler, panel->RenderContext());
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
    EXPECT_EQ(swaps, 1);

    panel->SetGLSwapBuffers(TOpenGLSwapBuffers::Manual);
    swaps = 0;
    PaintNow(panel);
    EXPECT_EQ(swaps, 0);
    panel->OnPaint = [&](TObject*) { panel->SwapBuffers(); };
    PaintNow(panel);
    EXPECT_EQ(swaps, 1);
}

TEST_F(OpenGLPanelTest, GdiFormatRequestsNoDoubleBufferingAndNeverSwaps) {
    int swaps = 0;
    TOpenGLPanel* panel = AddPanel([&](TOpenGLPanel* p) {
        p->SetPFDFlags({f_PFD_DRAW_TO_WINDOW, f_PFD_SUPPORT_OPENGL, f_PFD_SUPPORT_GDI});
        p->OnPaint = [](TObject*) {};
        p->OnBufferSwap = [&](TObject*) { ++swaps; };
    });
    EXPECT_FALSE(panel->SwapCapable());
    EXPECT_FALSE(panel->RequestedFlags() & PFD_DOUBLEBUFFER);
    PaintNow(panel);
    panel->SwapBuffers();
    EXPECT_EQ(swaps, 0);
}

TEST_F(OpenGLPanelTest, SceneReadsBackFromTheContextTheWindowAndAFile) {
    TColor corner = clNone, quarter = clNone;
    TOpenGLPanel* panel = AddPanel([&](TOpenGLPanel* p) {
        p->OnPaint = [&, p](TObject*) {
            DrawScene(p->ClientWidth(), p->ClientHeight());
            glFinish();
            corner = ReadPixel(p->ClientWidth() - 2, p->ClientHeight() - 2);
            quarter = ReadPixel(10, 10);
        };
    });
    ASSERT_NE(panel->RenderContext(), nullptr);
    PaintNow(panel);
    EXPECT_EQ(corner, Red);
    EXPECT_EQ(quarter, Blue);

    TBitmap captured;
    panel->Capture(&captured);
    ASSERT_EQ(captured.Width(), 300);
    ASSERT_EQ(captured.Height(), 200);
    EXPECT_EQ(BitmapPixel(&captured, 290, 10), Red);
    EXPECT_EQ(BitmapPixel(&captured, 10, 190), Blue);  // the lower left quarter, top-down
    EXPECT_EQ(BitmapPixel(&captured, 160, 90), Red);

    const AnsiString file = TempFile("openglpanel.bmp");
    panel->SaveOpenGLPanelToFile(file);
    TBitmap saved;
    saved.LoadFromFile(file);
    EXPECT_EQ(saved.Width(), 300);
    EXPECT_EQ(BitmapPixel(&saved, 10, 190), Blue);
    EXPECT_EQ(BitmapPixel(&saved, 290, 10), Red);
    DeleteFileA(file.c_str());
    EXPECT_TRUE(errors.empty());

    panel->SaveOpenGLPanelToFile("Z:\\no\\such\\folder\\panel.bmp");
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("panel.bmp"), std::string::npos) << errors[0];
}

TEST_F(OpenGLPanelTest, ResizeAndFramesPerSecondRunWithTheContext) {
    HGLRC currentInResize = nullptr;
    int resizes = 0;
    TOpenGLPanel* panel = AddPanel([&](TOpenGLPanel* p) {
        p->SetFps_Enabled(true);
        p->OnPaint = [p](TObject*) { DrawScene(p->ClientWidth(), p->ClientHeight()); };
        p->OnResize = [&, p](TObject*) {
            ++resizes;
            currentInResize = wglGetCurrentContext();
            EXPECT_EQ(currentInResize, p->RenderContext());
        };
    });
    panel->SetBounds(10, 10, 240, 160);
    EXPECT_GE(resizes, 1);
    EXPECT_NE(currentInResize, nullptr);
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
    PaintNow(panel);
    EXPECT_GT(panel->FramesPerSecond(), 0);
}

TEST_F(OpenGLPanelTest, BitmapFontDrawsOnlyTextInsideItsRange) {
    int hello = -1, outside = -1, empty = -1;
    TOpenGLPanel* panel = AddPanel([&](TOpenGLPanel* p) {
        p->SetFont2D_Enabled(true);
        p->Font2D_Type()->SetHeight(-20);
        p->OnInit = [](TObject*) {};
        p->OnPaint = [&, p](TObject*) {
            const int w = p->ClientWidth(), h = p->ClientHeight();
            hello = TextPixels(w, h, [p] {
                glRasterPos2i(10, 10);
                p->Draw2DText("Hello");
            });
            outside = TextPixels(w, h, [p] {
                glRasterPos2i(10, 10);
                p->Draw2DText("Hello\x1F");
            });
            empty = TextPixels(w, h, [p] {
                glRasterPos2i(10, 10);
                p->Draw2DText("Hello\xE9");
            });
        };
    });
    ASSERT_NE(panel->WindowFont2D(), nullptr);
    EXPECT_EQ(panel->WindowFont2D()->FirstGlyph, 32);
    EXPECT_EQ(panel->WindowFont2D()->GlyphCount, 96);
    EXPECT_EQ(panel->WindowFont3D(), nullptr);  // not enabled
    PaintNow(panel);
    EXPECT_GT(hello, 50);
    EXPECT_EQ(outside, 0);
    EXPECT_EQ(empty, 0);
}

TEST_F(OpenGLPanelTest, OutlineFontDrawsAndMeasuresText) {
    int drawn = -1, refused = -1;
    OpenGLTextSize size, outside{1, 1, 1};
    TOpenGLPanel* panel = AddPanel([&](TOpenGLPanel* p) {
        p->SetFont3D_Enabled(true);
        p->OnInit = [](TObject*) {};
        p->OnPaint = [&, p](TObject*) {
            const int w = p->ClientWidth(), h = p->ClientHeight();
            auto text = [p](const AnsiString& t) {
                return [p, t] {
                    glTranslatef(10, 50, 0);
                    glScalef(40, 40, 1);
                    p->Draw3DText(t);
                };
            };
            drawn = TextPixels(w, h, text("Hello"));
            refused = TextPixels(w, h, text("Hello\x80"));
            p->Get3DTextSize("Hello", &size);
            p->Get3DTextSize("Hi\x80", &outside);
        };
    });
    ASSERT_NE(panel->WindowFont3D(), nullptr);
    EXPECT_EQ(panel->FontFormatCode(), 1);
    PaintNow(panel);
    EXPECT_GT(drawn, 200);
    EXPECT_EQ(refused, 0);
    EXPECT_GT(size.Width, 1.0);  // five glyphs of about an em's half each
    EXPECT_LT(size.Width, 5.0);
    EXPECT_GT(size.Height, 0.3);
    EXPECT_FLOAT_EQ(static_cast<float>(size.Depth), 0.1f);
    EXPECT_EQ(outside.Width, 0);
    EXPECT_EQ(outside.Height, 0);
    EXPECT_EQ(outside.Depth, 0);
}

TEST_F(OpenGLPanelTest, ExtensionsAreLookedUpByWholeName) {
    bool first = false, prefix = true;
    TOpenGLPanel* panel = AddPanel([&](TOpenGLPanel* p) {
        p->OnInit = [&](TObject*) {
            const std::string all = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
            const std::string name = all.substr(0, all.find(' '));
            first = TOpenGLPanel::QueryOpenGLExtention(name.c_str());
            prefix = TOpenGLPanel::QueryOpenGLExtention(name.substr(0, name.size() - 1).c_str());
        };
    });
    ASSERT_NE(panel->RenderContext(), nullptr);
    EXPECT_TRUE(first);
    EXPECT_FALSE(prefix);
}

struct StyleCase {
    const char* name;
    std::function<void(TOpenGLPanel*, bool)> set;
    int index;
    DWORD bits;
};

TEST_F(OpenGLPanelTest, WindowStylesApplyAtInitOrWhenSetOnAWindow) {
    const StyleCase cases[] = {
        {"Border", [](TOpenGLPanel* p, bool v) { p->SetBorder(v); }, GWL_EXSTYLE,
         WS_EX_CLIENTEDGE},
        {"ToolWindow", [](TOpenGLPanel* p, bool v) { p->SetToolWindow(v); }, GWL_STYLE,
         WS_CAPTION},
        {"ToolWindow", [](TOpenGLPanel* p, bool v) { p->SetToolWindow(v); }, GWL_EXSTYLE,
         WS_EX_TOOLWINDOW},
        {"AllowResize", [](TOpenGLPanel* p, bool v) { p->SetAllowResize(v); }, GWL_STYLE,
         WS_THICKFRAME},
    };
    for (const StyleCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto style = [&c](TOpenGLPanel* p) {
            return (static_cast<DWORD>(GetWindowLongA(p->Handle(), c.index)) & c.bits) != 0;
        };
        TOpenGLPanel* withoutInit = AddPanel([&](TOpenGLPanel* p) { c.set(p, true); });
        EXPECT_FALSE(style(withoutInit));  // set before the window existed, no OnInit
        TOpenGLPanel* withInit = AddPanel([&](TOpenGLPanel* p) {
            c.set(p, true);
            p->OnInit = [](TObject*) {};
        });
        EXPECT_TRUE(style(withInit));
        EXPECT_EQ(withInit->Width(), 300);
        c.set(withoutInit, true);
        EXPECT_TRUE(style(withoutInit));
        c.set(withoutInit, false);
        EXPECT_FALSE(style(withoutInit));
        withoutInit->Free();
        withInit->Free();
    }
    TOpenGLPanel* panel = AddPanel();
    const int clientWidth = panel->ClientWidth();
    panel->SetBorder(true);
    EXPECT_LT(panel->ClientWidth(), clientWidth);  // the frame was computed again
}

TEST_F(OpenGLPanelTest, MovingTheCaptionedPanelEndsAtOnceUnlessAllowed) {
    TOpenGLPanel* panel = AddPanel();
    for (bool allowed : {false, true}) {
        panel->SetAllowMoving(allowed);
        SetCapture(panel->Handle());
        RECT rect{0, 0, 300, 200};
        SendMessageA(panel->Handle(), WM_MOVING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&rect));
        EXPECT_EQ(GetCapture() == panel->Handle(), allowed);
        ReleaseCapture();
    }
}

TEST_F(OpenGLPanelTest, OffscreenTargetRendersIntoItsBitmapAndLeavesTheWindowFontsAlone) {
    int windowText = -1;
    TOpenGLPanel* panel = AddPanel([&](TOpenGLPanel* p) {
        p->SetFont2D_Enabled(true);
        p->OnInit = [](TObject*) {};
        p->OnPaint = [&, p](TObject*) {
            windowText = TextPixels(p->ClientWidth(), p->ClientHeight(), [p] {
                glRasterPos2i(10, 10);
                p->Draw2DText("Hello");
            });
        };
    });
    ASSERT_NE(panel->WindowFont2D(), nullptr);

    // Started from the window's context, which comes back at the end.
    ASSERT_TRUE(panel->MakeOpenGLPanelCurrent());
    ASSERT_EQ(panel->SetupPaintToDIB(1000, 0, nullptr, 1), 0);
    EXPECT_TRUE(panel->PaintingToDIB());
    EXPECT_EQ(panel->PrintWidth(), 504);
    EXPECT_EQ(panel->PrintHeight(), 336);
    EXPECT_EQ(wglGetCurrentContext(), panel->DIBRC());
    ASSERT_NE(panel->DIBFont2D(), nullptr);
    ASSERT_NE(panel->DIBFont3D(), nullptr);
    const auto* pixels = static_cast<const uint8_t*>(panel->DIBPixels());
    EXPECT_EQ(panel->DIBInfo().bmiHeader.biBitCount, 32);
    EXPECT_EQ(pixels[0] & pixels[1] & pixels[2], 0xFF);  // white before drawing

    DrawScene(panel->PrintWidth(), panel->PrintHeight());
    glFinish();
    const int stride = panel->PrintWidth() * 4;
    auto bgr = [&](int x, int y) {  // y from the bottom, as the DIB stores its rows
        const uint8_t* p = pixels + y * stride + x * 4;
        return static_cast<TColor>(p[2] | (p[1] << 8) | (p[0] << 16));
    };
    EXPECT_EQ(bgr(10, 10), Blue);
    EXPECT_EQ(bgr(500, 330), Red);
    EXPECT_GT(TextPixels(panel->PrintWidth(), panel->PrintHeight(), [panel] {
                  glRasterPos2i(10, 10);
                  panel->Draw2DText("Hello");
              }),
              50);

    panel->CleanupPaintToDIB();
    EXPECT_FALSE(panel->PaintingToDIB());
    EXPECT_EQ(panel->DIBDC(), nullptr);
    EXPECT_EQ(panel->DIBRC(), nullptr);
    EXPECT_EQ(panel->DIBSection(), nullptr);
    EXPECT_EQ(panel->DIBFont2D(), nullptr);
    EXPECT_EQ(wglGetCurrentContext(), panel->RenderContext());
    EXPECT_GT(TextPixels(300, 200, [panel] {  // the window's context works again at once
                  glRasterPos2i(10, 10);
                  panel->Draw2DText("Hello");
              }),
              20);
    panel->MakeOpenGLPanelNotCurrent();

    windowText = -1;
    PaintNow(panel);
    EXPECT_GT(windowText, 20);  // the off-screen fonts' lists were not the window's
}

TEST_F(OpenGLPanelTest, FailedSetUpIsReportedAndPaintingStillRuns) {
    int painted = 0;
    TOpenGLPanel* panel = AddPanel([&](TOpenGLPanel* p) {
        p->SetPixelType(f_PFD_TYPE_COLORINDEX);  // the display offers true colour only
        p->SetcColorBits(8);
        p->OnInit = [](TObject*) { ADD_FAILURE() << "OnInit after a failed set-up"; };
        p->OnPaint = [&](TObject*) { ++painted; };
    });
    EXPECT_EQ(panel->RenderContext(), nullptr);
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_EQ(errors[0].rfind("ChoosePixelFormat:", 0), 0u) << errors[0];
    EXPECT_EQ(errors[1], "Open GL Context Create Failed");
    EXPECT_EQ(panel->ErrorText(), "Open GL Context Create Failed");

    errors.clear();
    PaintNow(panel);
    EXPECT_EQ(painted, 1);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].rfind("wglMakeCurrent:", 0), 0u) << errors[0];
    EXPECT_NE(panel->MakeCurrentError(), 0u);

    errors.clear();
    EXPECT_FALSE(panel->MakeOpenGLPanelCurrent());
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].rfind("wglMakeCurrent:", 0), 0u) << errors[0];
}

TEST_F(OpenGLPanelTest, PixelFormatPropertiesTakeEffectWhenTheWindowIsMadeAgain) {
    TOpenGLPanel* panel = AddScenePanel();
    ASSERT_TRUE(panel->SwapCapable());
    panel->SetPFDFlags({f_PFD_DRAW_TO_WINDOW, f_PFD_SUPPORT_OPENGL, f_PFD_SUPPORT_GDI});
    panel->SetcColorBits(16);
    EXPECT_TRUE(panel->SwapCapable());
    EXPECT_TRUE(panel->RequestedFlags() & PFD_DOUBLEBUFFER);
    panel->RecreateWnd();
    panel->Handle();
    EXPECT_FALSE(panel->SwapCapable());
    EXPECT_FALSE(panel->RequestedFlags() & PFD_DOUBLEBUFFER);
}

TEST_F(OpenGLPanelTest, TwoPanelsKeepTheirOwnContextsAndShareLists) {
    TOpenGLPanel* first = AddScenePanel();
    TOpenGLPanel* second = AddScenePanel();
    ASSERT_NE(first->RenderContext(), nullptr);
    ASSERT_NE(second->RenderContext(), nullptr);
    EXPECT_NE(first->RenderContext(), second->RenderContext());
    EXPECT_TRUE(first->PanelShareLists(second));
    EXPECT_TRUE(first->MakeOpenGLPanelCurrent());
    EXPECT_TRUE(first->MakeOpenGLPanelCurrent());  // already current
    EXPECT_EQ(wglGetCurrentContext(), first->RenderContext());
    EXPECT_TRUE(second->MakeOpenGLPanelCurrent());
    EXPECT_EQ(wglGetCurrentContext(), second->RenderContext());
    second->MakeOpenGLPanelNotCurrent();
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
    PaintNow(first);
    PaintNow(second);
    EXPECT_GE(paints, 2);
}

TEST_F(OpenGLPanelTest, PropertiesStartAtTheirDefaultsAndRoundTripThroughAFormStream) {
    Register();
    TOpenGLPanel* panel = AddPanel();
    panel->SetName("GLPanel");
    EXPECT_EQ(panel->PFDFlags(),
              (TPFDFlagSet{f_PFD_DRAW_TO_WINDOW, f_PFD_SUPPORT_OPENGL, f_PFD_DOUBLEBUFFER}));
    EXPECT_EQ(panel->cColorBits(), 32);
    EXPECT_EQ(panel->cDepthBits(), 32);
    EXPECT_EQ(panel->cAccBits(), 0);
    EXPECT_EQ(panel->PrintScale(), pglProportional);
    EXPECT_EQ(panel->Font3D_Type()->Name(), "Arial");
    EXPECT_EQ(panel->Font3D_Type()->Height(), -9);
    EXPECT_EQ(panel->Font2D_Type()->Charset(), 0);
    ExpectDefaultsNotWritten(panel);

    panel->SetPFDFlags({});
    EXPECT_EQ(panel->PFDFlags(), TPFDFlagSet{f_PFD_SUPPORT_GDI});
    panel->SetPFDFlags({});
    EXPECT_EQ(panel->PFDFlags(), TPFDFlagSet{f_PFD_DOUBLEBUFFER});
    panel->SetPixelType(f_PFD_TYPE_COLORINDEX);
    EXPECT_EQ(panel->PixelTypeCode(), 1);
    panel->SetFont3D_Format(f_WGL_FONT_LINES);
    EXPECT_EQ(panel->FontFormatCode(), 0);
    panel->SetcColorBits(16);
    panel->SetcDepthBits(24);
    panel->SetcAccBits(8);
    panel->SetGLSwapBuffers(TOpenGLSwapBuffers::Manual);
    panel->SetPrintScale(pglNone);
    panel->SetPixelsPerInch(150);
    panel->SetFont3D_Enabled(true);
    panel->SetFont3D_FirstGylph(48);
    panel->SetFont3D_NumGylph(10);
    panel->SetFont3D_MaxDeviation(0.5f);
    panel->SetFont3D_Extrustion(0.25f);
    panel->SetFont2D_Enabled(true);
    panel->SetFont2D_FirstGylph(65);
    panel->SetFont2D_NumGylph(26);
    panel->Font2D_Type()->SetName("Courier New");
    panel->SetFps_Enabled(true);
    panel->SetBorder(true);
    panel->SetToolWindow(true);
    panel->SetAllowResize(true);
    panel->SetAllowMoving(true);
    ExpectEveryOwnPropertyWritten(panel);

    TForm* copy = CopyOfForm(form);
    auto* copied = static_cast<TOpenGLPanel*>(copy->FindComponent("GLPanel"));
    ASSERT_NE(copied, nullptr);
    ExpectSameProperties(panel, copied);
    EXPECT_EQ(copied->cAccBits(), 8);
    copy->Free();
}

TEST_F(OpenGLPanelTest, DisplayDepthIsReadAndAnImpossibleOneRefused) {
    const int depth = TOpenGLPanel::GetDisplayBPP();
    EXPECT_TRUE(depth == 24 || depth == 32) << depth;
    EXPECT_FALSE(TOpenGLPanel::SetDisplayBPP(3));
    EXPECT_EQ(TOpenGLPanel::GetDisplayBPP(), depth);
}

}  // namespace
