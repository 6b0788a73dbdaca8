// Text in OpenGL: display lists built from a Windows font, as 3-D outline glyphs or 2-D bitmap
// glyphs, drawn and measured over a range of character codes.
#pragma once

#include <windows.h>

#include <GL/gl.h>

#include <memory>
#include <vector>

#include "cl_graphics.h"

enum TFont3DFormat { f_WGL_FONT_LINES, f_WGL_FONT_POLYGONS };

// The display lists of a range of characters. A record deletes its lists when freed, in the
// rendering context that built them (made current for the moment when another one is).
class OpenGLFontLists {
public:
    OpenGLFontLists(int firstGlyph, int glyphCount, GLuint listBase);
    ~OpenGLFontLists();
    OpenGLFontLists(const OpenGLFontLists&) = delete;
    OpenGLFontLists& operator=(const OpenGLFontLists&) = delete;

    int FirstGlyph;
    int GlyphCount;
    GLuint ListBase;

    // True when every character of `text` has a glyph in the range.
    bool Covers(const AnsiString& text) const;

private:
    HDC ownerDC_;
    HGLRC ownerRC_;
};

struct OpenGLFont3D : OpenGLFontLists {
    OpenGLFont3D(int firstGlyph, int glyphCount, GLuint listBase, float extrusion)
        : OpenGLFontLists(firstGlyph, glyphCount, listBase), Extrusion(extrusion),
          Metrics(glyphCount) {}
    float Extrusion;
    std::vector<GLYPHMETRICSFLOAT> Metrics;
};

struct OpenGLFont2D : OpenGLFontLists {
    using OpenGLFontLists::OpenGLFontLists;
};

// Width, height and depth of a text drawn with a 3-D font.
struct OpenGLTextSize {
    double Width = 0;
    double Height = 0;
    double Depth = 0;
};

// Builds the lists in the current rendering context from `font` selected into `dc`: none when
// the font is absent or no lists can be had (no context current, say).
std::unique_ptr<OpenGLFont3D> Create3DFont(HDC dc, TFont* font, int first, int count,
                                           float deviation, float extrusion, int format);
std::unique_ptr<OpenGLFont2D> Create2DFont(HDC dc, TFont* font, int first, int count);

// Call the glyphs' lists for the text; nothing when the font is absent, the text empty or a
// character outside the font. The 3-D text keeps the front-face winding it found.
void Draw3DText(const OpenGLFont3D* font, const AnsiString& text);
void Draw2DText(const OpenGLFont2D* font, const AnsiString& text);

// The size of the text from the glyph metrics: advancing glyphs add up, the others count with
// their extent; all zero when a character is outside the font. Nothing is written when the
// font or `size` is absent or the text is empty.
void Get3DTextSize(const OpenGLFont3D* font, const AnsiString& text, OpenGLTextSize* size);
