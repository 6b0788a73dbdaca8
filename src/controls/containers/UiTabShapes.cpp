#include "UiTabShapes.h"

#include <initializer_list>

namespace {

TPoint Moved(TPoint p, int dx, int dy) { return {p.X + dx, p.Y + dy}; }

void Inflate(TRect& r, int dx, int dy) {
    r.Left -= dx;
    r.Right += dx;
    r.Top -= dy;
    r.Bottom += dy;
}

void Offset(TRect& r, int dx, int dy) {
    r.Left += dx;
    r.Right += dx;
    r.Top += dy;
    r.Bottom += dy;
}

// A sequence of pen commands written as "M p" and "L p" steps.
struct TStep {
    int Code;
    TPoint P;
};
void AddSteps(TUiTabCommands& commands, std::initializer_list<TStep> steps) {
    for (const TStep& s : steps) commands.AddPt(s.Code, s.P);
}
TStep M(TPoint p) { return {tcMoveTo, p}; }
TStep L(TPoint p) { return {tcLineTo, p}; }
TStep Dark(TPoint p) { return {tcDarkShadow, p}; }
TStep Light(TPoint p) { return {tcLightShadow, p}; }

struct TCorners {
    TPoint K0, K1, K2, K3;
    explicit TCorners(const TRect& r)
        : K0{r.Left, r.Top}, K1{r.Right, r.Top}, K2{r.Right, r.Bottom}, K3{r.Left, r.Bottom} {}
};

// Darkens the two pixel lines the shadowed frame leaves free at the right and bottom.
void AddShadow(TUiTabCommands& commands, const TCorners& k, bool draw) {
    if (!draw) return;
    AddSteps(commands, {M(Moved(k.K1, -1, 1)), Dark(Moved(k.K2, -1, -1)), Dark(Moved(k.K3, 0, -1)),
                        M(Moved(k.K1, -1, 0)), Light(k.K1), Light(k.K2), Light(k.K3),
                        Light(Moved(k.K3, 0, -1))});
}

void AddPlainFrame(TUiTabCommands& c, const TCorners& k, const TUiCardFrame& f) {
    if (f.Shadowed) {
        AddSteps(c, {M(k.K0), L(Moved(k.K1, -2, 0)), L(Moved(k.K2, -2, -2)), L(Moved(k.K3, 0, -2)),
                     L(k.K0)});
        AddShadow(c, k, f.DrawShadow);
        return;
    }
    AddSteps(c, {M(k.K0), L(k.K1)});
    if (f.Full) AddSteps(c, {L(k.K2), L(k.K3), L(k.K0)});
}

void AddOpenFrame(TUiTabCommands& c, TUiTabOrientation orientation, const TCorners& k,
                  const TUiCardFrame& f) {
    const TPoint a = f.A, b = f.B;
    switch (orientation) {
    case toTop:
        if (f.Shadowed) {
            AddSteps(c, {M(k.K0), L(a), M(b), L(Moved(k.K1, -2, 0)), L(Moved(k.K2, -2, -2)),
                         L(Moved(k.K3, 0, -2)), L(Moved(k.K0, 0, -1))});
            AddShadow(c, k, f.DrawShadow);
        } else if (f.Full) {
            AddSteps(c, {M(k.K0), L(a), M(b), L(k.K1), L(k.K2), L(k.K3), L(k.K0)});
        } else {
            AddSteps(c, {M(k.K0), L(a), M(b), L(Moved(k.K1, 1, 0))});
        }
        break;
    case toBottom:
        if (f.Full)
            AddSteps(c, {M(k.K0), L(k.K1), L(k.K2), L({b.X - 1, b.Y}), M({a.X - 1, b.Y}), L(k.K3),
                         L(k.K0)});
        else
            AddSteps(c, {M(Moved(k.K2, 0, 1)), L({b.X - 1, b.Y + 1}), M({a.X - 1, b.Y + 1}),
                         L(Moved(k.K3, -1, 1))});
        break;
    case toLeft:
        if (f.Full)
            AddSteps(c, {M(k.K0), L(k.K1), L(k.K2), L(k.K3), L(a), M(b), L(k.K0)});
        else
            AddSteps(c, {M(Moved(k.K3, -1, 0)), L(Moved(a, -1, 0)), M(Moved(b, -1, 0)),
                         L(Moved(k.K0, -1, -1))});
        break;
    case toRight:
        if (f.Full)
            AddSteps(c, {M(k.K0), L(k.K1), L(a), M(b), L(k.K2), L(k.K3), L(k.K0)});
        else
            AddSteps(c, {M(Moved(k.K1, 1, 0)), L(Moved(a, 1, 0)), M(Moved(b, 1, 0)),
                         L(Moved(k.K2, 1, 1))});
        break;
    }
}

void AddOpenRoundFrame(TUiTabCommands& c, TUiTabOrientation orientation, const TCorners& k,
                       const TUiCardFrame& f) {
    TPoint a = f.A, b = f.B;
    switch (orientation) {
    case toTop:
        if (f.Shadowed) {
            AddSteps(c, {M(Moved(k.K3, 0, -2)), L(k.K0), L(a), M(b), L(Moved(k.K1, -2, 0)),
                         L(Moved(k.K2, -2, -2)), L(Moved(k.K3, -1, -2))});
            AddShadow(c, k, f.DrawShadow);
            c.Add(tcFrameColor);
        } else if (f.Full) {
            AddSteps(c, {M(k.K3), L(k.K0), L(a), M(b), L(k.K1), L(k.K2), L(Moved(k.K3, -1, 0))});
        } else {
            AddSteps(c, {M(k.K0), L(a), M(b), L(Moved(k.K1, 1, 0))});
        }
        AddSteps(c, {M(b), L(Moved(b, 1, 0))});
        break;
    case toBottom:
        a = Moved(a, -1, 0);
        b = Moved(b, -1, 0);
        if (f.Full)
            AddSteps(c, {M(k.K3), L(k.K0), L(k.K1), L(k.K2), L(b), M(a), L(k.K3)});
        else
            AddSteps(c, {M(Moved(k.K2, 0, 1)), L(Moved(b, 0, 1)), M({a.X, b.Y + 1}),
                         L(Moved(k.K3, -1, 1))});
        break;
    case toLeft:
        if (f.Full)
            AddSteps(c, {M(k.K3), L(a), M(b), L(k.K0), L(k.K1), L(k.K2), L(Moved(k.K3, -1, 0))});
        else
            AddSteps(c, {M(Moved(k.K3, -1, 0)), L(Moved(a, -1, 0)), M(Moved(b, -1, 0)),
                         L(Moved(k.K0, -1, 0))});
        break;
    case toRight:
        a = Moved(a, 0, -1);
        if (f.Full)
            AddSteps(c, {M(k.K3), L(k.K0), L(Moved(k.K1, 1, 0)), M(k.K1), L(Moved(a, 0, 1)), M(b),
                         L(k.K2), L(Moved(k.K3, -1, 0))});
        else
            AddSteps(c, {M(Moved(k.K1, 1, 0)), L(Moved(a, 1, 1)), M(Moved(b, 1, 0)),
                         L(Moved(k.K2, 1, 1))});
        break;
    }
}

void FaceOfSlant(const TUiTabGeometry& g, TRect& f, int w, int h, bool back) {
    const int sign = back ? -1 : 1;
    Inflate(f, -1, -1);
    if (g.Horizontal()) {
        if (back)
            f.Left += 2 * g.Offset(h) + 2;
        else
            f.Right -= 2 * g.Offset(h) + 2;
        Offset(f, 3 * sign, 0);
        if (g.Orientation == toTop)
            f.Top += 2;
        else
            f.Bottom -= 2;
        if (g.Orientation == toBottom) Offset(f, 0, sign);
        return;
    }
    const bool shortenTop = (g.Orientation == toLeft) != back;
    if (shortenTop) {
        f.Top += 2 * g.Offset(w) + 2;
        Offset(f, 0, -2);
    } else {
        f.Bottom -= 2 * g.Offset(w) + 2;
        Offset(f, 0, 2);
    }
    Offset(f, 0, sign);
    if (g.Orientation == toLeft)
        f.Left += 2;
    else
        f.Right -= 2;
    if (g.Orientation == toRight) Offset(f, 1, 0);
}

void FaceOfDoubleSlant(const TUiTabGeometry& g, TRect& f, int w, int h) {
    if (g.Horizontal()) {
        Inflate(f, 1, -1);
        Inflate(f, -g.Offset(h), 0);
        Offset(f, 1, 0);
        if (g.Orientation == toTop)
            f.Top += 2;
        else
            f.Bottom -= 2;
        if (g.Orientation == toBottom) Offset(f, 0, 1);
        return;
    }
    Inflate(f, -1, 1);
    Inflate(f, 0, -g.Offset(w));
    f.Bottom += 2;
    Offset(f, 0, 1);
    if (g.Orientation == toLeft)
        f.Left += 2;
    else
        f.Right -= 2;
    if (g.Orientation == toRight) Offset(f, 1, 0);
}

void FaceOfCutCorner(const TUiTabGeometry& g, TRect& f) {
    const int c = g.CutCornerSize;
    if (g.Horizontal()) {
        const int inset = g.VerticalText ? c + 3 : 3;
        Inflate(f, g.VerticalText ? -4 : -(c + 3), -1);
        if (g.Orientation == toTop)
            f.Top += inset;
        else
            f.Bottom -= inset;
        if (g.Orientation == toBottom) Offset(f, 0, 1);
        return;
    }
    const int inset = g.VerticalText ? 5 : c + 5;
    Inflate(f, -1, g.VerticalText ? -(c + 3) : -4);
    if (g.Orientation == toLeft)
        f.Left += inset;
    else
        f.Right -= inset;
    if (g.Orientation == toRight) Offset(f, 1, 0);
}

}  // namespace

int TUiTabGeometry::Offset(int length) const {
    switch (Style) {
    case tsSingleSlant:
    case tsBackSlant: return length / 2;
    case tsDoubleSlant: return length;
    default: return TabOverlap;
    }
}

int TabOutlinePointCount(const TUiTabGeometry& g) {
    switch (g.Style) {
    case tsSingleSlant: return g.SoftCorners ? 6 : 5;
    case tsDoubleSlant: return g.SoftCorners ? 6 : 4;
    case tsCutCorner: return 5;
    case tsRoundCorners: return 6;
    case tsBackSlant: return g.SoftCorners ? 6 : 5;
    }
    return 0;
}

std::vector<TPoint> TabOutline(const TUiTabGeometry& g, const TRect& r) {
    const int L = r.Left, T = r.Top, R = r.Right, B = r.Bottom, H = B - T, C = g.CutCornerSize;
    const bool soft = g.SoftCorners;
    switch (g.Style) {
    case tsSingleSlant:
        if (soft) return {{L, B}, {L, T + 2}, {L + 2, T}, {R - H - 4, T}, {R - H + 2, T + 2}, {R, B}};
        return {{L, B}, {L, T + 2}, {L + 2, T}, {R - H, T}, {R, B}};
    case tsDoubleSlant:
        if (soft)
            return {{L, B}, {L + H - 2, T + 2}, {L + H + 4, T}, {R - H - 4, T}, {R - H + 2, T + 2}, {R, B}};
        return {{L, B}, {L + H, T}, {R - H, T}, {R, B}};
    case tsCutCorner: return {{L, B}, {L, T}, {R - C, T}, {R, T + C}, {R, B}};
    case tsRoundCorners: return {{L, B}, {L, T + 2}, {L + 2, T}, {R - 2, T}, {R, T + 2}, {R, B}};
    case tsBackSlant:
        if (soft) return {{L, B}, {L + H - 2, T + 2}, {L + H + 4, T}, {R - 2, T}, {R, T + 2}, {R, B}};
        return {{L, B}, {L + H, T}, {R - 2, T}, {R, T + 2}, {R, B}};
    }
    return {};
}

TRect TabFaceRect(const TUiTabGeometry& g, const TRect& rect) {
    TRect f = rect;
    const int w = rect.Width(), h = rect.Height();
    switch (g.Style) {
    case tsSingleSlant: FaceOfSlant(g, f, w, h, false); break;
    case tsBackSlant: FaceOfSlant(g, f, w, h, true); break;
    case tsDoubleSlant: FaceOfDoubleSlant(g, f, w, h); break;
    case tsCutCorner: FaceOfCutCorner(g, f); break;
    case tsRoundCorners:
        if (g.VerticalText)
            Inflate(f, -2, -4);
        else
            Inflate(f, -4, -2);
        break;
    }
    Inflate(f, -1, -1);
    return f;
}

bool TUiTabCommands::HasShadow() const {
    for (size_t i = 0; i < items_.size(); i += items_[i] < tcElement ? 1 : 3)
        if (items_[i] == tcDarkShadow || items_[i] == tcLightShadow) return true;
    return false;
}

void AddTabOutlineCommands(TUiTabCommands& commands, const TUiTabGeometry& g,
                           const std::vector<TPoint>& q) {
    if (g.Style > tsBackSlant) return;
    commands.Add(tcFrameColor);
    if (g.Style != tsRoundCorners) {
        commands.AddPt(tcMoveTo, q[0]);
        for (size_t i = 1; i < q.size(); ++i) commands.AddPt(tcLineTo, q[i]);
        return;
    }
    if (g.Orientation == toLeft)
        AddSteps(commands, {M(q[1]), L(q[0]), M(q[1]), L(q[2]), L(q[3]), L(q[4]), L(q[5])});
    else
        AddSteps(commands, {M(q[4]), L(q[5]), M(q[4]), L(q[3]), L(q[2]), L(q[1]), L(q[0])});
}

void AddCardFrameCommands(TUiTabCommands& commands, const TUiTabGeometry& g,
                          const TUiCardFrame& frame) {
    const TCorners k(frame.Card);
    commands.Add(tcFrameColor);
    if (!frame.Open)
        AddPlainFrame(commands, k, frame);
    else if (g.Style == tsRoundCorners)
        AddOpenRoundFrame(commands, g.Orientation, k, frame);
    else
        AddOpenFrame(commands, g.Orientation, k, frame);
}
