#include "geometry/XObjectQueries.h"

#include "geometry/PickBox.h"

#include <cmath>
#include <vector>

namespace {

// Neither part can be under q: the tip lies kDirectionTipDistance from Pos, and rounding
// moves it by far less than the slack.
bool PartsSurelyMissed(const XObject& o, const Vector3& q)
{
    constexpr double reach = kDirectionTipDistance + kDirectionTipRadius;
    return SurelyOutsideBox(q, o.Pos.x, o.Pos.x, o.Pos.y, o.Pos.y, reach, std::fabs(o.Pos.x), std::fabs(o.Pos.y));
}

ObjectPart BodyAt(const XObject& o, const Vector3& q, Vector3* offset)
{
    if (!WithinRadius(o.Pos, kBodyRadius, q))
        return ObjectPart::None;
    if (offset)
        *offset = o.Pos - q;
    return ObjectPart::Body;
}

ObjectPart TipAt(const XObject& o, const Vector3& q, Vector3* offset)
{
    const Vector3 tip = o.DirectionTip();
    if (!WithinRadius(tip, kDirectionTipRadius, q))
        return ObjectPart::None;
    if (offset)
        *offset = tip - q;
    return ObjectPart::DirectionTip;
}

}  // namespace

Vector3 XObject::DirectionVector() const
{
    return RotatedZ(Vector3(0.0, kDirectionTipDistance, 0.0), Direction);
}

Vector3 XObject::DirectionTip() const
{
    return Pos + DirectionVector();
}

ObjectPart HitPartPlain(const XObject& o, const Vector3& q, Vector3* offset)
{
    if (const ObjectPart p = BodyAt(o, q, offset); p != ObjectPart::None)
        return p;
    return TipAt(o, q, offset);
}

ObjectPart XObject::HitPart(const Vector3& q, Vector3* offset) const
{
    if (PartsSurelyMissed(*this, q))   // the body circle lies inside the tip's reach
        return ObjectPart::None;
    return HitPartPlain(*this, q, offset);
}

bool XObject::DragXObject(const Vector3& q)
{
    switch (DragPart) {
    case ObjectPart::Body:
        Pos = q + DragOffset;
        return true;
    case ObjectPart::DirectionTip: {
        const Vector3 d = (q + DragOffset) - Pos;
        Direction = static_cast<float>(std::atan2(double(d.x), double(d.y)));
        return true;
    }
    default:
        HoverPart = HitPart(q);
        return HoverPart != ObjectPart::None;
    }
}

void PickXObjects(RecordList<XObject>& objects, const Vector3& q)
{
    for (XObject& o : objects) {
        Vector3 offset;
        if (const ObjectPart p = o.HitPart(q, &offset); p != ObjectPart::None) {
            o.DragPart = p;
            o.DragOffset = offset;
        }
    }
}

bool DragXObjects(RecordList<XObject>& objects, const Vector3& q)
{
    bool any = false;
    for (XObject& o : objects)
        any = o.DragXObject(q) || any;   // every object must see the move
    return any;
}

bool DragObjects(RecordList<XObject>& objects, const Vector3& q)
{
    // Only grabbed objects can move; note where they stood before the pass.
    struct Grabbed {
        int index;
        Vector3 pos;
        float direction;
    };
    std::vector<Grabbed> grabbed;
    for (int i = 0; i < objects.GetSize(); ++i) {
        const XObject& o = objects[i];
        if (o.DragPart != ObjectPart::None)
            grabbed.push_back({i, o.Pos, o.Direction});
    }
    DragXObjects(objects, q);
    for (const Grabbed& g : grabbed) {
        const XObject& o = objects[g.index];
        if (!(o.Pos == g.pos) || o.Direction != g.direction)
            return true;
    }
    return false;
}

void ReleaseXObjects(RecordList<XObject>& objects)
{
    for (XObject& o : objects)
        o.DragPart = ObjectPart::None;
}

bool DeleteXObjectAt(RecordList<XObject>& objects, const Vector3& q)
{
    for (int i = 0; i < objects.GetSize(); ++i) {
        if (WithinRadius(objects[i].Pos, kBodyRadius, q)) {
            objects.RemoveAt(i);
            return true;
        }
    }
    return false;
}

void AddXObject(RecordList<XObject>& objects, const Vector3& q, const std::string& fileName, float width,
                float height)
{
    objects.Add(XObject(fileName, q, 0.0f, width, height));
}
