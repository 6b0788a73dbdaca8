#include "PlotHtml.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "cl_number.h"
#include "cl_sys.h"

std::function<TGraphic*(const AnsiString&)> GraphicFileExtension;
std::function<int(const AnsiString&, TMemoryStream*)> GraphicDownload;

namespace {

const char* const kCrLf = "\r\n";

struct HtmlAttribute {
    AnsiString name;  // upper case
    AnsiString value;
};

AnsiString Unquoted(const AnsiString& value) {
    const int n = value.Length();
    if (n >= 2 && value[1] == '"' && value[n] == '"') return value.SubString(2, n - 2);
    return value;
}

// Name=value pairs counted by their "=" signs. A value runs to the last space before the next
// "=" (so it may hold spaces), the last one to the end; without such a space it is empty.
std::vector<HtmlAttribute> ParseAttributes(const std::string& body) {
    std::vector<size_t> equals;
    for (size_t i = 0; i < body.size(); ++i)
        if (body[i] == '=') equals.push_back(i);
    std::vector<HtmlAttribute> attributes;
    size_t nameStart = 0;
    for (size_t i = 0; i < equals.size(); ++i) {
        const size_t valueStart = equals[i] + 1;
        size_t valueEnd = body.size();
        size_t nextNameStart = body.size();
        if (i + 1 < equals.size()) {
            const size_t space = body.rfind(' ', equals[i + 1]);
            valueEnd = space != std::string::npos && space >= valueStart ? space : valueStart;
            nextNameStart = valueEnd == valueStart ? valueStart : space + 1;
        }
        const AnsiString name = body.substr(nameStart, equals[i] - nameStart);
        const AnsiString value = body.substr(valueStart, valueEnd - valueStart);
        attributes.push_back({UpperCase(Trim(name)), Unquoted(Trim(value))});
        nameStart = nextNameStart;
    }
    return attributes;
}

TColor ParseHtmlColor(const AnsiString& text) {
    const AnsiString value = UpperCase(Trim(text));
    static const struct {
        const char* name;
        TColor color;
    } kNames[] = {{"BLACK", 0x000000}, {"RED", 0x0000FF},    {"BLUE", 0xFF0000},
                  {"YELLOW", 0x00FFFF}, {"WHITE", 0xFFFFFF}, {"GREEN", 0x008000},
                  {"LIME", 0x00FF00}};
    for (const auto& entry : kNames)
        if (value == entry.name) return entry.color;
    if (value.Length() > 0 && value[1] == '#') {
        const auto rgb = static_cast<uint32_t>(StringToColor("$" + value.SubString(2, 6)));
        return static_cast<TColor>(((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16));
    }
    return StringToColor(value);
}

TFontStyles ParseWeight(const AnsiString& value) {
    TFontStyles styles;
    std::string rest = value.str();
    while (true) {
        const size_t comma = rest.find(',');
        const AnsiString word = UpperCase(Trim(AnsiString(rest.substr(0, comma))));
        if (word == "BOLD")
            styles.insert(fsBold);
        else if (word == "ITALIC")
            styles.insert(fsItalic);
        else if (word == "UNDERLINE")
            styles.insert(fsUnderline);
        else if (word == "STRIKE")
            styles.insert(fsStrikeOut);
        else if (word != "NORMAL")
            throw Exception("Unknown field in FONT WEIGHT=" + value);
        if (comma == std::string::npos) break;
        rest.erase(0, comma + 1);
    }
    return styles;
}

// The FONT tag that restores the font as it is.
AnsiString FontTag(TFont* font) {
    static const struct {
        TFontStyle style;
        const char* word;
    } kWords[] = {{fsBold, "BOLD"}, {fsItalic, "ITALIC"}, {fsUnderline, "UNDERLINE"},
                  {fsStrikeOut, "STRIKE"}};
    AnsiString words;
    for (const auto& entry : kWords) {
        if (!font->Style().count(entry.style)) continue;
        if (!words.IsEmpty()) words += ", ";
        words += entry.word;
    }
    if (words.IsEmpty()) words = "NORMAL";
    return "<FONT size=" + IntToStr(font->Size()) + " name=" + font->Name() +
           " color=" + IntToStr(static_cast<int>(font->Color())) + " weight=" + words + ">";
}

AnsiString ReplaceEntities(AnsiString text) {
    text = StringReplace(text, "&lt;", "<", rfReplaceAll);
    text = StringReplace(text, "&gt;", ">", rfReplaceAll);
    text = StringReplace(text, "&amp;", "&", rfReplaceAll);
    return StringReplace(text, "&quot;", "\"", rfReplaceAll);
}

bool StartsWith(const AnsiString& text, const char* prefix) {
    return text.str().compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

bool EndsWithCrLf(const AnsiString& text) {
    const std::string& s = text.str();
    return s.size() >= 2 && s.compare(s.size() - 2, 2, kCrLf) == 0;
}

// One walk over one text: pen position, line bookkeeping and the tag and font stacks.
class HtmlWalk {
public:
    HtmlWalk(TPlotCanvas* canvas, int x, int y, bool draw)
        : canvas_(canvas), left_(x), x_(x), y_(y), draw_(draw),
          lineHeight_(canvas->FontHeight()) {}

    void Run(AnsiString rest) {
        while (!rest.IsEmpty()) HandleToken(NextToken(rest));
    }
    TSize Extent() const { return {extentWidth_, extentHeight_}; }

private:
    static AnsiString NextToken(AnsiString& rest) {
        const int open = rest.Pos("<");
        int length = rest.Length();
        if (open == 1) {
            length = rest.Pos(">");
            if (length == 0) throw HtmlParserException("Missing > at " + rest.SubString(2, rest.Length()));
        } else if (open > 1) {
            length = open - 1;
        }
        const AnsiString token = rest.SubString(1, length);
        rest.Delete(1, length);
        return token;
    }

    void HandleToken(AnsiString token) {
        if (StartsWith(token, kCrLf)) {
            BreakLine();
            token.Delete(1, 2);
            if (token.IsEmpty()) return;
        }
        pushedFont_ = false;
        if (!HandleTag(token, token.UpperCase())) {
            OutputText(token);
            return;
        }
        previousPushed_ = pushedFont_;
    }

    // False when the token is no known tag (it is then drawn as text). FONT and IMG tags are
    // read from the token as written.
    bool HandleTag(const AnsiString& token, const AnsiString& tag) {
        TFont* font = canvas_->Font();
        if (tag == "<BR>" || tag == "<P>") {
            BreakLine();
        } else if (tag == "<BIG>" || tag == "<SMALL>") {
            SaveFont();
            font->SetSize(font->Size() + (tag == "<BIG>" ? 2 : -2));
        } else if (tag == "<SUB>" || tag == "<SUPER>") {
            SaveFont();
            font->SetSize(font->Size() / 2);
            y_ += tag == "<SUB>" ? canvas_->FontHeight() : -(canvas_->FontHeight() / 2);
        } else if (tag == "</SUB>") {
            RestoreFont();
            y_ -= canvas_->FontHeight();
        } else if (tag == "</SUPER>") {
            RestoreFont();
            y_ += canvas_->FontHeight() / 2;
        } else if (tag.Length() == 4 && StartsWith(tag, "<H") && tag[3] >= '1' && tag[3] <= '6' &&
                   tag[4] == '>') {
            static const int kSizes[] = {48, 36, 24, 18, 12, 8};
            SaveFont();
            font->SetSize(kSizes[tag[3] - '1']);
        } else if (tag == "<PRE>") {
            SaveFont();
            ApplyFontTag("<FONT name=COURIER NEW>");
        } else if (tag == "</PRE>" || StartsWith(tag, "</FONT")) {
            RestoreFont();
        } else if (tag == "<CENTER>" || tag == "</CENTER>") {
            centre_ = tag == "<CENTER>";
        } else if (StartsWith(tag, "<FONT ")) {
            SaveFont();
            ApplyFontTag(token);
        } else if (tag == "</>") {
            CloseLast();
        } else if (tag == "<HR>") {
            Rule();
        } else if (StartsWith(tag, "<IMG ")) {
            Image(token);
        } else {
            return HandleStyleTag(tag);
        }
        return true;
    }

    bool HandleStyleTag(const AnsiString& tag) {
        static const struct {
            const char* name;
            TFontStyle style;
        } kStyles[] = {{"B", fsBold},   {"BOLD", fsBold},      {"STRONG", fsBold},
                       {"I", fsItalic}, {"U", fsUnderline}, {"STRIKE", fsStrikeOut}};
        TFont* font = canvas_->Font();
        for (const auto& entry : kStyles) {
            TFontStyles styles = font->Style();
            if (tag == AnsiString("<") + entry.name + ">") {
                styles.insert(entry.style);
                font->SetStyle(styles);
                tagStack_.push_back(tag);
                return true;
            }
            if (tag == AnsiString("</") + entry.name + ">") {
                styles.erase(entry.style);
                font->SetStyle(styles);
                return true;
            }
        }
        return false;
    }

    // "</>": restores the font the previous tag saved, else closes the last opened style tag.
    void CloseLast() {
        if (previousPushed_) {
            RestoreFont();
            return;
        }
        AnsiString last;
        if (!tagStack_.empty()) {
            last = tagStack_.back();
            tagStack_.pop_back();
        }
        HandleToken("</" + last.SubString(2, last.Length()));
    }

    void SaveFont() {
        fontStack_.push_back(FontTag(canvas_->Font()));
        pushedFont_ = true;
    }

    void RestoreFont() {
        if (fontStack_.empty()) return;
        const AnsiString tag = fontStack_.back();
        fontStack_.pop_back();
        ApplyFontTag(tag);
    }

    void ApplyFontTag(const AnsiString& tag) {
        TFont* font = canvas_->Font();
        const AnsiString body = tag.SubString(7, tag.Length() - 7);
        for (const HtmlAttribute& attribute : ParseAttributes(body.str())) {
            const AnsiString& value = attribute.value;
            if (attribute.name == "NAME" || attribute.name == "FAMILY")
                font->SetName(value);
            else if (attribute.name == "SIZE")
                font->SetSize(StartsWith(value, "+") || StartsWith(value, "-")
                                  ? font->Size() + StrToInt(value)
                                  : StrToInt(value));
            else if (attribute.name == "COLOR")
                font->SetColor(ParseHtmlColor(value));
            else if (attribute.name == "WEIGHT")
                font->SetStyle(ParseWeight(value));
            else
                throw Exception("Unknown field in FONT: " + attribute.name);
        }
    }

    void BreakLine() {
        x_ = left_;
        EndLine();
        y_ += canvas_->FontHeight();
    }

    // The line's height counts towards the extent; the next text starts a new line.
    void EndLine() {
        linesHeight_ += lineHeight_;
        lineHeight_ = 0;
    }

    void OutputText(const AnsiString& token) {
        AnsiString text = ReplaceEntities(token);
        const bool lineBreak = EndsWithCrLf(text);
        if (lineBreak) text.SetLength(text.Length() - 2);
        if (!text.IsEmpty()) {
            const int width = canvas_->TextWidth(text);
            if (centre_) x_ = (canvas_->WindowRect.Left + canvas_->WindowRect.Right) / 2 - width / 2;
            const int height = canvas_->TextHeight(text);
            if (lineHeight_ == 0) {
                lineHeight_ = canvas_->FontHeight();
                y_ += lineHeight_;
            } else if (height < lineHeight_) {
                y_ += lineHeight_ - height - 1;
            }
            if (draw_) canvas_->TextOut(x_, y_, text);
            x_ += width;
            lineHeight_ = std::max(lineHeight_, height);
            extentWidth_ = std::max(extentWidth_, x_);
            extentHeight_ = std::max(extentHeight_, linesHeight_ + lineHeight_);
        }
        if (lineBreak) {
            EndLine();
            x_ = left_;
        }
    }

    void Rule() {
        x_ = left_;
        if (draw_) {
            TPen* pen = canvas_->Pen();
            pen->SetStyle(psSolid);
            pen->SetWidth(1);
            pen->SetColor(static_cast<TColor>(0x808080));
            canvas_->Line(x_, y_, x_ + 100, y_);
        }
        y_ += canvas_->FontHeight();
    }

    void Image(const AnsiString& tag) {
        AnsiString body = tag.SubString(6, tag.Length());
        if (StartsWith(body, kCrLf)) body.Delete(1, 2);
        if (body.Length() > 0 && body[body.Length()] == '>') body.SetLength(body.Length() - 1);
        int width = 0, height = 0;
        AnsiString source;
        bool hasSource = false;
        for (const HtmlAttribute& attribute : ParseAttributes(body.str())) {
            if (attribute.name == "WIDTH") width = StrToInt(attribute.value);
            if (attribute.name == "HEIGHT") height = StrToInt(attribute.value);
            if (attribute.name == "SRC") {
                source = Trim(Unquoted(attribute.value));
                hasSource = true;
            }
        }
        if (!hasSource) return;
        if (!DrawImage(source, width, height)) BrokenImage(width ? width : 40, height ? height : 40);
    }

    // False when the image cannot be had or read.
    bool DrawImage(const AnsiString& source, int width, int height) {
        if (!GraphicFileExtension || !GraphicDownload) return false;
        std::unique_ptr<TGraphic, void (*)(TGraphic*)> graphic(
            GraphicFileExtension(UpperCase(ExtractFileExt(source))),
            [](TGraphic* g) { TObject::Free(g); });
        if (!graphic) return false;
        TMemoryStream stream;
        if (GraphicDownload(source, &stream) != 0 || stream.Size() == 0) return false;
        try {
            stream.SetPosition(0);
            graphic->LoadFromStream(&stream);
            if (width == 0) width = graphic->Width();
            if (height == 0) height = graphic->Height();
            if (draw_) {
                if (width == graphic->Width() && height == graphic->Height())
                    canvas_->Draw(x_, y_, graphic.get());
                else
                    canvas_->StretchDraw(Rect(x_, y_, x_ + width, y_ + height), graphic.get());
            }
        } catch (const Exception&) {
            return false;
        }
        x_ += width;
        y_ += height;
        return true;
    }

    void BrokenImage(int width, int height) {
        if (!draw_) return;
        TPen* pen = canvas_->Pen();
        pen->SetStyle(psSolid);
        pen->SetWidth(1);
        pen->SetColor(static_cast<TColor>(0x0000FF));
        canvas_->Brush()->SetStyle(bsSolid);
        canvas_->Brush()->SetColor(clWhite);
        canvas_->Rectangle(x_, y_, x_ + width, y_ + height);
        canvas_->Line(x_, y_, x_ + width - 1, y_ + height - 1);
        canvas_->Line(x_, y_ + height - 1, x_ + width - 1, y_);
    }

    TPlotCanvas* canvas_;
    int left_, x_, y_;
    bool draw_;
    int lineHeight_;
    int linesHeight_ = 0;
    bool centre_ = false;
    bool pushedFont_ = false;
    bool previousPushed_ = false;
    int extentWidth_ = 0, extentHeight_ = 0;
    std::vector<AnsiString> tagStack_;
    std::vector<AnsiString> fontStack_;
};

}  // namespace

void HtmlTextOut(TPlotCanvas* canvas, int x, int y, const AnsiString& text) {
    HtmlWalk(canvas, x, y, true).Run(text);
}

TSize HtmlTextExtent(TPlotCanvas* canvas, const AnsiString& text) {
    HtmlWalk walk(canvas, 0, 0, false);
    walk.Run(text);
    return walk.Extent();
}
