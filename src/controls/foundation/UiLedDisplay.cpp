#include "UiLedDisplay.h"

#include <cmath>

#include "cl_extctrls.h"
#include "cl_filer.h"
#include "cl_graphics.h"

namespace {

// Codes 32 to 255, eight per line, five column bytes each in hexadecimal.
const char* const CharacterSet[] = {
    "0000000000 0000FA0000 00C000C000 287C287C28 2454FE5448 6468102C4C 6C92AA440A 0020C00000",
    "00007C8200 00827C0000 5438FE3854 10107C1010 0002040000 1010101010 0000020000 0408102040",
    "7C8A92A27C 0042FE0200 468A929262 449292926C F0101010FE F49292928C 7C9292924C C0808E90E0",
    "6C9292926C 649292927C 0000240000 0002240000 1028448200 2828282828 0082442810 40809A9060",
    "7C92AABA70 7E9090907E FE9292926C 7C82828244 FE8282827C FE92929282 FE90909080 7C8292925C",
    "FE101010FE 8282FE8282 04020202FC FE10284482 FE02020202 FE402040FE FE201008FE 7C8282827C",
    "FE90909060 7C8282867E FE9090906E 649292924C 8080FE8080 FC020202FC E0180618E0 FC020C02FC",
    "C6281028C6 C0201E20C0 868A92A2C2 00FE828200 4020100804 008282FE00 2040804020 0202020202",
    "0000C02000 042A2A2A1E FE2222221C 1C22222214 1C222222FE 1C2A2A2A18 107E909040 102A2A2A1C",
    "FE2020201E 0022BE0200 0002BC0000 FE08081422 0082FE0200 3E203E201E 3E2020201E 1C2222221C",
    "3E28282810 102828283E 3E20202010 122A2A2A24 20FC222200 3C0202023E 3804020438 3C020C023C",
    "2214081422 2214081020 22262A3222 00106C8200 0000FE0000 00826C1000 4080402040 007C7C7C00",
    "0000000000 007C7C7C00 007C7C7C00 007C7C7C00 007C7C7C00 0000000000 0000000000 007C7C7C00",
    "007C7C7C00 007C7C7C00 007C7C7C00 007C7C7C00 007C7C7C00 007C7C7C00 007C7C7C00 007C7C7C00",
    "007C7C7C00 0000000000 0000000000 007C7C7C00 007C7C7C00 007C7C7C00 007C7C7C00 007C7C7C00",
    "007C7C7C00 0000000000 007C7C7C00 007C7C7C00 007C7C7C00 007C7C7C00 007C7C7C00 007C7C7C00",
    "007C7C7C00 0000BE0000 3844FE4428 067A929242 4438283844 D0301E30D0 0000EE0000 52AAAAAA94",
    "0080008000 7C92AAAA7C 00B4B47400 08142A1422 1010101018 0010101000 7C82BAA27C 8080808080",
    "0040A04000 0024742400 0090B05000 0088A87000 0000408000 3E04043804 60F0FE80FE 0000100000",
    "00020A0400 0050F01000 0050B05000 22142A1408 E8102C449E E81020568A E8F02C449E 0402B20A04",
    "1EA868281E 1E2868A81E 1E68A8681E 5EA8A8689E 1EA828A81E 1E28A8281E 7E90FE9292 7884868448",
    "7884868448 3E2A6AAA22 3E6AAA6A22 3EAA2AAA22 22A27E2222 22227EA222 2262BE6222 22A23EA222",
    "10FE924438 7E908844BE 1CA2622214 1C2262A214 1C62A26214 5CA2A26294 1CA222A214 0014081400",
    "7C8A92A27C 7C8242027C 7C0242827C 7C4282427C 7C8202827C 60104E9060 00FE282810 7E9092720C",
    "04AA6A2A1E 042A6AAA1E 046AAA6A1E 44AAAA6A9E 04AA2AAA1E 042AAA2A1E 042A3E2A1A 1824262400",
    "1CAA6A2A18 1C2A6AAA18 1C6AAA6A18 1CAA2AAA18 00A27E0200 00227E8200 0062BE4200 00A23E8200",
    "0CB252B21C 7EA0A0609E 1CA262221C 1C2262A21C 1C62A2621C 5CA2A2629C 1CA222A21C 1010541010",
    "3A4C5464B8 3C8242023E 3C0242823E 3C4282423E 3C8202823E 2214489020 007E140800 2294089020",
};

int HexDigit(char c) { return c <= '9' ? c - '0' : c - 'A' + 10; }

}  // namespace

uint8_t LEDColumnByte(uint8_t code, int column) {
    if (code < 32) code = 127;
    const int index = code - 32;
    const char* digits = CharacterSet[index / 8] + (index % 8) * 11 + column * 2;
    return static_cast<uint8_t>(HexDigit(digits[0]) * 16 + HexDigit(digits[1]));
}

TUiLEDDisplay::TUiLEDDisplay(TComponent* owner) : TUiBorder(owner) {
    ControlStyle.insert(csOpaque);
    TUiBorder::SetBorderOuter(fsStatus);
    timer_ = new TTimer(this);
    timer_->SetEnabled(false);
    timer_->SetInterval(scrollDelay_);
    timer_->SetOnTimer([this](TObject* sender) { TimerEventHandler(sender); });
    SetBounds(Left(), Top(), 100, 30);
}

void TUiLEDDisplay::DefineProperties(TFiler* filer) {
    TUiBorder::DefineProperties(filer);
    filer->DefineProperty("SegSpacing", &TUiOldPropReader::ReadOldIntegerProp, nullptr, false);
    filer->DefineProperty("DisplayCells", &TUiOldPropReader::ReadOldIntegerProp, nullptr, false);
}

void TUiLEDDisplay::SetBevelWidth(int value) {
    TUiBorder::SetBevelWidth(value);
    UpdateDotDimensions();
}

void TUiLEDDisplay::SetBorderWidth(int value) {
    TUiBorder::SetBorderWidth(value);
    UpdateDotDimensions();
}

void TUiLEDDisplay::SetBorderInner(TFrameStyleEx value) {
    TUiBorder::SetBorderInner(value);
    UpdateDotDimensions();
}

void TUiLEDDisplay::SetBorderOuter(TFrameStyleEx value) {
    TUiBorder::SetBorderOuter(value);
    UpdateDotDimensions();
}

void TUiLEDDisplay::SetBorderSides(TSides value) {
    TUiBorder::SetBorderSides(value);
    UpdateDotDimensions();
}

void TUiLEDDisplay::SetBounds(int left, int top, int width, int height) {
    TUiBorder::SetBounds(left, top, width, height);
    UpdateDotDimensions();
}

void TUiLEDDisplay::Loaded() {
    TUiBorder::Loaded();
    SetBounds(Left(), Top(), Width(), Height());
}

void TUiLEDDisplay::UpdateDotDimensions() {
    dotSize_ = std::max(1, static_cast<int>(ClientRect().Height() / 7.6));
    dotGap_ = static_cast<int>(dotSize_ * 0.1);
    UpdateSteps();
}

void TUiLEDDisplay::UpdateSteps() { steps_ = CellWidth() * Caption().Length() + Width(); }

void TUiLEDDisplay::Dispatch(TMessage& message) {
    TUiBorder::Dispatch(message);
    if (message.Msg != CM_TEXTCHANGED) return;
    UpdateSteps();
    Invalidate();
}

bool TUiLEDDisplay::ScrollingNow() const {
    return scrolling_ && scrollType_ != TUiScrollType::stNone;
}

void TUiLEDDisplay::UpdateTimer() { timer_->SetEnabled(ScrollingNow()); }

void TUiLEDDisplay::SetScrolling(bool value) {
    if (value == scrolling_) return;
    scrolling_ = value;
    UpdateTimer();
    if (value) return;
    offset_ = 0;
    Invalidate();
}

void TUiLEDDisplay::SetScrollType(TUiScrollType value) {
    if (value == scrollType_) return;
    scrollType_ = value;
    UpdateTimer();
    Invalidate();
}

void TUiLEDDisplay::SetScrollDelay(uint16_t value) {
    scrollDelay_ = value;
    timer_->SetInterval(value);
}

void TUiLEDDisplay::TimerEventHandler(TObject*) {
    offset_ += dotSize_ + dotGap_;
    const bool passDone = offset_ >= steps_;
    if (passDone) offset_ = 0;
    Repaint();
    if (passDone) ScrollComplete();
}

void TUiLEDDisplay::ScrollComplete() {
    if (OnScrollComplete) OnScrollComplete(this);
}

void TUiLEDDisplay::DrawCell(TCanvas* canvas, TPoint origin, uint8_t code) {
    const int pitch = dotSize_ + dotGap_;
    canvas->Pen()->SetColor(backColor_);
    canvas->Pen()->SetWidth(1);
    canvas->Pen()->SetStyle(psSolid);
    canvas->Brush()->SetStyle(bsSolid);
    for (int column = 0; column < 6; ++column) {
        const uint8_t bits = column < 5 ? LEDColumnByte(code, column) : 0;
        for (int row = 0; row < 7; ++row) {
            const bool on = (bits >> (7 - row)) & 1;
            canvas->Brush()->SetColor(on ? segOnColor_ : segOffColor_);
            const int x = origin.X + column * pitch;
            const int y = origin.Y + row * pitch;
            canvas->Rectangle(x, y, x + dotSize_ + 1, y + dotSize_ + 1);
        }
    }
}

int TUiLEDDisplay::TextStart(int clientWidth, int textWidth) const {
    const int pitch = dotSize_ + dotGap_;
    if (ScrollingNow()) {
        if (scrollType_ == TUiScrollType::stRightToLeft)
            return pitch * (clientWidth / pitch) - offset_;
        return -textWidth + offset_;
    }
    if (alignment_ == taCenter) return (clientWidth - textWidth) / 2;
    return 0;
}

void TUiLEDDisplay::PaintBackgroundCells(TCanvas* canvas, int clientWidth, int textWidth,
                                         int top) {
    const int cell = CellWidth();
    if (alignment_ == taRightJustify && !ScrollingNow()) {
        for (int x = clientWidth - cell; x + cell > 0; x -= cell) DrawCell(canvas, {x, top}, ' ');
        return;
    }
    int x = 0;
    if (alignment_ == taCenter && !ScrollingNow())
        x = ((clientWidth - textWidth) / 2) % cell - cell;
    for (; x < clientWidth; x += cell) DrawCell(canvas, {x, top}, ' ');
}

void TUiLEDDisplay::Paint() {
    TUiBorder::Paint();
    const TRect client = ClientRect();
    const int width = client.Width();
    const int height = client.Height();
    if (width <= 0 || height <= 7) return;
    TBitmap image;
    image.SetSize(width, height);
    TCanvas* canvas = image.Canvas();
    canvas->Brush()->SetColor(backColor_);
    canvas->FillRect(TRect(0, 0, width, height));
    const AnsiString text = Caption();
    const int cell = CellWidth();
    const int textWidth = cell * text.Length();
    const int top = (height - CellHeight()) / 2;
    PaintBackgroundCells(canvas, width, textWidth, top);
    if (alignment_ == taRightJustify && !ScrollingNow()) {
        int x = width - cell;
        for (int i = text.Length(); i >= 1; --i, x -= cell)
            DrawCell(canvas, {x, top}, static_cast<uint8_t>(text[i]));
    } else {
        int x = TextStart(width, textWidth);
        for (int i = 1; i <= text.Length(); ++i, x += cell)
            DrawCell(canvas, {x, top}, static_cast<uint8_t>(text[i]));
    }
    Canvas()->Draw(client.Left, client.Top, &image);
}
