#pragma once

#include "geometry/CourseRecords.h"
#include "geometry/RecordList.h"
#include "geometry/TerrainHeights.h"

// A point or direction of the preview's world: the meshes' axes (x course x, y up, z minus
// course y).
struct WorldPoint {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

// The smallest box around what the preview shows.
struct WorldBounds {
    WorldPoint min{1.0, 1.0, 1.0};
    WorldPoint max{-1.0, -1.0, -1.0};   // empty while min > max
    void Add(double x, double y, double z);
    bool Empty() const { return min.x > max.x; }
};

// The preview's camera: it looks at target from distance along the direction yaw and pitch
// give (yaw about the up axis from +z, pitch above the ground plane). A plain value: the
// window's mouse, the keys and the render command all go through these steps.
struct PreviewCamera {
    WorldPoint target;
    double yaw = 0.0;
    double pitch = 0.8;
    double distance = 300.0;
    // The control point the drive view stands at; -1 when orbiting.
    int driveIndex = -1;

    static constexpr double kFovY = 45.0;           // degrees, as gluPerspective takes it
    static constexpr double kMinDistance = 0.5;
    static constexpr double kMaxDistance = 1.0e6;
    static constexpr double kMaxPitch = 1.55;       // just short of straight down (or up)
    static constexpr double kOrbitPerPixel = 0.008; // radians
    static constexpr double kDollyPerNotch = 0.85;  // distance factor per wheel notch (120)
    static constexpr double kDriveEyeHeight = 1.5;  // above the road surface
    static constexpr double kDriveLookAhead = 10.0;

    WorldPoint Eye() const;
    // Unit vector from the eye towards the target.
    WorldPoint Forward() const;

    // Left drag: turns the eye around the target, dx and dy client pixels.
    void Orbit(int dx, int dy);
    // Right or middle drag: moves the target with the picture, so the ground under the cursor
    // (at the target's distance) follows it; viewHeight in client pixels.
    void Pan(int dx, int dy, int viewHeight);
    // Wheel: as in the top-down view, nearer for a turn towards the user (a negative delta, 120
    // a notch), farther for one away.
    void Dolly(int wheelDelta);
    // Planes for gluPerspective that hold a scene of that radius around the target.
    void ClipPlanes(double sceneRadius, double& zNear, double& zFar) const;
};

// The Home view: looking down at a slant on the middle of bounds, from far enough that all of
// it fits a view of that aspect (width / height). Empty bounds frame the map square.
PreviewCamera HomeCamera(const WorldBounds& bounds, double aspect);

// The drive view at control point index (taken around the ring): kDriveEyeHeight above the
// road's surface there, looking along the centre line towards the next sample of its span.
// The ring empty: the camera as it was.
PreviewCamera DriveCamera(const PreviewCamera& from, const RecordList<CourseHandle>& handles,
                          const HeightField& heights, int index);
// Page Up / Page Down: the drive view at the next (step +1) or previous (-1) control point;
// from an orbit, the first (or last).
PreviewCamera StepDrive(const PreviewCamera& from, const RecordList<CourseHandle>& handles,
                        const HeightField& heights, int step);
