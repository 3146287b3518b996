// The default course as New builds it, checked against the stored values it must print as.
#include "doc/TrackwrightDoc.h"
#include "geometry/CourseSpline.h"
#include "geometry/XObjectQueries.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

std::string Printed(float v)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%13.8f", static_cast<double>(v));
    return buf;
}

struct ExpectedHandle {
    const char* pos[2];
    const char* next[2];
    const char* prev[2];
};

void ExpectPrinted(float v, const char* expected, const char* what, int i)
{
    char want[32];
    std::snprintf(want, sizeof want, "%13s", expected);
    EXPECT_EQ(Printed(v), want) << what << " of handle " << i;
}

}  // namespace

TEST(DefaultCourse, NewDocumentHoldsTheFourStoredHandles)
{
    const ExpectedHandle table[4] = {
        {{"100.00000000", "0.00000000"}, {"-0.00000743", "170.00000000"}, {"0.00000203", "-170.00000000"}},
        {{"0.00000122", "100.00000000"}, {"-170.00000000", "-0.00000536"}, {"170.00000000", "-0.00000004"}},
        {{"-100.00000000", "0.00000243"}, {"0.00000329", "-170.00000000"}, {"0.00000211", "170.00000000"}},
        {{"-0.00000365", "-100.00000000"}, {"170.00000000", "0.00000123"}, {"-170.00000000", "0.00000418"}},
    };

    CTrackwrightDoc doc;
    doc.m_course.m_texLuminance = 0.8f;
    doc.m_xobjectScale = 1.5f;
    AddXObject(doc.m_xobjects, Vector3(1, 2, 0), "tree.x", 1.0f, 1.0f);
    ASSERT_TRUE(doc.OnNewDocument());

    ASSERT_EQ(doc.m_course.m_handles.GetSize(), 4);
    for (int i = 0; i < 4; ++i) {
        const CourseHandle& h = doc.m_course.m_handles[i];
        ExpectPrinted(h.vPos.x, table[i].pos[0], "vPos.x", i);
        ExpectPrinted(h.vPos.y, table[i].pos[1], "vPos.y", i);
        ExpectPrinted(h.vTanNext.x, table[i].next[0], "vTanNext.x", i);
        ExpectPrinted(h.vTanNext.y, table[i].next[1], "vTanNext.y", i);
        ExpectPrinted(h.vTanPrev.x, table[i].prev[0], "vTanPrev.x", i);
        ExpectPrinted(h.vTanPrev.y, table[i].prev[1], "vTanPrev.y", i);
        EXPECT_EQ(h.WidthLeft, 5.0f);
        EXPECT_EQ(h.WidthRight, 5.0f);
        EXPECT_EQ(h.DragPart, HandlePart::None);
        EXPECT_EQ(h.HoverPart, HandlePart::None);
    }
    EXPECT_EQ(doc.m_xobjects.GetSize(), 0);
    EXPECT_TRUE(doc.m_heightMap.empty());
    EXPECT_TRUE(doc.m_colorMap.empty());
    EXPECT_EQ(doc.m_visibleMap, 0);
    EXPECT_EQ(doc.m_xobjectScale, 0.4f);
    EXPECT_EQ(doc.m_course.m_texLuminance, 0.8f);
}
