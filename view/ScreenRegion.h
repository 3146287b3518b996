#pragma once

// Where drawn things lie on screen: rectangles of device pixels, boxes of course units, and the
// mapping between them that the view's projection and camera make; for telling which regions a
// change touches and which parts meet them.
#include "geometry/Vector3.h"
#include "overlay/TextOverlay.h"

#include <vector>

// Device pixels, GL's way up: [x0, x1) x [y0, y1).
struct PixelRect {
    int x0 = 0;
    int y0 = 0;
    int x1 = 0;
    int y1 = 0;

    bool Empty() const { return x1 <= x0 || y1 <= y0; }
    bool Meets(const PixelRect& r) const { return x0 < r.x1 && r.x0 < x1 && y0 < r.y1 && r.y0 < y1; }
    long long Area() const { return Empty() ? 0 : static_cast<long long>(x1 - x0) * (y1 - y0); }
    void Join(const PixelRect& r);
    PixelRect Within(const PixelRect& bounds) const;
};

// Course units to the device pixels of the viewport, as the view's projection and camera map them.
struct WorldToPixels {
    double originX = 0.0;   // pixel of the camera centre
    double originY = 0.0;
    double scaleX = 1.0;    // pixels per course unit
    double scaleY = 1.0;
    double cameraX = 0.0;
    double cameraY = 0.0;
    PixelRect viewport;
};

// The course units something can light; everywhere when a coordinate is not finite.
struct WorldBox {
    double loX = 0.0;
    double loY = 0.0;
    double hiX = 0.0;
    double hiY = 0.0;
    bool any = false;
    bool everywhere = false;

    void Add(const Vector3& p, double reach);
    void Join(const WorldBox& b);
};

// The pixels of a text box of the overlay.
PixelRect PixelsOf(const TextOverlay::Box& box);
// Everything a box lights, in device pixels, the lines' one-pixel spread included.
PixelRect PixelsOf(const WorldBox& box, const WorldToPixels& map);

// Limits the regions to the viewport and joins those that overlap. False when together they
// cover more than share of it: a whole frame is then the cheaper way.
bool MergeRegions(std::vector<PixelRect>& regions, const PixelRect& viewport, double share);

