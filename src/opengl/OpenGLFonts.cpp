#include "OpenGLFonts.h"

#include <algorithm>

#include "OpenGLContext.h"

namespace {

// A GDI copy of the font selected into the DC for the guard's life.
class SelectedFontCopy {
public:
    SelectedFontCopy(HDC dc, TFont* font) : copy_(CreateCopy(font)), selected_(dc, copy_) {}

private:
    static HGDIOBJ CreateCopy(TFont* font) {
        LOGFONTA logFont{};
        GetObjectA(font->Handle(), sizeof(logFont), &logFont);
        return CreateFontIndirectA(&logFont);
    }
    OwnedGdiObject copy_;
    SelectedObject selected_;
};

const GLubyte* TextBytes(const AnsiString& text) {
    return reinterpret_cast<const GLubyte*>(text.c_str());
}

}  // namespace

OpenGLFontLists::OpenGLFontLists(int firstGlyph, int glyphCount, GLuint listBase)
    : FirstGlyph(firstGlyph), GlyphCount(glyphCount), ListBase(listBase),
      ownerDC_(wglGetCurrentDC()), ownerRC_(wglGetCurrentContext()) {}

OpenGLFontLists::~OpenGLFontLists() {
    CurrentGLContext owner(ownerDC_, ownerRC_);
    if (owner.Holds(ownerRC_)) glDeleteLists(ListBase, GlyphCount);
}

bool OpenGLFontLists::Covers(const AnsiString& text) const {
    for (int i = 1; i <= text.Length(); ++i) {
        const int code = static_cast<unsigned char>(text[i]);
        if (code < FirstGlyph || code >= FirstGlyph + GlyphCount) return false;
    }
    return true;
}

std::unique_ptr<OpenGLFont3D> Create3DFont(HDC dc, TFont* font, int first, int count,
                                           float deviation, float extrusion, int format) {
    if (!font || count <= 0) return nullptr;
    const GLuint base = glGenLists(count);
    if (base == 0) return nullptr;
    auto result = std::make_unique<OpenGLFont3D>(first, count, base, extrusion);
    SelectedFontCopy selected(dc, font);
    if (!wglUseFontOutlinesA(dc, first, count, base, deviation, extrusion, format,
                             result->Metrics.data()))
        return nullptr;
    return result;
}

std::unique_ptr<OpenGLFont2D> Create2DFont(HDC dc, TFont* font, int first, int count) {
    if (!font || count <= 0) return nullptr;
    const GLuint base = glGenLists(count);
    if (base == 0) return nullptr;
    auto result = std::make_unique<OpenGLFont2D>(first, count, base);
    SelectedFontCopy selected(dc, font);
    if (!wglUseFontBitmapsA(dc, first, count, base)) return nullptr;
    return result;
}

void Draw3DText(const OpenGLFont3D* font, const AnsiString& text) {
    if (!font || text.IsEmpty() || !font->Covers(text)) return;
    GLint winding = GL_CCW;
    glPushAttrib(GL_LIST_BIT);
    glGetIntegerv(GL_FRONT_FACE, &winding);
    glListBase(font->ListBase - font->FirstGlyph);
    glCallLists(text.Length(), GL_UNSIGNED_BYTE, TextBytes(text));
    glFrontFace(static_cast<GLenum>(winding));
    glPopAttrib();
}

void Draw2DText(const OpenGLFont2D* font, const AnsiString& text) {
    if (!font || text.IsEmpty() || !font->Covers(text)) return;
    glPushAttrib(GL_LIST_BIT);
    glListBase(font->ListBase - font->FirstGlyph);
    glCallLists(text.Length(), GL_UNSIGNED_BYTE, TextBytes(text));
    glPopAttrib();
}

void Get3DTextSize(const OpenGLFont3D* font, const AnsiString& text, OpenGLTextSize* size) {
    if (!font || !size || text.IsEmpty()) return;
    if (!font->Covers(text)) {
        *size = OpenGLTextSize{};
        return;
    }
    double widthSum = 0, widthMax = 0, heightSum = 0, heightMax = 0;
    for (int i = 1; i <= text.Length(); ++i) {
        const int code = static_cast<unsigned char>(text[i]);
        const GLYPHMETRICSFLOAT& glyph = font->Metrics[code - font->FirstGlyph];
        if (glyph.gmfCellIncX > 0)
            widthSum += glyph.gmfCellIncX;
        else
            widthMax = std::max<double>(widthMax, glyph.gmfBlackBoxX + glyph.gmfptGlyphOrigin.x);
        if (glyph.gmfCellIncY > 0)
            heightSum += glyph.gmfCellIncY;
        else
            heightMax = std::max<double>(heightMax, glyph.gmfBlackBoxY);
    }
    *size = {widthSum + widthMax, heightSum + heightMax, font->Extrusion};
}
