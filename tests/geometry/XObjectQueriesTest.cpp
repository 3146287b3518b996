// The hit rule of scenery objects and the document's pick, drag, release, delete and add.
#include "doc/TrackwrightDoc.h"
#include "geometry/XObjectQueries.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

XObject At(double x, double y, float direction = 0.0f)
{
    return XObject("tree.x", Vector3(x, y, 0), direction, 1.0f, 2.0f);
}

}  // namespace

TEST(XObjectHit, BodyAndTipCirclesAreInclusiveAndBodyIsTestedFirst)
{
    const XObject o = At(0, 0);
    EXPECT_EQ(o.DirectionTip(), Vector3(0, 10, 0));
    Vector3 offset;
    EXPECT_EQ(o.HitPart(Vector3(0, 2, 0), &offset), ObjectPart::Body);
    EXPECT_EQ(offset, Vector3(0, -2, 0));
    EXPECT_EQ(o.HitPart(Vector3(0, 2.0000002, 0)), ObjectPart::None);
    EXPECT_EQ(o.HitPart(Vector3(0, 6, 0), &offset), ObjectPart::DirectionTip);
    EXPECT_EQ(offset, Vector3(0, 4, 0));
    EXPECT_EQ(o.HitPart(Vector3(0, 5.9999995, 0)), ObjectPart::None);
    EXPECT_EQ(o.HitPart(Vector3(0, 14, 7)), ObjectPart::DirectionTip);   // z plays no part

    // A growing angle turns clockwise: a quarter turn puts the tip at +x.
    const XObject turned = At(5, 5, static_cast<float>(std::numbers::pi / 2));
    EXPECT_NEAR(turned.DirectionTip().x, 15.0f, 1e-5);
    EXPECT_NEAR(turned.DirectionTip().y, 5.0f, 1e-5);
    EXPECT_EQ(turned.HitPart(Vector3(18, 5, 0)), ObjectPart::DirectionTip);
    EXPECT_EQ(turned.HitPart(Vector3(5, 14, 0)), ObjectPart::None);
}

TEST(XObjectHit, PickMarksEveryObjectUnderThePointAndLeavesTheRest)
{
    CTrackwrightDoc doc;
    doc.m_xobjects.Add(At(0, 0));
    doc.m_xobjects.Add(At(1, 0));
    doc.m_xobjects.Add(At(0.5, -13));   // its tip (0.5, -3) reaches the point too
    doc.m_xobjects.Add(At(50, 50));
    doc.m_xobjects[3].DragPart = ObjectPart::DirectionTip;   // an earlier grab

    PickXObjects(doc.m_xobjects, Vector3(0.5, 0, 0));
    EXPECT_EQ(doc.m_xobjects[0].DragPart, ObjectPart::Body);
    EXPECT_EQ(doc.m_xobjects[0].DragOffset, Vector3(-0.5, 0, 0));
    EXPECT_EQ(doc.m_xobjects[1].DragPart, ObjectPart::Body);
    EXPECT_EQ(doc.m_xobjects[2].DragPart, ObjectPart::DirectionTip);
    EXPECT_EQ(doc.m_xobjects[3].DragPart, ObjectPart::DirectionTip);

    ReleaseXObjects(doc.m_xobjects);
    for (const XObject& o : doc.m_xobjects)
        EXPECT_EQ(o.DragPart, ObjectPart::None);
    EXPECT_EQ(doc.m_xobjects[0].DragOffset, Vector3(-0.5, 0, 0));   // release keeps the offset
}

TEST(XObjectDrag, TipTurnsTheObjectTowardsTheMouse)
{
    XObject o = At(0, 0);
    o.DragPart = ObjectPart::DirectionTip;
    o.DragOffset = Vector3();
    EXPECT_TRUE(o.DragXObject(Vector3(10, 0, 0)));
    EXPECT_FLOAT_EQ(o.Direction, static_cast<float>(std::numbers::pi / 2));
    EXPECT_TRUE(o.DragXObject(Vector3(0, -10, 0)));
    EXPECT_FLOAT_EQ(o.Direction, static_cast<float>(std::numbers::pi));
    EXPECT_TRUE(o.DragXObject(Vector3(-3, 0, 0)));
    EXPECT_FLOAT_EQ(o.Direction, static_cast<float>(-std::numbers::pi / 2));
    EXPECT_TRUE(o.DragXObject(Vector3(0, 0, 0)));
    EXPECT_EQ(o.Direction, 0.0f);
    EXPECT_EQ(o.Pos, Vector3(0, 0, 0));   // only the angle follows

    // Grabbed off-centre: the grab offset carries into the angle.
    o.DragOffset = Vector3(0, 10, 0);
    EXPECT_TRUE(o.DragXObject(Vector3(10, -10, 0)));
    EXPECT_FLOAT_EQ(o.Direction, static_cast<float>(std::numbers::pi / 2));
}
