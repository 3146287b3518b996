#include "view/PartBoxes.h"

#include "geometry/CourseSpline.h"
#include "geometry/HandlePicking.h"
#include "geometry/XObjectQueries.h"
#include "view/DrawHelpers.h"

#include <algorithm>
#include <cmath>

WorldBox HandleBox(const RecordList<CourseHandle>& handles, int i)
{
    WorldBox box;
    const CourseHandle& h = handles[i];
    const CourseHandle& next = NextInRing(handles, i);
    box.Add(h.vPos, kSelectedRingRadius);   // marker circle or disc, and a selection's ring
    // Arrow heads lie within their length of the tip.
    box.Add(h.vPos + h.vTanNext * kTangentTipScale, 5.0);
    box.Add(h.vPos + h.vTanPrev * kTangentTipScale, 5.0);
    box.Add(h.vPos + h.BorderOffset(BorderSide::Left, h.WidthLeft), 1.0);
    box.Add(h.vPos + h.BorderOffset(BorderSide::Right, h.WidthRight), 1.0);
    Vector3 span[21];
    for (SpanCurve curve : {Centre, LeftBorder, RightBorder}) {
        const int count = SampleSpan(h, next, curve, 20, span);
        for (int k = 0; k < count; ++k)
            box.Add(span[k], 0.0);
    }
    return box;
}

// The piece of control point i a hover of that part paints red, or leaves unpainted.
WorldBox HoverPieceBox(const RecordList<CourseHandle>& handles, int i, HandlePart part)
{
    WorldBox box;
    const CourseHandle& h = handles[i];
    switch (part) {
    case HandlePart::Pos:
        box.Add(h.vPos, 1.0);
        break;
    case HandlePart::TanNext:
        box.Add(h.vPos + h.vTanNext * kTangentTipScale, 5.0);
        break;
    case HandlePart::TanPrev:
        box.Add(h.vPos + h.vTanPrev * kTangentTipScale, 5.0);
        break;
    case HandlePart::WidthLeft:
        box.Add(h.vPos + h.BorderOffset(BorderSide::Left, h.WidthLeft), 1.0);
        break;
    case HandlePart::WidthRight:
        box.Add(h.vPos + h.BorderOffset(BorderSide::Right, h.WidthRight), 1.0);
        break;
    case HandlePart::Span: {
        Vector3 span[21];
        const int count = SampleSpan(h, NextInRing(handles, i), Centre, 20, span);
        for (int k = 0; k < count; ++k)
            box.Add(span[k], 0.0);
        break;
    }
    default:
        break;
    }
    return box;
}

bool OnlyHoverDiffers(const HandleLook& a, const HandleLook& b)
{
    HandleLook c = a;
    c.hover = b.hover;
    return SameLook(c, b);
}

bool OnlyHoverDiffers(const ObjectLook& a, const ObjectLook& b)
{
    ObjectLook c = a;
    c.hover = b.hover;
    c.label = b.label;
    return SameLook(c, b);
}

// The piece of an object a hover of that part paints red.
WorldBox HoverPieceBox(const XObject& o, ObjectPart part)
{
    WorldBox box;
    if (part == ObjectPart::Body)
        box.Add(o.Pos, 1.0);
    else if (part == ObjectPart::DirectionTip)
        box.Add(o.DirectionTip(), 5.0);
    return box;
}

WorldBox ObjectBox(const XObject& o, float scale)
{
    // The circle, the arrow (its head 5 beyond a tip 10 away) and the turned footprint.
    WorldBox box;
    const double footprint = std::fabs(double(scale)) * std::hypot(double(o.Width), double(o.Height));
    box.Add(o.Pos, std::max(kDirectionTipDistance + 5.0, footprint));
    return box;
}


void AddBandEdges(const ViewLook& look, std::vector<PixelRect>& out)
{
    if (!look.bandShown)
        return;
    // The loop runs through pixel centres beside the corners; two pixels either way hold it.
    const int x0 = std::min(look.bandX0, look.bandX1) - 2;
    const int x1 = std::max(look.bandX0, look.bandX1) + 2;
    const int y0 = std::min(look.bandY0, look.bandY1) - 2;
    const int y1 = std::max(look.bandY0, look.bandY1) + 2;
    out.push_back({x0, look.bandY0 - 2, x1, look.bandY0 + 2});
    out.push_back({x0, look.bandY1 - 2, x1, look.bandY1 + 2});
    out.push_back({look.bandX0 - 2, y0, look.bandX0 + 2, y1});
    out.push_back({look.bandX1 - 2, y0, look.bandX1 + 2, y1});
}
