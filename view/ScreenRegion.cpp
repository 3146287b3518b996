#include "view/ScreenRegion.h"

#include <algorithm>
#include <cmath>

namespace {

// Lines light pixels up to one away from their end points; one more for the rounding of the
// transform.
constexpr double kLineSpread = 2.0;

}  // namespace

PixelRect PixelsOf(const TextOverlay::Box& b)
{
    auto end = [](int from, int size) {
        return static_cast<int>(std::min<long long>(static_cast<long long>(from) + std::max(size, 0), 1LL << 30));
    };
    return {b.x, b.y, end(b.x, b.width), end(b.y, b.height)};
}

void PixelRect::Join(const PixelRect& r)
{
    if (r.Empty())
        return;
    if (Empty()) {
        *this = r;
        return;
    }
    x0 = std::min(x0, r.x0);
    y0 = std::min(y0, r.y0);
    x1 = std::max(x1, r.x1);
    y1 = std::max(y1, r.y1);
}

PixelRect PixelRect::Within(const PixelRect& b) const
{
    PixelRect r{std::max(x0, b.x0), std::max(y0, b.y0), std::min(x1, b.x1), std::min(y1, b.y1)};
    return r.Empty() ? PixelRect{} : r;
}

void WorldBox::Add(const Vector3& p, double reach)
{
    if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(reach)) {
        everywhere = true;
        return;
    }
    const double r = std::fabs(reach);
    if (!any) {
        loX = hiX = p.x;
        loY = hiY = p.y;
        any = true;
    }
    loX = std::min(loX, p.x - r);
    hiX = std::max(hiX, p.x + r);
    loY = std::min(loY, p.y - r);
    hiY = std::max(hiY, p.y + r);
}

void WorldBox::Join(const WorldBox& b)
{
    everywhere = everywhere || b.everywhere;
    if (!b.any)
        return;
    if (!any) {
        loX = b.loX;
        loY = b.loY;
        hiX = b.hiX;
        hiY = b.hiY;
        any = true;
        return;
    }
    loX = std::min(loX, b.loX);
    loY = std::min(loY, b.loY);
    hiX = std::max(hiX, b.hiX);
    hiY = std::max(hiY, b.hiY);
}

PixelRect PixelsOf(const WorldBox& box, const WorldToPixels& map)
{
    if (box.everywhere)
        return map.viewport;
    if (!box.any)
        return {};
    const double ax = map.originX + (box.loX - map.cameraX) * map.scaleX;
    const double bx = map.originX + (box.hiX - map.cameraX) * map.scaleX;
    const double ay = map.originY + (box.loY - map.cameraY) * map.scaleY;
    const double by = map.originY + (box.hiY - map.cameraY) * map.scaleY;
    if (!std::isfinite(ax) || !std::isfinite(bx) || !std::isfinite(ay) || !std::isfinite(by))
        return map.viewport;
    // Limited to the viewport before the conversion to int, so far-off boxes cannot overflow.
    const PixelRect& v = map.viewport;
    auto clampX = [&](double x) { return std::clamp(x, double(v.x0) - 4.0, double(v.x1) + 4.0); };
    auto clampY = [&](double y) { return std::clamp(y, double(v.y0) - 4.0, double(v.y1) + 4.0); };
    PixelRect r;
    r.x0 = static_cast<int>(std::floor(clampX(std::min(ax, bx) - kLineSpread)));
    r.x1 = static_cast<int>(std::ceil(clampX(std::max(ax, bx) + kLineSpread))) + 1;
    r.y0 = static_cast<int>(std::floor(clampY(std::min(ay, by) - kLineSpread)));
    r.y1 = static_cast<int>(std::ceil(clampY(std::max(ay, by) + kLineSpread))) + 1;
    return r.Within(v);
}

bool MergeRegions(std::vector<PixelRect>& regions, const PixelRect& viewport, double share)
{
    std::vector<PixelRect> merged;
    for (const PixelRect& r : regions) {
        const PixelRect c = r.Within(viewport);
        if (!c.Empty())
            merged.push_back(c);
    }
    for (bool joined = true; joined;) {
        joined = false;
        for (std::size_t i = 0; i < merged.size() && !joined; ++i) {
            for (std::size_t j = i + 1; j < merged.size(); ++j) {
                if (merged[i].Meets(merged[j])) {
                    merged[i].Join(merged[j]);
                    merged.erase(merged.begin() + static_cast<std::ptrdiff_t>(j));
                    joined = true;
                    break;
                }
            }
        }
    }
    // Each region costs a pass over the runs: many small ones become their bounding box.
    constexpr std::size_t kMaxRegions = 8;
    if (merged.size() > kMaxRegions) {
        PixelRect all;
        for (const PixelRect& r : merged)
            all.Join(r);
        merged.assign(1, all);
    }
    long long area = 0;
    for (const PixelRect& r : merged)
        area += r.Area();
    regions = std::move(merged);
    return static_cast<double>(area) <= share * static_cast<double>(viewport.Area());
}
