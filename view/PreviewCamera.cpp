#include "view/PreviewCamera.h"

#include "geometry/CourseMeshes.h"
#include "geometry/CourseSpline.h"
#include "geometry/MapSquare.h"

#include <algorithm>
#include <cmath>
#include <numbers>

void WorldBounds::Add(double x, double y, double z)
{
    // A value that is not finite would make the whole frame meaningless.
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z))
        return;
    if (Empty()) {
        min = {x, y, z};
        max = {x, y, z};
        return;
    }
    min = {std::min(min.x, x), std::min(min.y, y), std::min(min.z, z)};
    max = {std::max(max.x, x), std::max(max.y, y), std::max(max.z, z)};
}

WorldPoint PreviewCamera::Forward() const
{
    return {-std::cos(pitch) * std::sin(yaw), -std::sin(pitch), -std::cos(pitch) * std::cos(yaw)};
}

WorldPoint PreviewCamera::Eye() const
{
    const WorldPoint f = Forward();
    return {target.x - f.x * distance, target.y - f.y * distance, target.z - f.z * distance};
}

void PreviewCamera::Orbit(int dx, int dy)
{
    yaw -= dx * kOrbitPerPixel;
    yaw = std::remainder(yaw, 2.0 * std::numbers::pi);
    pitch = std::clamp(pitch + dy * kOrbitPerPixel, -kMaxPitch, kMaxPitch);
    driveIndex = -1;
}

void PreviewCamera::Pan(int dx, int dy, int viewHeight)
{
    if (viewHeight <= 0)
        return;
    const double perPixel = 2.0 * distance * std::tan(kFovY * std::numbers::pi / 360.0) / viewHeight;
    const WorldPoint f = Forward();
    // Right = forward x up, up' = right x forward (world up is +y).
    double rx = -f.z;
    double rz = f.x;
    const double rl = std::hypot(rx, rz);
    rx = rl > 0.0 ? rx / rl : 1.0;
    rz = rl > 0.0 ? rz / rl : 0.0;
    const WorldPoint up{-rz * f.y, rz * f.x - rx * f.z, rx * f.y};
    // The picture follows the cursor: the target moves against the drag.
    target.x += (-dx * rx + dy * up.x) * perPixel;
    target.y += (dy * up.y) * perPixel;
    target.z += (-dx * rz + dy * up.z) * perPixel;
    driveIndex = -1;
}

void PreviewCamera::Dolly(int wheelDelta)
{
    distance = std::clamp(distance * std::pow(kDollyPerNotch, -wheelDelta / 120.0), kMinDistance, kMaxDistance);
}

void PreviewCamera::ClipPlanes(double sceneRadius, double& zNear, double& zFar) const
{
    // A near plane in proportion to the distance keeps the depth buffer's steps small where
    // the eye looks; the drive view stands a few units off the road.
    zNear = std::clamp(distance * 0.01, 0.05, 50.0);
    zFar = distance + 2.0 * std::max(sceneRadius, double(kMapSquareSide)) + 100.0;
}

PreviewCamera HomeCamera(const WorldBounds& bounds, double aspect)
{
    PreviewCamera camera;
    WorldBounds b = bounds;
    if (b.Empty()) {
        b.Add(-kMapSquareHalf, 0.0, -kMapSquareHalf);
        b.Add(kMapSquareHalf, 0.0, kMapSquareHalf);
    }
    camera.target = {(b.min.x + b.max.x) / 2, (b.min.y + b.max.y) / 2, (b.min.z + b.max.z) / 2};
    const double radius = std::max(1.0, 0.5 * std::hypot(b.max.x - b.min.x, b.max.y - b.min.y, b.max.z - b.min.z));
    const double halfFovY = PreviewCamera::kFovY * std::numbers::pi / 360.0;
    const double halfFovX = std::atan(std::tan(halfFovY) * (aspect > 0.0 ? aspect : 1.0));
    camera.distance = std::clamp(radius / std::sin(std::min(halfFovX, halfFovY)), PreviewCamera::kMinDistance,
                                 PreviewCamera::kMaxDistance);
    return camera;
}

PreviewCamera DriveCamera(const PreviewCamera& from, const RecordList<CourseHandle>& handles,
                          const HeightField& heights, int index)
{
    const int n = handles.GetSize();
    if (n == 0)
        return from;
    index = ((index % n) + n) % n;
    Vector3 centre[kMeshSegments + 1];
    SampleSpan(handles[index], NextInRing(handles, index), Centre, kMeshSegments, centre);
    const auto surface = [&heights](const Vector3& p) { return HeightAt(heights, p.x, p.y) + kRoadLift; };
    const WorldPoint eye{centre[0].x, surface(centre[0]) + PreviewCamera::kDriveEyeHeight, -double(centre[0].y)};
    // Along the road: towards the first sample that lies apart from this one.
    WorldPoint along{0.0, 0.0, -1.0};
    for (const Vector3& p : centre) {
        const WorldPoint d{double(p.x) - centre[0].x, surface(p) - surface(centre[0]), -(double(p.y) - centre[0].y)};
        const double length = std::hypot(d.x, d.y, d.z);
        if (length > 1e-6 && std::isfinite(length)) {
            along = {d.x / length, d.y / length, d.z / length};
            break;
        }
    }
    PreviewCamera camera = from;
    camera.distance = PreviewCamera::kDriveLookAhead;
    camera.pitch = -std::asin(std::clamp(along.y, -1.0, 1.0));
    camera.yaw = std::atan2(-along.x, -along.z);
    const WorldPoint f = camera.Forward();
    camera.target = {eye.x + f.x * camera.distance, eye.y + f.y * camera.distance, eye.z + f.z * camera.distance};
    camera.driveIndex = index;
    return camera;
}

PreviewCamera StepDrive(const PreviewCamera& from, const RecordList<CourseHandle>& handles,
                        const HeightField& heights, int step)
{
    const int start = from.driveIndex >= 0 ? from.driveIndex + step : (step > 0 ? 0 : -1);
    return DriveCamera(from, handles, heights, start);
}
