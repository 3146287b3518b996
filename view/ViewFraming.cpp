#include "view/ViewFraming.h"

#include "view/TrackwrightView.h"

#include <algorithm>

double FitScale(const CourseExtent& b, double width, double height)
{
    const double w = std::max((b.maxX - b.minX) * 1.1, 2e-3);
    const double h = std::max((b.maxY - b.minY) * 1.1, 2e-3);
    return std::min(std::max(width, 1.0) / w, std::max(height, 1.0) / h);
}

CRect CTrackwrightView::FreeClientRect() const
{
    // The type list's rows, as HitTestTypeList finds them: the widest row and all rows' height.
    const long long g = m_TextOverlay.Size;
    long long listRight = 8 * g;
    for (const XObjectType& t : m_XObjectTypes)
        listRight = std::max(listRight, (static_cast<long long>(t.FileName.size()) + 1) * g);
    const long long listBottom = (1LL + m_XObjectTypes.GetSize()) * g;
    const long long W = m_rectClient.right;
    const long long H = m_rectClient.bottom;
    // Beside the list or below it, whichever shows the course larger; the whole view when the
    // list leaves neither.
    const CRect beside(static_cast<int>(std::min(listRight, W)), 0, static_cast<int>(W), static_cast<int>(H));
    const CRect below(0, static_cast<int>(std::min(listBottom, H)), static_cast<int>(W), static_cast<int>(H));
    const CTrackwrightDoc* pDoc = GetDocument();
    const CourseExtent b = pDoc ? ExtentOfCourse(pDoc->m_course.m_handles, pDoc->m_xobjects, pDoc->m_xobjectScale)
                                : CourseExtent();
    const bool besideFits = beside.Width() > 0 && beside.Height() > 0;
    const bool belowFits = below.Width() > 0 && below.Height() > 0;
    if (!besideFits && !belowFits)
        return m_rectClient;
    if (!belowFits || b.Empty())
        return besideFits ? beside : below;
    if (!besideFits)
        return below;
    return FitScale(b, beside.Width(), beside.Height()) >= FitScale(b, below.Width(), below.Height()) ? beside : below;
}

CTrackwrightView::ZoomRange CTrackwrightView::ZoomLimits() const
{
    // From the whole course at about a hundredth of the view (a course of 200 units when there
    // is none) to 0.01 course units per pixel.
    const double H = std::max<double>(m_rectClient.bottom, 1.0);
    const double W = std::max<double>(m_rectClient.right, 1.0);
    const CTrackwrightDoc* pDoc = GetDocument();
    CourseExtent b = pDoc ? RoughExtentOfCourse(pDoc->m_course.m_handles, pDoc->m_xobjects) : CourseExtent();
    if (b.Empty())
        b.Add(0.0, 0.0, kViewHalfHeight);
    const double toZoom = 2.0 * kViewHalfHeight / H;   // pixels per unit to zoom
    const double max = 100.0 * toZoom;
    const double min = std::min(FitScale(b, W, H) / 100.0 * toZoom, max);
    return {static_cast<float>(std::max(min, 1e-30)), static_cast<float>(std::min(max, 1e30))};
}
