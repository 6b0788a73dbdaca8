// The metafile translation. The metafile is played on a tiny surface so that the system keeps
// the drawing state (objects, colours, mapping, world transform, clipping, current position);
// before each drawing record is played, the state is read back and the record is written as
// PDF. Drawing records that cannot be written so are later played alone onto a white and a
// black surface, and what they drew goes into the PDF as an image with its coverage.
#include "EmfTranslator.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "FontChoice.h"
#include "RasterImage.h"

namespace pdfengine {

namespace {

constexpr double DeviceUnitsPerPoint = 4;
constexpr int FallbackDpi = 150;
constexpr int MaxFallbackPixels = 6000;
constexpr double Pi = 3.14159265358979323846;

template <class T> const T* As(const ENHMETARECORD* record) {
    return record->nSize >= sizeof(T) ? reinterpret_cast<const T*>(record) : nullptr;
}

bool Within(const ENHMETARECORD* record, size_t offset, size_t size) {
    return offset <= record->nSize && size <= record->nSize - offset;
}

const BYTE* At(const ENHMETARECORD* record, size_t offset) {
    return reinterpret_cast<const BYTE*>(record) + offset;
}

PointF Add(PointF p, PointF v, double k = 1) { return {p.x + v.x * k, p.y + v.y * k}; }
PointF Sub(PointF a, PointF b) { return {a.x - b.x, a.y - b.y}; }
PointF Scaled(PointF v, double k) { return {v.x * k, v.y * k}; }

int CALLBACK TranslateProc(HDC dc, HANDLETABLE* table, const ENHMETARECORD* record, int handles,
                           LPARAM data) {
    try {
        return reinterpret_cast<EmfTranslator*>(data)->OnRecord(dc, table, record, handles);
    } catch (...) {
        return 1;
    }
}

int CALLBACK RenderProc(HDC dc, HANDLETABLE* table, const ENHMETARECORD* record, int handles,
                        LPARAM data) {
    try {
        return reinterpret_cast<EmfTranslator*>(data)->OnRenderRecord(dc, table, record, handles);
    } catch (...) {
        return 0;
    }
}

// Reads `count` points (16 or 32 bits a coordinate) at `offset`.
bool ReadPoints(const ENHMETARECORD* record, size_t offset, size_t count, bool shortPoints,
                std::vector<PointF>& points) {
    const size_t size = shortPoints ? sizeof(POINTS) : sizeof(POINTL);
    if (count > record->nSize / size || !Within(record, offset, count * size)) return false;
    points.clear();
    for (size_t i = 0; i < count; ++i) {
        if (shortPoints) {
            const auto* p = reinterpret_cast<const POINTS*>(At(record, offset) + i * size);
            points.push_back({static_cast<double>(p->x), static_cast<double>(p->y)});
        } else {
            const auto* p = reinterpret_cast<const POINTL*>(At(record, offset) + i * size);
            points.push_back({static_cast<double>(p->x), static_cast<double>(p->y)});
        }
    }
    return true;
}

bool IsShortPoly(DWORD type) {
    return type == EMR_POLYLINE16 || type == EMR_POLYGON16 || type == EMR_POLYBEZIER16 ||
           type == EMR_POLYLINETO16 || type == EMR_POLYBEZIERTO16 ||
           type == EMR_POLYPOLYLINE16 || type == EMR_POLYPOLYGON16;
}

std::wstring Widen(const std::string& text) {
    if (text.empty()) return std::wstring();
    const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0);
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], size);
    return wide;
}

std::string Narrow(const std::wstring& text) {
    if (text.empty()) return std::string();
    const int size = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &narrow[0], size,
                        nullptr, nullptr);
    return narrow;
}

class Region {
public:
    Region() : region_(CreateRectRgn(0, 0, 0, 0)) {}
    ~Region() {
        if (region_) DeleteObject(region_);
    }
    Region(const Region&) = delete;
    Region& operator=(const Region&) = delete;
    HRGN Get() const { return region_; }
    HRGN Release() {
        HRGN region = region_;
        region_ = nullptr;
        return region;
    }

private:
    HRGN region_;
};

}  // namespace

EmfTranslator::EmfTranslator(PdfDocument& doc, HPDF_Page page, double pageHeight,
                             TextMerge textMerge)
    : doc_(doc), page_(page), pageHeight_(pageHeight), textMerge_(std::move(textMerge)) {}

void EmfTranslator::Translate(HENHMETAFILE metafile, double left, double top, double width,
                              double height) {
    ENHMETAHEADER header{};
    if (!GetEnhMetaFileHeader(metafile, sizeof(header), &header) || width <= 0 || height <= 0) {
        return;
    }
    if (header.szlDevice.cx > 0 && header.szlMillimeters.cx > 0) {
        cosmeticWidth_ = 72.0 * header.szlMillimeters.cx / (25.4 * header.szlDevice.cx);
    }
    metafile_ = metafile;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    deviceToPage_ = Affine{1 / DeviceUnitsPerPoint, 0, 0, -1 / DeviceUnitsPerPoint, 0, pageHeight_};
    index_ = -1;
    inPath_ = false;
    kinds_.clear();
    pending_.clear();

    Surface state(1, 1, 0x00FFFFFF);
    if (!state.Valid()) return;
    PdfPainter painter(page_);
    painter_ = &painter;
    target_ = {static_cast<LONG>(std::lround(left * DeviceUnitsPerPoint)),
               static_cast<LONG>(std::lround(top * DeviceUnitsPerPoint)),
               static_cast<LONG>(std::lround((left + width) * DeviceUnitsPerPoint)),
               static_cast<LONG>(std::lround((top + height) * DeviceUnitsPerPoint))};
    EnumEnhMetaFile(state.DC(), metafile, TranslateProc, this, &target_);
    FlushFallback();
    painter_->ClearClip();
    if (appliedClip_) DeleteObject(appliedClip_);
    appliedClip_ = nullptr;
    clipApplied_ = false;
    painter_ = nullptr;
}

EmfTranslator::Kind EmfTranslator::Classify(DWORD type) {
    switch (type) {
        case EMR_BEGINPATH:
            inPath_ = true;
            return State;
        case EMR_ENDPATH:
        case EMR_ABORTPATH:
            inPath_ = false;
            return State;
        case EMR_POLYBEZIER: case EMR_POLYGON: case EMR_POLYLINE: case EMR_POLYBEZIERTO:
        case EMR_POLYLINETO: case EMR_POLYPOLYLINE: case EMR_POLYPOLYGON: case EMR_SETPIXELV:
        case EMR_LINETO: case EMR_ARC: case EMR_CHORD: case EMR_PIE: case EMR_ELLIPSE:
        case EMR_RECTANGLE: case EMR_ROUNDRECT: case EMR_BITBLT: case EMR_STRETCHBLT:
        case EMR_STRETCHDIBITS: case EMR_EXTTEXTOUTA: case EMR_EXTTEXTOUTW:
        case EMR_POLYBEZIER16: case EMR_POLYGON16: case EMR_POLYLINE16: case EMR_POLYBEZIERTO16:
        case EMR_POLYLINETO16: case EMR_POLYPOLYLINE16: case EMR_POLYPOLYGON16:
            return inPath_ ? State : Translated;
        case EMR_ANGLEARC: case EMR_ARCTO: case EMR_POLYDRAW: case EMR_EXTFLOODFILL:
        case EMR_FILLPATH: case EMR_STROKEANDFILLPATH: case EMR_STROKEPATH: case EMR_FILLRGN:
        case EMR_FRAMERGN: case EMR_INVERTRGN: case EMR_PAINTRGN: case EMR_MASKBLT:
        case EMR_PLGBLT: case EMR_SETDIBITSTODEVICE: case EMR_POLYDRAW16:
        case EMR_POLYTEXTOUTA: case EMR_POLYTEXTOUTW: case EMR_ALPHABLEND:
        case EMR_TRANSPARENTBLT: case EMR_GRADIENTFILL:
            return inPath_ && type != EMR_FILLPATH && type != EMR_STROKEPATH &&
                           type != EMR_STROKEANDFILLPATH
                       ? State
                       : Fallback;
        default:
            return State;
    }
}

int EmfTranslator::OnRecord(HDC dc, HANDLETABLE* table, const ENHMETARECORD* record,
                            int handles) {
    ++index_;
    Kind kind = Classify(record->iType);
    if (kind == Translated) {
        FlushFallback();
        if (!TranslateRecord(dc, record)) kind = Fallback;
    }
    if (kind == Fallback) pending_.push_back(index_);
    kinds_.push_back(kind);
    if (CombinesWithClip(record)) ClipToTargetIfUnclipped(dc);
    PlayEnhMetaFileRecord(dc, table, record, static_cast<UINT>(handles));
    return 1;
}

// Clip records that combine a region with the clip in force, which a device without a clip
// takes to be its whole surface.
bool EmfTranslator::CombinesWithClip(const ENHMETARECORD* record) {
    switch (record->iType) {
        case EMR_INTERSECTCLIPRECT:
        case EMR_EXCLUDECLIPRECT:
            return true;
        case EMR_EXTSELECTCLIPRGN: {
            const auto* r = As<EMREXTSELECTCLIPRGN>(record);
            return r && r->iMode != RGN_COPY;
        }
        case EMR_SELECTCLIPPATH: {
            const auto* r = As<EMRSELECTCLIPPATH>(record);
            return r && r->iMode != RGN_COPY;
        }
        default:
            return false;
    }
}

// The state surface is one pixel, so its own surface would clip everything away: the surface
// stood for is the rectangle the metafile is drawn into.
void EmfTranslator::ClipToTargetIfUnclipped(HDC dc) {
    Region current;
    if (GetClipRgn(dc, current.Get()) != 0) return;
    Region target;
    SetRectRgn(target.Get(), target_.left, target_.top, target_.right, target_.bottom);
    SelectClipRgn(dc, target.Get());
}

bool EmfTranslator::TranslateRecord(HDC dc, const ENHMETARECORD* record) {
    switch (record->iType) {
        case EMR_EXTTEXTOUTA:
        case EMR_EXTTEXTOUTW:
            return TranslateText(dc, record);
        case EMR_BITBLT:
        case EMR_STRETCHBLT:
            return TranslateBlt(dc, record);
        case EMR_STRETCHDIBITS:
            return TranslateStretchDIBits(dc, record);
        case EMR_LINETO: case EMR_ARC: case EMR_CHORD: case EMR_PIE: case EMR_ELLIPSE:
        case EMR_RECTANGLE: case EMR_ROUNDRECT: case EMR_SETPIXELV:
            return TranslateShape(dc, record);
        default:
            return TranslatePoly(dc, record);
    }
}

// ---- drawing state ----

Affine EmfTranslator::LogicalToPage(HDC dc) const {
    XFORM x{1, 0, 0, 1, 0, 0};
    GetWorldTransform(dc, &x);
    const Affine world{x.eM11, x.eM12, x.eM21, x.eM22, x.eDx, x.eDy};
    SIZE windowExt{1, 1}, viewportExt{1, 1};
    POINT windowOrg{0, 0}, viewportOrg{0, 0};
    GetWindowExtEx(dc, &windowExt);
    GetViewportExtEx(dc, &viewportExt);
    GetWindowOrgEx(dc, &windowOrg);
    GetViewportOrgEx(dc, &viewportOrg);
    const double sx = windowExt.cx ? static_cast<double>(viewportExt.cx) / windowExt.cx : 1;
    const double sy = windowExt.cy ? static_cast<double>(viewportExt.cy) / windowExt.cy : 1;
    const Affine mapping{sx, 0, 0, sy, viewportOrg.x - windowOrg.x * sx,
                         viewportOrg.y - windowOrg.y * sy};
    return deviceToPage_.After(mapping.After(world));
}

bool EmfTranslator::ReadPen(HDC dc, const Affine& toPage, Paint& paint) const {
    if (GetROP2(dc) != R2_COPYPEN) return false;
    HGDIOBJ pen = GetCurrentObject(dc, OBJ_PEN);
    const int size = GetObjectW(pen, 0, nullptr);
    DWORD style = PS_SOLID;
    double width = 0;
    COLORREF color = 0;
    bool cosmetic = true;
    if (size == static_cast<int>(sizeof(LOGPEN))) {
        LOGPEN logPen{};
        GetObjectW(pen, sizeof(logPen), &logPen);
        style = logPen.lopnStyle;
        width = logPen.lopnWidth.x;
        color = logPen.lopnColor;
        cosmetic = width <= 0;
    } else if (size >= static_cast<int>(sizeof(EXTLOGPEN) - sizeof(DWORD))) {
        std::vector<BYTE> buffer(static_cast<size_t>(size) + sizeof(DWORD));
        GetObjectW(pen, size, buffer.data());
        const auto* extPen = reinterpret_cast<const EXTLOGPEN*>(buffer.data());
        style = extPen->elpPenStyle;
        width = extPen->elpWidth;
        color = extPen->elpColor;
        cosmetic = (style & PS_TYPE_MASK) == PS_COSMETIC || width <= 0;
        if ((style & PS_STYLE_MASK) != PS_NULL && extPen->elpBrushStyle != BS_SOLID) return false;
        if (!cosmetic) {
            const DWORD cap = style & PS_ENDCAP_MASK, join = style & PS_JOIN_MASK;
            paint.cap = cap == PS_ENDCAP_FLAT     ? HPDF_BUTT_END
                        : cap == PS_ENDCAP_SQUARE ? HPDF_PROJECTING_SCUARE_END
                                                  : HPDF_ROUND_END;
            paint.join = join == PS_JOIN_BEVEL   ? HPDF_BEVEL_JOIN
                         : join == PS_JOIN_MITER ? HPDF_MITER_JOIN
                                                 : HPDF_ROUND_JOIN;
        }
    }
    const DWORD kind = style & PS_STYLE_MASK;
    paint.stroke = kind != PS_NULL;
    if (!paint.stroke) return true;
    paint.strokeColor = color & 0x00FFFFFF;
    paint.lineWidth = std::max(cosmetic ? cosmeticWidth_ : width * toPage.Scale(), cosmeticWidth_);
    const double unit = std::max(1.0, paint.lineWidth);
    auto dashes = [unit](std::initializer_list<double> lengths) {
        std::vector<HPDF_UINT16> pattern;
        for (double length : lengths) {
            pattern.push_back(static_cast<HPDF_UINT16>(std::max(1.0, std::round(length * unit))));
        }
        return pattern;
    };
    switch (kind) {
        case PS_DASH: paint.dash = dashes({6, 2}); break;
        case PS_DOT: paint.dash = dashes({1, 2}); break;
        case PS_DASHDOT: paint.dash = dashes({6, 2, 1, 2}); break;
        case PS_DASHDOTDOT: paint.dash = dashes({6, 2, 1, 2, 1, 2}); break;
        default: break;
    }
    return true;
}

bool EmfTranslator::ReadBrush(HDC dc, Paint& paint) const {
    LOGBRUSH brush{};
    GetObjectW(GetCurrentObject(dc, OBJ_BRUSH), sizeof(brush), &brush);
    if (brush.lbStyle == BS_NULL) {
        paint.fill = false;
        return true;
    }
    if (brush.lbStyle != BS_SOLID || GetROP2(dc) != R2_COPYPEN) return false;
    paint.fill = true;
    paint.fillColor = brush.lbColor & 0x00FFFFFF;
    paint.evenOdd = GetPolyFillMode(dc) == ALTERNATE;
    return true;
}

void EmfTranslator::SyncClip(HDC dc) {
    Region current;
    const bool clipped = GetRandomRgn(dc, current.Get(), 3) == 1;
    if (clipped == clipApplied_ && (!clipped || EqualRgn(current.Get(), appliedClip_))) return;
    if (appliedClip_) DeleteObject(appliedClip_);
    appliedClip_ = nullptr;
    clipApplied_ = clipped;
    if (!clipped) {
        painter_->ClearClip();
        return;
    }
    std::vector<RectF> rects;
    const DWORD size = GetRegionData(current.Get(), 0, nullptr);
    std::vector<BYTE> buffer(size);
    if (size && GetRegionData(current.Get(), size, reinterpret_cast<RGNDATA*>(buffer.data()))) {
        const auto* data = reinterpret_cast<const RGNDATA*>(buffer.data());
        const auto* r = reinterpret_cast<const RECT*>(data->Buffer);
        for (DWORD i = 0; i < data->rdh.nCount; ++i) {
            const PointF a = deviceToPage_.Apply({static_cast<double>(r[i].left),
                                                  static_cast<double>(r[i].bottom)});
            const PointF b = deviceToPage_.Apply({static_cast<double>(r[i].right),
                                                  static_cast<double>(r[i].top)});
            rects.push_back({a.x, a.y, b.x, b.y});
        }
    }
    painter_->SetClip(rects);
    appliedClip_ = current.Release();
}

// ---- shapes ----

void EmfTranslator::EmitCurves(const Affine& toPage, PointF start,
                               const std::vector<Bezier>& curves, bool lineToStart) {
    if (lineToStart) {
        painter_->LineTo(toPage.Apply(start));
    } else {
        painter_->MoveTo(toPage.Apply(start));
    }
    for (const Bezier& b : curves) {
        painter_->CurveTo(toPage.Apply(b.c1), toPage.Apply(b.c2), toPage.Apply(b.end));
    }
}

bool EmfTranslator::TranslatePoly(HDC dc, const ENHMETARECORD* record) {
    const DWORD type = record->iType;
    const bool shortPoints = IsShortPoly(type);
    std::vector<std::vector<PointF>> figures;
    if (type == EMR_POLYPOLYLINE || type == EMR_POLYPOLYGON || type == EMR_POLYPOLYLINE16 ||
        type == EMR_POLYPOLYGON16) {
        const auto* r = As<EMRPOLYPOLYLINE>(record);
        if (!r || r->nPolys > record->nSize / 4) return false;
        const size_t countsAt = offsetof(EMRPOLYPOLYLINE, aPolyCounts);
        if (!Within(record, countsAt, r->nPolys * sizeof(DWORD))) return false;
        size_t pointsAt = countsAt + r->nPolys * sizeof(DWORD);
        const size_t pointSize = shortPoints ? sizeof(POINTS) : sizeof(POINTL);
        for (DWORD i = 0; i < r->nPolys; ++i) {
            std::vector<PointF> points;
            if (!ReadPoints(record, pointsAt, r->aPolyCounts[i], shortPoints, points)) return false;
            pointsAt += r->aPolyCounts[i] * pointSize;
            figures.push_back(std::move(points));
        }
    } else {
        const auto* r = As<EMRPOLYLINE16>(record);
        if (!r) return false;
        std::vector<PointF> points;
        if (!ReadPoints(record, offsetof(EMRPOLYLINE16, apts), r->cpts, shortPoints, points)) {
            return false;
        }
        figures.push_back(std::move(points));
    }
    const bool closed = type == EMR_POLYGON || type == EMR_POLYGON16 || type == EMR_POLYPOLYGON ||
                        type == EMR_POLYPOLYGON16;
    const bool bezier = type == EMR_POLYBEZIER || type == EMR_POLYBEZIER16 ||
                        type == EMR_POLYBEZIERTO || type == EMR_POLYBEZIERTO16;
    const bool fromCurrent = type == EMR_POLYLINETO || type == EMR_POLYLINETO16 ||
                             type == EMR_POLYBEZIERTO || type == EMR_POLYBEZIERTO16;
    Paint paint;
    if (!ReadPen(dc, LogicalToPage(dc), paint)) return false;
    if (closed && !ReadBrush(dc, paint)) return false;
    if (!paint.stroke && !paint.fill) return true;
    const Affine toPage = LogicalToPage(dc);
    SyncClip(dc);
    painter_->Prepare(paint);
    bool any = false;
    for (std::vector<PointF>& points : figures) {
        if (fromCurrent) {
            POINT current{};
            GetCurrentPositionEx(dc, &current);
            points.insert(points.begin(), {static_cast<double>(current.x),
                                           static_cast<double>(current.y)});
        }
        if (points.size() < 2) continue;
        any = true;
        painter_->MoveTo(toPage.Apply(points[0]));
        if (bezier) {
            for (size_t i = 1; i + 2 < points.size(); i += 3) {
                painter_->CurveTo(toPage.Apply(points[i]), toPage.Apply(points[i + 1]),
                                  toPage.Apply(points[i + 2]));
            }
        } else {
            for (size_t i = 1; i < points.size(); ++i) painter_->LineTo(toPage.Apply(points[i]));
        }
        if (closed) painter_->ClosePath();
    }
    if (any) {
        painter_->PaintPath(paint);
    } else {
        painter_->EndPath();
    }
    return true;
}

bool EmfTranslator::TranslateShape(HDC dc, const ENHMETARECORD* record) {
    const Affine toPage = LogicalToPage(dc);
    Paint paint;
    const DWORD type = record->iType;
    if (type == EMR_SETPIXELV) {
        const auto* r = As<EMRSETPIXELV>(record);
        if (!r) return false;
        SyncClip(dc);
        const PointF p = toPage.Apply({static_cast<double>(r->ptlPixel.x),
                                       static_cast<double>(r->ptlPixel.y)});
        const double side = cosmeticWidth_;
        painter_->FillParallelogram({p.x, p.y - side}, {side, 0}, {0, side},
                                    r->crColor & 0x00FFFFFF);
        return true;
    }
    if (!ReadPen(dc, toPage, paint)) return false;
    if (type == EMR_LINETO) {
        const auto* r = As<EMRLINETO>(record);
        if (!r) return false;
        if (!paint.stroke) return true;
        POINT current{};
        GetCurrentPositionEx(dc, &current);
        SyncClip(dc);
        painter_->Prepare(paint);
        painter_->MoveTo(toPage.Apply({static_cast<double>(current.x),
                                       static_cast<double>(current.y)}));
        painter_->LineTo(toPage.Apply({static_cast<double>(r->ptl.x),
                                       static_cast<double>(r->ptl.y)}));
        painter_->PaintPath(paint);
        return true;
    }
    const auto* boxRecord = As<EMRRECTANGLE>(record);
    if (!boxRecord) return false;
    const RECTL& box = boxRecord->rclBox;
    const double l = box.left, t = box.top, r = box.right, b = box.bottom;
    if (type != EMR_ARC && !ReadBrush(dc, paint)) return false;
    if (!paint.stroke && !paint.fill) return true;
    if (type == EMR_ARC) paint.fill = false;
    SyncClip(dc);
    painter_->Prepare(paint);
    PointF start;
    switch (type) {
        case EMR_RECTANGLE:
            painter_->MoveTo(toPage.Apply({l, t}));
            painter_->LineTo(toPage.Apply({r, t}));
            painter_->LineTo(toPage.Apply({r, b}));
            painter_->LineTo(toPage.Apply({l, b}));
            painter_->ClosePath();
            break;
        case EMR_ELLIPSE: {
            const auto curves = Ellipse(l, t, r, b, start);
            EmitCurves(toPage, start, curves, false);
            painter_->ClosePath();
            break;
        }
        case EMR_ROUNDRECT: {
            const auto* rr = As<EMRROUNDRECT>(record);
            if (!rr) return false;
            const double w = std::min(std::fabs(static_cast<double>(rr->szlCorner.cx)), r - l);
            const double h = std::min(std::fabs(static_cast<double>(rr->szlCorner.cy)), b - t);
            const struct {
                double l, t, from_x, from_y, to_x, to_y;
            } corners[] = {{r - w, t, r - w / 2, t, r, t + h / 2},
                           {r - w, b - h, r, b - h / 2, r - w / 2, b},
                           {l, b - h, l + w / 2, b, l, b - h / 2},
                           {l, t, l, t + h / 2, l + w / 2, t}};
            bool first = true;
            for (const auto& c : corners) {
                const auto curves = EllipticArc(c.l, c.t, c.l + w, c.t + h, {c.from_x, c.from_y},
                                                {c.to_x, c.to_y}, false, start);
                EmitCurves(toPage, start, curves, !first);
                first = false;
            }
            painter_->ClosePath();
            break;
        }
        default: {
            const auto* arc = As<EMRARC>(record);
            if (!arc) return false;
            const bool counterClockwise = GetArcDirection(dc) == AD_COUNTERCLOCKWISE;
            const PointF from{static_cast<double>(arc->ptlStart.x),
                              static_cast<double>(arc->ptlStart.y)};
            const PointF to{static_cast<double>(arc->ptlEnd.x), static_cast<double>(arc->ptlEnd.y)};
            const auto curves = EllipticArc(l, t, r, b, from, to, counterClockwise, start);
            if (type == EMR_PIE) {
                painter_->MoveTo(toPage.Apply({(l + r) / 2, (t + b) / 2}));
                EmitCurves(toPage, start, curves, true);
            } else {
                EmitCurves(toPage, start, curves, false);
            }
            if (type != EMR_ARC) painter_->ClosePath();
        }
    }
    painter_->PaintPath(paint);
    return true;
}

void EmfTranslator::FillLogicalRect(const Affine& toPage, const RECTL& r, COLORREF color) {
    const PointF corner = toPage.Apply({static_cast<double>(r.left), static_cast<double>(r.top)});
    const PointF across = Sub(toPage.Apply({static_cast<double>(r.right),
                                            static_cast<double>(r.top)}), corner);
    const PointF down = Sub(toPage.Apply({static_cast<double>(r.left),
                                          static_cast<double>(r.bottom)}), corner);
    painter_->FillParallelogram(corner, across, down, color & 0x00FFFFFF);
}

// ---- text ----

bool EmfTranslator::TranslateText(HDC dc, const ENHMETARECORD* record) {
    const auto* r = As<EMREXTTEXTOUTW>(record);
    if (!r) return false;
    const EMRTEXT& t = r->emrtext;
    const bool wide = record->iType == EMR_EXTTEXTOUTW;
    const UINT align = GetTextAlign(dc);
    if ((t.fOptions & ETO_GLYPH_INDEX) || (align & TA_UPDATECP)) return false;
    const size_t charSize = wide ? sizeof(wchar_t) : 1;
    if (t.nChars > record->nSize || !Within(record, t.offString, t.nChars * charSize)) return false;
    std::wstring text;
    if (wide) {
        text.assign(reinterpret_cast<const wchar_t*>(At(record, t.offString)), t.nChars);
    } else {
        text = Widen(std::string(reinterpret_cast<const char*>(At(record, t.offString)), t.nChars));
    }
    double advance = -1;
    const size_t perChar = (t.fOptions & ETO_PDY) ? 2 : 1;
    if (t.offDx && t.nChars && Within(record, t.offDx, t.nChars * perChar * sizeof(INT))) {
        const auto* dx = reinterpret_cast<const INT*>(At(record, t.offDx));
        advance = 0;
        for (size_t i = 0; i < t.nChars; ++i) advance += dx[i * perChar];
    }
    if (!textMerge_.start.empty() && textMerge_.merge) {
        const std::string narrow = Narrow(text);
        if (narrow.compare(0, textMerge_.start.size(), textMerge_.start) == 0) {
            text = Widen(textMerge_.merge(narrow));
            advance = -1;
        }
    }
    text.erase(std::remove(text.begin(), text.end(), L'\0'), text.end());

    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, face);
    LOGFONTW logFont{};
    GetObjectW(GetCurrentObject(dc, OBJ_FONT), sizeof(logFont), &logFont);
    const FontChoice choice = ChooseStandardFont(face, metrics.tmPitchAndFamily,
                                                 metrics.tmWeight >= FW_SEMIBOLD,
                                                 metrics.tmItalic != 0);
    std::string encoded;
    if (!choice.name || !EncodeText(text, choice, encoded)) return false;
    HPDF_Font font = doc_.Font(choice);
    const double em = metrics.tmHeight - metrics.tmInternalLeading;
    if (!font || (em <= 0 && !encoded.empty())) return false;
    if (advance < 0) {
        SIZE extent{};
        if (!text.empty()) {
            GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        }
        advance = extent.cx;
    }

    const Affine toPage = LogicalToPage(dc);
    const double angle = logFont.lfEscapement / 10.0 * Pi / 180;
    const double c = std::cos(angle), s = std::sin(angle);
    PointF along, up;
    if (r->iGraphicsMode == GM_ADVANCED) {
        along = toPage.ApplyVector({c, -s});
        up = toPage.ApplyVector({-s, -c});
    } else {
        const double sx = std::hypot(toPage.a, toPage.b), sy = std::hypot(toPage.c, toPage.d);
        along = {sx * c, sx * s};
        up = {-sy * s, sy * c};
    }
    const PointF reference = toPage.Apply({static_cast<double>(t.ptlReference.x),
                                           static_cast<double>(t.ptlReference.y)});
    const double shift = (align & TA_CENTER) == TA_CENTER ? -advance / 2
                         : (align & TA_RIGHT)             ? -advance
                                                          : 0;
    const double rise = (align & TA_BASELINE) == TA_BASELINE ? 0
                        : (align & TA_BOTTOM)               ? metrics.tmDescent
                                                            : -metrics.tmAscent;
    const PointF origin = Add(Add(reference, along, shift), up, rise);

    SyncClip(dc);
    if (t.fOptions & ETO_OPAQUE) {
        FillLogicalRect(toPage, t.rcl, GetBkColor(dc));
    } else if (GetBkMode(dc) == OPAQUE && advance > 0) {
        painter_->FillParallelogram(Add(origin, up, -metrics.tmDescent), Scaled(along, advance),
                                    Scaled(up, metrics.tmHeight), GetBkColor(dc) & 0x00FFFFFF);
    }
    if (encoded.empty()) return true;
    std::vector<PointF> clip;
    if (t.fOptions & ETO_CLIPPED) {
        const RECTL& b = t.rcl;
        clip = {toPage.Apply({static_cast<double>(b.left), static_cast<double>(b.top)}),
                toPage.Apply({static_cast<double>(b.right), static_cast<double>(b.top)}),
                toPage.Apply({static_cast<double>(b.right), static_cast<double>(b.bottom)}),
                toPage.Apply({static_cast<double>(b.left), static_cast<double>(b.bottom)})};
    }
    const HPDF_TextWidth natural = HPDF_Font_TextWidth(
        font, reinterpret_cast<const HPDF_BYTE*>(encoded.data()), static_cast<HPDF_UINT>(encoded.size()));
    const double charSpace = (advance / em - natural.width / 1000.0) / encoded.size();
    const Affine matrix{along.x * em, along.y * em, up.x * em, up.y * em, origin.x, origin.y};
    const COLORREF color = GetTextColor(dc) & 0x00FFFFFF;
    painter_->ShowText(font, encoded, matrix, charSpace, color, clip);
    if (logFont.lfUnderline) {
        painter_->FillParallelogram(Add(origin, up, -em * 0.15), Scaled(along, advance),
                                    Scaled(up, em * 0.06), color);
    }
    if (logFont.lfStrikeOut) {
        painter_->FillParallelogram(Add(origin, up, em * 0.28), Scaled(along, advance),
                                    Scaled(up, em * 0.06), color);
    }
    return true;
}

// ---- images ----

void EmfTranslator::PlaceImage(const RgbImage& image, const Affine& toPage, double x, double y,
                               double cx, double cy) {
    HPDF_Image pdfImage = doc_.Image(image);
    if (!pdfImage) return;
    const PointF origin = toPage.Apply({x, y + cy});
    const PointF across = Sub(toPage.Apply({x + cx, y + cy}), origin);
    const PointF upward = Sub(toPage.Apply({x, y}), origin);
    painter_->DrawImage(pdfImage, Affine{across.x, across.y, upward.x, upward.y, origin.x, origin.y});
}

bool EmfTranslator::TranslateStretchDIBits(HDC dc, const ENHMETARECORD* record) {
    const auto* r = As<EMRSTRETCHDIBITS>(record);
    if (!r || r->dwRop != SRCCOPY || r->iUsageSrc != DIB_RGB_COLORS || r->cxSrc <= 0 ||
        r->cySrc <= 0 || !Within(record, r->offBmiSrc, r->cbBmiSrc) ||
        !Within(record, r->offBitsSrc, r->cbBitsSrc) || r->cbBmiSrc < sizeof(BITMAPINFOHEADER)) {
        return false;
    }
    RgbImage image;
    if (!ImageFromDIB(reinterpret_cast<const BITMAPINFO*>(At(record, r->offBmiSrc)),
                      At(record, r->offBitsSrc), r->iUsageSrc, r->xSrc, r->ySrc, r->cxSrc,
                      r->cySrc, image)) {
        return false;
    }
    SyncClip(dc);
    PlaceImage(image, LogicalToPage(dc), r->xDest, r->yDest, r->cxDest, r->cyDest);
    return true;
}

bool EmfTranslator::TranslateBlt(HDC dc, const ENHMETARECORD* record) {
    const auto* r = As<EMRBITBLT>(record);
    if (!r) return false;
    const Affine toPage = LogicalToPage(dc);
    const RECTL area{r->xDest, r->yDest, r->xDest + r->cxDest, r->yDest + r->cyDest};
    if (r->cbBmiSrc == 0) {
        COLORREF color;
        if (r->dwRop == BLACKNESS) {
            color = 0;
        } else if (r->dwRop == WHITENESS) {
            color = 0x00FFFFFF;
        } else if (r->dwRop == PATCOPY) {
            Paint paint;
            if (!ReadBrush(dc, paint)) return false;
            if (!paint.fill) return true;
            color = paint.fillColor;
        } else {
            return false;
        }
        SyncClip(dc);
        FillLogicalRect(toPage, area, color);
        return true;
    }
    const XFORM& x = r->xformSrc;
    if (r->dwRop != SRCCOPY || x.eM11 != 1 || x.eM22 != 1 || x.eM12 != 0 || x.eM21 != 0 ||
        !Within(record, r->offBmiSrc, r->cbBmiSrc) || !Within(record, r->offBitsSrc, r->cbBitsSrc) ||
        r->cbBmiSrc < sizeof(BITMAPINFOHEADER)) {
        return false;
    }
    const auto* info = reinterpret_cast<const BITMAPINFO*>(At(record, r->offBmiSrc));
    LONG cx = r->cxDest, cy = r->cyDest;
    if (record->iType == EMR_STRETCHBLT) {
        const auto* stretch = As<EMRSTRETCHBLT>(record);
        if (!stretch) return false;
        cx = stretch->cxSrc;
        cy = stretch->cySrc;
    }
    const LONG width = info->bmiHeader.biWidth, height = std::abs(info->bmiHeader.biHeight);
    const LONG xSrc = r->xSrc + static_cast<LONG>(x.eDx), ySrc = r->ySrc + static_cast<LONG>(x.eDy);
    if (cx <= 0 || cy <= 0 || xSrc < 0 || ySrc < 0 || xSrc + cx > width || ySrc + cy > height) {
        return false;
    }
    RgbImage whole;
    if (!ImageFromDIB(info, At(record, r->offBitsSrc), r->iUsageSrc, 0, 0, width, height, whole)) {
        return false;
    }
    RgbImage part;
    part.width = cx;
    part.height = cy;
    for (LONG row = 0; row < cy; ++row) {
        const auto* from = whole.rgb.data() + (static_cast<size_t>(ySrc + row) * width + xSrc) * 3;
        part.rgb.insert(part.rgb.end(), from, from + static_cast<size_t>(cx) * 3);
    }
    SyncClip(dc);
    PlaceImage(part, toPage, r->xDest, r->yDest, r->cxDest, r->cyDest);
    return true;
}

// ---- records drawn as images ----

int EmfTranslator::OnRenderRecord(HDC dc, HANDLETABLE* table, const ENHMETARECORD* record,
                                  int handles) {
    ++renderIndex_;
    if (renderIndex_ > renderLast_) return 0;
    const Kind kind = kinds_[static_cast<size_t>(renderIndex_)];
    if (kind == State || rendering_.count(renderIndex_)) {
        PlayEnhMetaFileRecord(dc, table, record, static_cast<UINT>(handles));
        return 1;
    }
    if (kind != Translated) return 1;
    // Translated records still move the current position.
    std::vector<PointF> points;
    const DWORD type = record->iType;
    if (type == EMR_LINETO) {
        if (const auto* r = As<EMRLINETO>(record)) MoveToEx(dc, r->ptl.x, r->ptl.y, nullptr);
    } else if (type == EMR_POLYLINETO || type == EMR_POLYLINETO16 || type == EMR_POLYBEZIERTO ||
               type == EMR_POLYBEZIERTO16) {
        const auto* r = As<EMRPOLYLINE16>(record);
        if (r && ReadPoints(record, offsetof(EMRPOLYLINE16, apts), r->cpts, IsShortPoly(type),
                            points) &&
            !points.empty()) {
            MoveToEx(dc, static_cast<int>(points.back().x), static_cast<int>(points.back().y),
                     nullptr);
        }
    }
    return 1;
}

void EmfTranslator::FlushFallback() {
    if (pending_.empty()) return;
    rendering_ = std::set<int>(pending_.begin(), pending_.end());
    renderLast_ = pending_.back();
    pending_.clear();
    const double scale = FallbackDpi / 72.0;
    const int width = std::min(MaxFallbackPixels, static_cast<int>(std::ceil(width_ * scale)));
    const int height = std::min(MaxFallbackPixels, static_cast<int>(std::ceil(height_ * scale)));
    Surface onWhite(width, height, 0x00FFFFFF), onBlack(width, height, 0);
    if (!onWhite.Valid() || !onBlack.Valid()) return;
    const RECT target{0, 0, width, height};
    for (const Surface* surface : {&onWhite, &onBlack}) {
        renderIndex_ = -1;
        EnumEnhMetaFile(surface->DC(), metafile_, RenderProc, this, &target);
    }
    rendering_.clear();
    RECT area{};
    RgbImage image;
    if (!CutOutDrawing(onWhite, onBlack, area, image)) return;
    HPDF_Image pdfImage = doc_.Image(image);
    if (!pdfImage) return;
    const double pixel = width_ / width, row = height_ / height;
    const double x = left_ + area.left * pixel, y = top_ + area.bottom * row;
    painter_->ClearClip();
    clipApplied_ = false;
    if (appliedClip_) DeleteObject(appliedClip_);
    appliedClip_ = nullptr;
    painter_->DrawImage(pdfImage, Affine{image.width * pixel, 0, 0, image.height * row, x,
                                         pageHeight_ - y});
}

}  // namespace pdfengine
