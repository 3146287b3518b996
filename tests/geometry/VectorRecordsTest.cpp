// Vector arithmetic rules and the value semantics of the course records and their lists.
#include "geometry/CourseRecords.h"
#include "geometry/RecordList.h"
#include "geometry/Vector3.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

namespace {

Vector3 WithW(double x, double y, double z, float w)
{
    Vector3 v(x, y, z);
    v.w = w;
    return v;
}

}  // namespace

TEST(Vector3, NewResultsHaveWeightOneAndInPlaceOperationsKeepIt)
{
    const Vector3 a = WithW(1, 2, 3, 7.0f);
    const Vector3 b = WithW(4, 5, 6, -2.0f);
    EXPECT_EQ(Vector3(), Vector3(0, 0, 0));
    EXPECT_EQ(Vector3().w, 1.0f);
    EXPECT_EQ(a + b, Vector3(5, 7, 9));
    EXPECT_EQ(a - b, Vector3(-3, -3, -3));
    EXPECT_EQ(a * 2.0, Vector3(2, 4, 6));
    EXPECT_EQ(2.0 * a, Vector3(2, 4, 6));
    EXPECT_EQ(a / 2.0, Vector3(0.5, 1, 1.5));
    EXPECT_EQ((-a).w, 1.0f);

    Vector3 c = a;
    EXPECT_EQ(c.w, 7.0f);   // copying carries w
    c += b;
    EXPECT_EQ(c, WithW(5, 7, 9, 7.0f));
    c *= 2.0;
    EXPECT_EQ(c, WithW(10, 14, 18, 7.0f));
    c.Normalize();
    EXPECT_EQ(c.w, 7.0f);
    EXPECT_FLOAT_EQ(c.Length(), 1.0f);
    EXPECT_EQ(RotatedZ(a, 0.3).w, 7.0f);
    EXPECT_EQ(RotatedZ(a, 0.3).z, 3.0f);
}

TEST(Vector3, IntermediatesAreDoubleAndResultsFloat)
{
    // 1e8 + 1 - 1e8 in float steps would lose the 1; each operation rounds only its result.
    EXPECT_EQ(Dot(Vector3(1e8, 1, -1e8), Vector3(1, 1, 1)), 1.0f);
    // 16777217 is not a float: the sum is rounded once, to even.
    EXPECT_EQ((Vector3(16777216, 0, 0) + Vector3(1, 0, 0)).x, 16777216.0f);
    EXPECT_EQ(Vector3(3, 4, 0).Length(), 5.0f);
    EXPECT_EQ(Vector3(3e30, 4e30, 0).Length(), 5e30f);   // no float overflow in the squares
}

TEST(Vector3, NormalizeLeavesAZeroVectorAlone)
{
    Vector3 zero = WithW(0, 0, 0, 1.0f);
    zero.Normalize();
    EXPECT_EQ(zero, Vector3());
    EXPECT_FALSE(std::isnan(zero.x));

    Vector3 tiny(1e-30, 0, 0);
    tiny.Normalize();
    EXPECT_EQ(tiny, Vector3(1, 0, 0));
}

TEST(Vector3, RotatedZTurnsClockwise)
{
    const double quarter = std::numbers::pi / 2;
    const Vector3 r = RotatedZ(Vector3(1, 0, 0), quarter);
    EXPECT_NEAR(r.x, 0.0, 1e-7);
    EXPECT_FLOAT_EQ(r.y, -1.0f);
    const Vector3 up = RotatedZ(Vector3(0, 10, 0), quarter);
    EXPECT_FLOAT_EQ(up.x, 10.0f);
    EXPECT_NEAR(up.y, 0.0, 1e-6);
    EXPECT_EQ(RotatedZ(Vector3(0, 10, 0), 0.0), Vector3(0, 10, 0));
}

TEST(Vector3, WithinRadiusIsPlanarAndInclusive)
{
    const Vector3 p(1, 1, 0);
    EXPECT_TRUE(WithinRadius(p, 5.0, Vector3(4, 5, 0)));
    EXPECT_TRUE(WithinRadius(p, 5.0, Vector3(4, 5, 1000)));
    EXPECT_FALSE(WithinRadius(p, 5.0, Vector3(4, 5.00001, 0)));
    EXPECT_TRUE(WithinRadius(p, 2.0, Vector3(-1, 1, -3)));
    EXPECT_FALSE(WithinRadius(p, 2.0, Vector3(-1.000001, 1, 0)));
    EXPECT_TRUE(WithinRadius(p, 0.0, Vector3(1, 1, 9)));
}

TEST(CourseRecords, DefaultsAreTheDocumentedOnes)
{
    const CourseHandle h;
    EXPECT_EQ(h.vPos, Vector3());
    EXPECT_EQ(h.vTanNext, Vector3());
    EXPECT_EQ(h.vTanPrev, Vector3());
    EXPECT_EQ(h.DragOffset, Vector3());
    EXPECT_EQ(h.WidthLeft, 10.0f);
    EXPECT_EQ(h.WidthRight, 10.0f);
    EXPECT_EQ(h.DragPart, HandlePart::None);
    EXPECT_EQ(h.HoverPart, HandlePart::None);

    const XObject o;
    EXPECT_TRUE(o.FileName.empty());
    EXPECT_EQ(o.Pos, Vector3());
    EXPECT_EQ(o.Direction, 0.0f);
    EXPECT_EQ(o.Width, 0.0f);
    EXPECT_EQ(o.Height, 0.0f);
    EXPECT_EQ(o.DragPart, ObjectPart::None);
    EXPECT_EQ(o.HoverPart, ObjectPart::None);
    EXPECT_EQ(o.DragOffset, Vector3());

    const XObjectType t;
    EXPECT_TRUE(t.FileName.empty());
    EXPECT_EQ(t.Width, 0.0f);
    EXPECT_EQ(t.Height, 0.0f);
}

TEST(CourseRecords, ObjectsAreMadeSetAndCopiedByValue)
{
    XObject o("house.x", Vector3(3, 4, 0), 0.5f, 2.0f, 3.0f);
    EXPECT_EQ(o.DragPart, ObjectPart::None);
    EXPECT_EQ(o.HoverPart, ObjectPart::None);
    EXPECT_EQ(o.DragOffset, Vector3());

    o.DragPart = ObjectPart::Body;
    o.DragOffset = Vector3(1, 1, 0);
    o.Set("tree.x", Vector3(5, 6, 0), 1.0f, 4.0f, 5.0f);
    EXPECT_EQ(o.FileName, "tree.x");
    EXPECT_EQ(o.Pos, Vector3(5, 6, 0));
    EXPECT_EQ(o.Height, 5.0f);
    EXPECT_EQ(o.DragPart, ObjectPart::Body);   // editing state survives the setter
    EXPECT_EQ(o.DragOffset, Vector3(1, 1, 0));

    XObject copy = o;
    copy.FileName = "rock.x";
    EXPECT_EQ(o.FileName, "tree.x");
    EXPECT_EQ(copy.DragPart, ObjectPart::Body);

    CourseHandle h;
    h.HoverPart = HandlePart::Span;
    h.DragOffset = Vector3(7, 8, 0);
    const CourseHandle hc = h;
    EXPECT_EQ(hc.HoverPart, HandlePart::Span);
    EXPECT_EQ(hc.DragOffset, Vector3(7, 8, 0));
}

TEST(RecordList, KeepsOrderThroughInsertRemoveAndResize)
{
    RecordList<XObject> list;
    for (int i = 0; i < 5; ++i)
        list.Add(XObject(std::to_string(i), Vector3(i, 0, 0), 0, 0, 0));
    ASSERT_EQ(list.GetSize(), 5);

    list.RemoveAt(1);
    ASSERT_EQ(list.GetSize(), 4);
    EXPECT_EQ(list[0].FileName, "0");
    EXPECT_EQ(list[1].FileName, "2");
    EXPECT_EQ(list[3].FileName, "4");

    list.InsertAt(1, XObject("new", Vector3(), 0, 0, 0));
    EXPECT_EQ(list[1].FileName, "new");
    EXPECT_EQ(list[2].FileName, "2");
    list.InsertAt(list.GetSize(), XObject("last", Vector3(), 0, 0, 0));
    EXPECT_EQ(list[list.GetSize() - 1].FileName, "last");

    XObject copy = list.GetAt(0);
    copy.FileName = "changed";
    EXPECT_EQ(list[0].FileName, "0");
    list[0].Direction = 2.0f;   // by reference: edits in place
    EXPECT_EQ(list.GetAt(0).Direction, 2.0f);

    list.SetSize(8);
    EXPECT_EQ(list.GetSize(), 8);
    EXPECT_TRUE(list[7].FileName.empty());
    list.SetSize(2);
    EXPECT_EQ(list[1].FileName, "new");
    list.RemoveAll();
    EXPECT_EQ(list.GetSize(), 0);
    EXPECT_TRUE(list.IsEmpty());
}
