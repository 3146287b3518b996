// What one frame shows, checked by pixels at positions computed from the camera.
#include "ViewScene.h"

#include "support/BmpWriter.h"
#include "geometry/CourseSpline.h"

#include <GL/gl.h>

namespace {

class ViewRender : public ViewScene {
protected:
    // An odd client size puts world y = 0 (and x = 0) on pixel centres, so lines along the
    // axes cover whole rows.
    void SetUp() override
    {
        ViewScene::SetUp();
        Open(641, 481);
    }

    bool IsGrey(const Rgba& p, int level) { return IsColour(p, level, level, level); }
};

TEST_F(ViewRender, MapSquareIsGreyLWithoutAMapAndTheMapModulatedByLAndUpright)
{
    doc.m_course.m_handles.SetSize(0);
    Render();
    for (const auto& [x, y, level] : {std::tuple{60, 60, 128}, {-127, -127, 128}, {140, 0, 0}, {-129, 100, 0}})
        EXPECT_TRUE(IsGrey(At(PixelOf(x, y)), level)) << x << "," << y;   // outside: the clear colour
    doc.m_course.m_texLuminance = 1.0f;
    Render();
    EXPECT_TRUE(IsGrey(At(PixelOf(60, 60)), 255));
    // 8 x 8 in quadrants, red right, green top; the file's rows run bottom up.
    BmpLayout layout;
    layout.width = layout.height = 8;
    std::vector<std::uint8_t> data;
    for (int i = 0; i < 64; ++i)
        data.insert(data.end(), {100, std::uint8_t(i >= 32 ? 160 : 20), std::uint8_t(i % 8 >= 4 ? 200 : 40)});
    doc.m_course.m_texLuminance = 0.5f;
    ASSERT_TRUE(doc.m_course.LoadMapTexture(WriteTempFile("view_quadrants.bmp", MakeBmp(layout, data))));
    Render();
    EXPECT_TRUE(IsColour(At(PixelOf(-64, -64)), 20, 10, 50));
    EXPECT_TRUE(IsColour(At(PixelOf(64, -64)), 100, 10, 50));
    EXPECT_TRUE(IsColour(At(PixelOf(-64, 64)), 20, 80, 50));
    EXPECT_TRUE(IsColour(At(PixelOf(64, 64)), 100, 80, 50));
}

TEST_F(ViewRender, CentreLineIsGreyBordersAndMarkersWhite)
{
    view->m_fZoom = 4.0f;
    view->m_vCamera.x = 100.0f;   // the default course's handle 0, at (100, 0)
    const CourseHandle& h0 = doc.m_course.m_handles[0];
    const CourseHandle& h1 = doc.m_course.m_handles[1];
    Render();

    Vector3 centre[21];
    Vector3 left[21];
    Vector3 right[21];
    SampleSpan(h0, h1, Centre, 20, centre);
    SampleSpan(h0, h1, LeftBorder, 20, left);
    SampleSpan(h0, h1, RightBorder, 20, right);
    for (int i : {1, 2}) {
        EXPECT_TRUE(AnyNear(PixelOf(centre[i].x, centre[i].y), 1, [&](const Rgba& p) { return IsGrey(p, 153); })) << i;
        EXPECT_TRUE(AnyNear(PixelOf(left[i].x, left[i].y), 1, IsWhite)) << i;
        EXPECT_TRUE(AnyNear(PixelOf(right[i].x, right[i].y), 1, IsWhite)) << i;
        EXPECT_FALSE(AnyNear(PixelOf(centre[i].x, centre[i].y), 1, IsWhite)) << i;
    }
    // The control point's circle and the width markers' circles (radius 1), on their rims.
    const Vector3 m = h0.vPos + h0.BorderOffset(BorderSide::Left, h0.WidthLeft);
    EXPECT_TRUE(AnyNear(PixelOf(m.x + 1.0, m.y), 1, IsWhite));
    EXPECT_TRUE(AnyNear(PixelOf(h0.vPos.x - 0.866, h0.vPos.y - 0.5), 1, IsWhite));
    // Inside a circle only the map shows.
    EXPECT_TRUE(IsGrey(At(PixelOf(m.x + 0.4, m.y + 0.5)), 128));
}

TEST_F(ViewRender, HoveredSpanIsRedItsBordersStayWhite)
{
    UseRectangleCourse();
    view->m_fZoom = 2.0f;
    Render();
    EXPECT_TRUE(IsGrey(At(PixelOf(0, 0)), 153));

    doc.m_course.m_handles[0].HoverPart = HandlePart::Span;
    Render();
    EXPECT_TRUE(IsRed(At(PixelOf(0, 0))));
    EXPECT_TRUE(IsRed(At(PixelOf(20, 0))));
    // Both borders of the span lie 5 / sqrt(2) from the centre line, as the corners' bisectors put them.
    EXPECT_TRUE(AnyNear(PixelOf(0, -3.5355), 1, IsWhite));
    EXPECT_TRUE(AnyNear(PixelOf(0, 3.5355), 1, IsWhite));
    EXPECT_FALSE(AnyNear(PixelOf(0, 3.5355), 1, IsRed));
    // The other spans keep their grey.
    EXPECT_TRUE(AnyNear(PixelOf(50, 40), 1, [&](const Rgba& p) { return IsGrey(p, 153); }));
}

TEST_F(ViewRender, FirstDrawnWinsWhereLinesMeet)
{
    UseRectangleCourse();
    view->m_fZoom = 2.0f;
    doc.m_course.m_handles[0].HoverPart = HandlePart::Span;
    Render();
    // Handle 0's outgoing tangent arrow lies on the first 20 units of its span and is drawn
    // before it: white stays. Handle 1's incoming arrow and circle are drawn after: red stays.
    EXPECT_TRUE(IsWhite(At(PixelOf(-40, 0))));
    EXPECT_TRUE(IsRed(At(PixelOf(40, 0))));
    const GlPixel rim = PixelOf(49, 0);   // where the line meets handle 1's circle
    for (int dx = -2; dx <= 2; ++dx)
        EXPECT_TRUE(IsRed(Pixel(rim.x + dx, rim.y))) << dx;
    // Away from the line, the later circle is white as usual.
    EXPECT_TRUE(AnyNear(PixelOf(50 - 0.866, 0.5), 1, IsWhite));
}

TEST_F(ViewRender, ObjectFootprintIsScaledByTheObjectScale)
{
    // The default course stays: its drawing leaves the colour white for the objects. Half
    // extents 10 x 0.4 = 4 across and 5 x 0.4 = 2 along the arrow (up, 10 long).
    doc.m_xobjects.Add(XObject("box.x", Vector3(0.0, 40.0, 0.0), 0.0f, 10.0f, 5.0f));
    view->m_fZoom = 4.0f;
    view->m_vCamera.y = 40.0f;
    const struct {
        float direction, scale;
        std::vector<std::pair<double, double>> white, dark;
    } cases[] = {
        {0.0f, 0.4f, {{4, 41.5}, {-4, 38.5}, {2.5, 42}, {-2.5, 38}, {0, 46}}, {{5, 41.5}, {3, 41.5}, {2.5, 43}, {6, 40}}},
        // A quarter turn clockwise: the arrow points to +x and the Height lies along x.
        {1.5707964f, 0.4f, {{6, 40}, {2, 41.5}, {-1, 44}}, {{4, 41.5}}},
        {1.5707964f, 0.5f, {{2.5, 41.5}}, {}},
    };
    for (const auto& c : cases) {
        doc.m_xobjects[0].Direction = c.direction;
        doc.m_xobjectScale = c.scale;
        Render();
        for (const auto& [x, y] : c.white)
            EXPECT_TRUE(AnyNear(PixelOf(x, y), 1, IsWhite)) << c.direction << ": " << x << "," << y;
        for (const auto& [x, y] : c.dark)
            EXPECT_FALSE(AnyNear(PixelOf(x, y), 1, IsWhite)) << c.direction << ": " << x << "," << y;
    }
}

TEST_F(ViewRender, HoveredObjectIsFilledRedAndLabelledAtTheCursor)
{
    doc.m_course.m_handles.SetSize(0);
    doc.m_xobjects.Add(XObject("label.x", Vector3(0.0, 0.0, 0.0), 0.0f, 3.0f, 3.0f));
    doc.m_xobjects[0].HoverPart = ObjectPart::Body;
    view->m_fZoom = 4.0f;
    // The main window holds the view and, below it, a 20 pixel bar.
    TestWndHost frameHost;
    frameHost.client = CRect(0, 0, 641, 481 + 20);
    frameHost.cursor = CPoint(40, 300);
    CFrameWnd frame;
    frame.SetHost(&frameHost);
    app.m_pMainWnd = &frame;
    Render();
    app.m_pMainWnd = nullptr;

    EXPECT_TRUE(IsRed(At(PixelOf(0.4, 0.3))));
    // The label's first glyph cell: lower left at (cursor x, client height - cursor y).
    bool lit = false;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            lit = lit || Pixel(40 + x, 501 - 300 + y)[1] > 200;
    EXPECT_TRUE(lit);
}

// The type list: one 16 pixel row per entry from the top, a mark before the selected one.
class TypeList : public ViewRender {
protected:
    void SetUp() override
    {
        ViewRender::SetUp();
        doc.m_course.m_handles.SetSize(0);
        view->m_fZoom = 0.2f;   // the map square shrinks to the middle; the list is on black
    }
    // Strongest pixel of a character cell (column c of row r).
    Rgba Brightest(int r, int c)
    {
        Rgba best{};
        const int top = Height() - 16 * r;
        for (int y = top - 16; y < top; ++y)
            for (int x = 16 * c; x < 16 * c + 16; ++x) {
                const Rgba p = Pixel(x, y);
                if (p[0] + p[1] + p[2] > best[0] + best[1] + best[2])
                    best = p;
            }
        return best;
    }
    bool Lit(int r, int c) { return Brightest(r, c)[0] > 200; }
};

TEST_F(TypeList, RowsShowTheCatalogueWithTheSelectionMarked)
{
    const int entries = view->m_XObjectTypes.GetSize();
    ASSERT_GT(entries, 1);
    Render();
    EXPECT_TRUE(Lit(0, 0));    // "*CtrlPnt": a new view inserts control points
    for (int c = 1; c <= 7; ++c)
        EXPECT_TRUE(Lit(0, c)) << c;
    EXPECT_FALSE(Lit(0, 8));
    EXPECT_FALSE(Lit(1, 0));   // " tree_pine.x"
    EXPECT_TRUE(Lit(1, 1));
    EXPECT_TRUE(Lit(entries, 1));
    EXPECT_FALSE(Lit(entries + 1, 1));
    EXPECT_TRUE(IsWhite(Brightest(0, 1)));

    view->m_nSelectedType = 1;
    Render();
    EXPECT_FALSE(Lit(0, 0));
    EXPECT_FALSE(Lit(1, 0));
    EXPECT_TRUE(Lit(2, 0));
}

}  // namespace
