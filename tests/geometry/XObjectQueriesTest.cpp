// The hit rule of scenery objects, and the pick and release of the document's objects.
#include "doc/TrackwrightDoc.h"
#include "geometry/XObjectQueries.h"

#include <gtest/gtest.h>

#include <numbers>

namespace {

XObject At(double x, double y, float direction = 0.0f) { return XObject("tree.x", Vector3(x, y, 0), direction, 1.0f, 2.0f); }

TEST(XObjectHit, BodyAndTipCirclesAreInclusiveBodyFirstAndAGrowingAngleTurnsClockwise)
{
    const struct {
        XObject o;
        Vector3 q;
        ObjectPart part;
    } cases[] = {
        {At(0, 0), Vector3(0, 2, 0), ObjectPart::Body},
        {At(0, 0), Vector3(0, 2.0000002, 0), ObjectPart::None},
        {At(0, 0), Vector3(0, 6, 0), ObjectPart::DirectionTip},   // tip (0, 10), radius 4
        {At(0, 0), Vector3(0, 5.9999995, 0), ObjectPart::None},
        {At(0, 0), Vector3(0, 14, 7), ObjectPart::DirectionTip},   // z plays no part
        {At(5, 5, std::numbers::pi_v<float> / 2), Vector3(18, 5, 0), ObjectPart::DirectionTip},
        {At(5, 5, std::numbers::pi_v<float> / 2), Vector3(5, 14, 0), ObjectPart::None},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.o.HitPart(c.q), c.part) << c.q.x << "," << c.q.y;
    Vector3 offset;
    EXPECT_EQ(At(0, 0).HitPart(Vector3(0, 6, 0), &offset), ObjectPart::DirectionTip);
    EXPECT_EQ(offset, Vector3(0, 4, 0));
}

TEST(XObjectHit, PickMarksEveryObjectUnderThePointAndReleaseKeepsTheOffset)
{
    RecordList<XObject> objects;
    for (const XObject& o : {At(0, 0), At(1, 0), At(0.5, -13), At(50, 50)})   // the third by its tip
        objects.Add(o);
    objects[3].DragPart = ObjectPart::DirectionTip;   // an earlier grab stays
    PickXObjects(objects, Vector3(0.5, 0, 0));
    EXPECT_EQ(objects[0].DragPart, ObjectPart::Body);
    EXPECT_EQ(objects[1].DragPart, ObjectPart::Body);
    EXPECT_EQ(objects[2].DragPart, ObjectPart::DirectionTip);
    EXPECT_EQ(objects[3].DragPart, ObjectPart::DirectionTip);
    ReleaseXObjects(objects);
    for (const XObject& o : objects)
        EXPECT_EQ(o.DragPart, ObjectPart::None);
    EXPECT_EQ(objects[0].DragOffset, Vector3(-0.5, 0, 0));
}

TEST(XObjectDrag, TipTurnsTheObjectTowardsTheMouseInEveryQuadrant)
{
    XObject o = At(0, 0);
    o.DragPart = ObjectPart::DirectionTip;
    const std::pair<Vector3, float> steps[] = {{Vector3(0, -10, 0), std::numbers::pi_v<float>},
                                               {Vector3(-3, 0, 0), -std::numbers::pi_v<float> / 2},
                                               {Vector3(0, 0, 0), 0.0f}};
    for (const auto& [q, direction] : steps) {
        EXPECT_TRUE(o.DragXObject(q));
        EXPECT_FLOAT_EQ(o.Direction, direction);
    }
    EXPECT_EQ(o.Pos, Vector3(0, 0, 0));   // only the angle follows
}

}  // namespace
