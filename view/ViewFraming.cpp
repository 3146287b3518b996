#include "view/ViewFraming.h"

#include <algorithm>

double FitScale(const CourseExtent& b, double width, double height)
{
    const double w = std::max((b.maxX - b.minX) * 1.1, 2e-3);
    const double h = std::max((b.maxY - b.minY) * 1.1, 2e-3);
    return std::min(std::max(width, 1.0) / w, std::max(height, 1.0) / h);
}
