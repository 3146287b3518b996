#pragma once

#include "geometry/Vector3.h"

#include <cstdint>
#include <string>


// Which piece of a handle is dragged or hovered.
enum class HandlePart : std::int32_t {
    None = 0,
    Pos = 1,
    TanNext = 2,
    TanPrev = 3,
    WidthLeft = 4,
    WidthRight = 5,
    Span = 6,   // hover only
};

// Which piece of a scenery object is dragged or hovered.
enum class ObjectPart : std::int32_t {
    None = 0,
    Body = 1,
    DirectionTip = 2,
};

// Which side of the centre line a border lies on, seen along the course.
enum class BorderSide : std::int32_t {
    Left = 0,
    Right = 1,
};

// Which line of a span DrawSpan emits; any other value gives the centre line.
enum SpanCurve : std::int32_t {
    Centre = 0,
    LeftBorder = 1,
    RightBorder = 2,
};

// One control point of the closed course.
class CourseHandle {
public:
    CourseHandle() = default;
    CourseHandle(const CourseHandle&) = default;
    CourseHandle& operator=(const CourseHandle&) = default;
    virtual ~CourseHandle() = default;

    Vector3 vPos;
    Vector3 vTanNext;
    Vector3 vTanPrev;        // stored pointing backwards
    float WidthRight = 10.0f;
    float WidthLeft = 10.0f;
    HandlePart DragPart = HandlePart::None;
    Vector3 DragOffset;
    HandlePart HoverPart = HandlePart::None;

    // Spline operations (CourseSpline.cpp).
    Vector3 SpanPoint(const CourseHandle& h1, float t) const;
    Vector3 BorderOffset(BorderSide side, float width) const;

    // Picking and dragging (HandlePicking.cpp).
    HandlePart HandlePartAt(const CourseHandle& n, const Vector3& q, Vector3* offset = nullptr) const;
    bool SpanHit(const CourseHandle& n, float radius, const Vector3& q, Vector3* nearest) const;
    void PickHandle(const CourseHandle& n, const Vector3& q);
    bool DragHandle(const CourseHandle& n, const Vector3& q);
};

// One placed scenery object.
class XObject {
public:
    XObject() = default;
    XObject(const std::string& fileName, const Vector3& pos, float direction, float width, float height)
        : FileName(fileName), Pos(pos), Direction(direction), Width(width), Height(height) {}
    XObject(const XObject&) = default;
    XObject& operator=(const XObject&) = default;
    virtual ~XObject() = default;

    // Assigns the five stored values and leaves the editing state alone.
    void Set(const std::string& fileName, const Vector3& pos, float direction, float width, float height)
    {
        FileName = fileName;
        Pos = pos;
        Direction = direction;
        Width = width;
        Height = height;
    }

    std::string FileName;
    Vector3 Pos;
    float Direction = 0.0f;
    float Width = 0.0f;
    float Height = 0.0f;
    ObjectPart DragPart = ObjectPart::None;
    ObjectPart HoverPart = ObjectPart::None;
    Vector3 DragOffset;

    // Course queries (XObjectQueries.cpp).
    Vector3 DirectionVector() const;   // from Pos to the direction tip
    Vector3 DirectionTip() const;
    ObjectPart HitPart(const Vector3& q, Vector3* offset = nullptr) const;
    bool DragXObject(const Vector3& q);
};

// One catalogue entry.
struct XObjectType {
    std::string FileName;
    float Width = 0.0f;
    float Height = 0.0f;
};
