#include "view/SceneLook.h"

#include "document/TrackwrightDoc.h"
#include "view/DrawHelpers.h"
#include "view/TrackwrightView.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr long long kFarOff = 1 << 30;

template <class T>
bool SameBits(const T& a, const T& b)
{
    return std::memcmp(&a, &b, sizeof(T)) == 0;
}

bool SameVector(const Vector3& a, const Vector3& b)
{
    return SameBits(a.x, b.x) && SameBits(a.y, b.y) && SameBits(a.z, b.z) && SameBits(a.w, b.w);
}

}  // namespace

bool SameLook(const HandleLook& a, const HandleLook& b)
{
    return a.hover == b.hover && a.selected == b.selected && SameVector(a.pos, b.pos) && SameVector(a.tanNext, b.tanNext) &&
           SameVector(a.tanPrev, b.tanPrev) && SameBits(a.widthLeft, b.widthLeft) &&
           SameBits(a.widthRight, b.widthRight);
}

bool SameLook(const ObjectLook& a, const ObjectLook& b)
{
    return a.hover == b.hover && a.selected == b.selected && SameVector(a.pos, b.pos) && SameBits(a.direction, b.direction) &&
           SameBits(a.width, b.width) && SameBits(a.height, b.height) && a.label == b.label;
}

bool SameTypeList(const ViewLook& a, const ViewLook& b)
{
    return a.selectedType == b.selectedType && a.hoverType == b.hoverType && a.types == b.types;
}

bool SameFrame(const ViewLook& a, const ViewLook& b)
{
    return SameBits(a.zoom, b.zoom) && SameVector(a.camera, b.camera) && a.width == b.width &&
           a.height == b.height && SameBits(a.ratio, b.ratio) && a.mapTexture == b.mapTexture &&
           SameBits(a.luminance, b.luminance) && SameBits(a.objectScale, b.objectScale) &&
           a.hasDocument == b.hasDocument && a.textSize == b.textSize;
}

bool SameBand(const ViewLook& a, const ViewLook& b)
{
    return a.bandShown == b.bandShown && (!a.bandShown || (a.bandX0 == b.bandX0 && a.bandY0 == b.bandY0 &&
                                                           a.bandX1 == b.bandX1 && a.bandY1 == b.bandY1));
}

HandleLook LookOf(const CourseHandle& h, bool selected)
{
    return {h.vPos, h.vTanNext, h.vTanPrev, h.WidthLeft, h.WidthRight, h.HoverPart, selected};
}

ObjectLook LookOf(const XObject& o, bool selected)
{
    ObjectLook look{o.Pos, o.Direction, o.Width, o.Height, o.HoverPart, selected, {}};
    if (o.HoverPart == ObjectPart::Body)
        look.label = o.FileName;
    return look;
}

ViewLook LookOf(const CTrackwrightView& view, const CTrackwrightDoc* pDoc)
{
    ViewLook look;
    look.zoom = view.m_fZoom;
    look.camera = view.m_vCamera;
    const CRect client = view.GetClientRect();
    look.width = client.right;
    look.height = client.bottom;
    look.ratio = view.GetHost() ? view.GetHost()->GetDevicePixelRatio() : 1.0;
    if (pDoc) {
        look.hasDocument = true;
        look.mapTexture = pDoc->m_course.m_mapTexture;
        look.luminance = pDoc->m_course.m_texLuminance;
        look.objectScale = pDoc->m_xobjectScale;
    }
    look.labelShown = HoverLabelOrigin(&look.labelX, &look.labelY);
    look.textSize = view.ToDevicePixels(view.m_TextOverlay.Size);
    look.selectedType = view.m_nSelectedType;
    look.hoverType = view.m_nHoverType;
    look.types.reserve(static_cast<std::size_t>(view.m_XObjectTypes.GetSize()));
    for (const XObjectType& t : view.m_XObjectTypes)
        look.types.push_back(t.FileName);
    // Where DrawRubberBand puts its corners.
    CPoint from;
    CPoint to;
    if (view.m_pEdit && view.m_pEdit->BandShown(from, to)) {
        // A captured pointer may be anywhere: kept far off screen, and without overflow.
        const auto device = [&](long long px) {
            return static_cast<int>(std::clamp<long long>(px, -kFarOff, kFarOff));
        };
        const long long h = view.ToDevicePixels(view.m_rectClient.bottom);
        look.bandShown = true;
        look.bandX0 = device(view.ToDevicePixels(from.x));
        look.bandY0 = device(h - view.ToDevicePixels(from.y));
        look.bandX1 = device(view.ToDevicePixels(to.x));
        look.bandY1 = device(h - view.ToDevicePixels(to.y));
    }
    return look;
}

void SelectedFlags(const CTrackwrightView& view, const CTrackwrightDoc& doc, std::vector<char>& handles,
                   std::vector<char>& objects)
{
    const int nh = doc.m_course.m_handles.GetSize();
    const int no = doc.m_xobjects.GetSize();
    handles.assign(static_cast<std::size_t>(nh), 0);
    objects.assign(static_cast<std::size_t>(no), 0);
    if (!view.m_pEdit)
        return;
    const CourseSelection& sel = view.m_pEdit->Selection();
    if (sel.handleCount != nh || sel.objectCount != no)
        return;
    for (const int i : sel.handles)
        if (i >= 0 && i < nh)
            handles[static_cast<std::size_t>(i)] = 1;
    for (const int i : sel.objects)
        if (i >= 0 && i < no)
            objects[static_cast<std::size_t>(i)] = 1;
}

namespace {

bool SameLabel(const ViewLook& a, const ViewLook& b)
{
    return a.labelShown == b.labelShown && (!a.labelShown || (a.labelX == b.labelX && a.labelY == b.labelY));
}

}  // namespace

bool SceneLook::Shows(const CTrackwrightView& v, const CTrackwrightDoc* pDoc) const
{
    if (!drawn)
        return false;
    const ViewLook now = LookOf(v, pDoc);
    if (!SameFrame(view, now) || !SameTypeList(view, now) || !SameBand(view, now))
        return false;
    if (!pDoc)
        return true;
    std::vector<char> selH;
    std::vector<char> selO;
    SelectedFlags(v, *pDoc, selH, selO);
    const RecordList<CourseHandle>& h = pDoc->m_course.m_handles;
    const RecordList<XObject>& o = pDoc->m_xobjects;
    if (static_cast<std::size_t>(h.GetSize()) != handles.size() || static_cast<std::size_t>(o.GetSize()) != objects.size())
        return false;
    bool labelled = false;
    for (int i = 0; i < h.GetSize(); ++i) {
        if (!SameLook(handles[static_cast<std::size_t>(i)], LookOf(h[i], selH[static_cast<std::size_t>(i)] != 0)))
            return false;
    }
    for (int i = 0; i < o.GetSize(); ++i) {
        const XObject& x = o[i];
        const ObjectLook& last = objects[static_cast<std::size_t>(i)];
        // Most objects are not hovered: compare without building a look.
        if (last.hover != x.HoverPart || last.selected != (selO[static_cast<std::size_t>(i)] != 0) || !SameVector(last.pos, x.Pos) || !SameBits(last.direction, x.Direction) ||
            !SameBits(last.width, x.Width) || !SameBits(last.height, x.Height))
            return false;
        if (x.HoverPart == ObjectPart::Body) {
            labelled = true;
            if (last.label != x.FileName)
                return false;
        }
    }
    // The label follows the cursor.
    return !labelled || SameLabel(view, now);
}

void SceneLook::Take(const CTrackwrightView& v, const CTrackwrightDoc* pDoc)
{
    drawn = true;
    view = LookOf(v, pDoc);
    handles.clear();
    objects.clear();
    if (!pDoc)
        return;
    std::vector<char> selH;
    std::vector<char> selO;
    SelectedFlags(v, *pDoc, selH, selO);
    const RecordList<CourseHandle>& h = pDoc->m_course.m_handles;
    const RecordList<XObject>& o = pDoc->m_xobjects;
    handles.reserve(static_cast<std::size_t>(h.GetSize()));
    for (int i = 0; i < h.GetSize(); ++i)
        handles.push_back(LookOf(h[i], selH[static_cast<std::size_t>(i)] != 0));
    objects.reserve(static_cast<std::size_t>(o.GetSize()));
    for (int i = 0; i < o.GetSize(); ++i)
        objects.push_back(LookOf(o[i], selO[static_cast<std::size_t>(i)] != 0));
}
