#pragma once

// What a frame of the view shows, item by item: the values each drawn part reads. The view
// keeps the look of its last frame, so a handler can tell whether a change would show at all
// (a mouse move over empty ground asks for no frame) and the frame routine which parts changed.
// Anything new that changes a part's picture belongs in its look.
#include "geometry/CourseRecords.h"

#include <string>
#include <vector>

class CTrackwrightDoc;
class CTrackwrightView;

// One control point with the span to the next one.
struct HandleLook {
    Vector3 pos;
    Vector3 tanNext;
    Vector3 tanPrev;
    float widthLeft = 0.0f;
    float widthRight = 0.0f;
    HandlePart hover = HandlePart::None;
    bool selected = false;   // drawn yellow where not hovered
};

// One placed object; the label text only while its body is hovered.
struct ObjectLook {
    Vector3 pos;
    float direction = 0.0f;
    float width = 0.0f;
    float height = 0.0f;
    ObjectPart hover = ObjectPart::None;
    bool selected = false;
    std::string label;
};

// Everything that is not a single control point or object: camera, window, map, object scale,
// where a label goes, and the type list.
struct ViewLook {
    float zoom = 0.0f;
    Vector3 camera;
    int width = 0;
    int height = 0;
    double ratio = 0.0;
    unsigned mapTexture = 0;   // a map loaded anew always gets a new texture name
    float luminance = 0.0f;
    float objectScale = 0.0f;
    bool hasDocument = false;
    bool labelShown = false;   // a main window to place a label in
    int labelX = 0;            // the label's origin in device pixels
    int labelY = 0;
    int textSize = 0;          // device pixels
    int selectedType = 0;
    int hoverType = 0;
    std::vector<std::string> types;
    bool bandShown = false;   // the rubber band's corners, device pixels from the bottom left,
                              // within 2^30 of the origin
    int bandX0 = 0;
    int bandY0 = 0;
    int bandX1 = 0;
    int bandY1 = 0;
};

// Bitwise, so a NaN coordinate equals itself and does not repaint on every mouse move.
bool SameLook(const HandleLook& a, const HandleLook& b);
bool SameLook(const ObjectLook& a, const ObjectLook& b);
// Whether the type list looks the same; the rest of ViewLook moves the whole picture.
bool SameTypeList(const ViewLook& a, const ViewLook& b);
bool SameFrame(const ViewLook& a, const ViewLook& b);
bool SameBand(const ViewLook& a, const ViewLook& b);

HandleLook LookOf(const CourseHandle& h, bool selected);
ObjectLook LookOf(const XObject& o, bool selected);
ViewLook LookOf(const CTrackwrightView& view, const CTrackwrightDoc* pDoc);

// Which parts the view draws as selected, one flag per control point and per object: none while
// the selection refers to lists of other sizes (the selection drawing skips it then too).
void SelectedFlags(const CTrackwrightView& view, const CTrackwrightDoc& doc, std::vector<char>& handles,
                   std::vector<char>& objects);

// The look of the last frame drawn.
struct SceneLook {
    bool drawn = false;
    ViewLook view;
    std::vector<HandleLook> handles;
    std::vector<ObjectLook> objects;

    // True when a frame drawn now would show exactly what the last one showed.
    bool Shows(const CTrackwrightView& view, const CTrackwrightDoc* pDoc) const;
    void Take(const CTrackwrightView& view, const CTrackwrightDoc* pDoc);
};
