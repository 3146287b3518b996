#pragma once

// The control points and objects of the course in runs of kRunParts, each run kept in a display
// list of exactly the commands the whole drawing sends for it, with the box it can light on
// screen. Taking a frame's vertices one call at a time costs a software renderer more than
// drawing them; a list replays the same vertices in the same order, so no pixel changes (the
// repaint test compares frames byte for byte). A run is compiled when a second whole frame finds
// it unchanged, and again only after one of its parts changes. A run holding a hovered part is
// drawn without a list: it changes with the mouse, and a hovered object's label goes where the
// cursor is.
#include "overlay/TextOverlay.h"
#include "view/GlLines.h"
#include "view/SceneLook.h"
#include "view/ScreenRegion.h"

#include <optional>
#include <vector>

class CTrackwrightDoc;

class PartRuns {
public:
    static constexpr int kRunParts = 64;

    // Compares the document with the look of the last frame: runs whose parts changed are
    // compiled again when next drawn, and the pixels they lit and will light go to dirty.
    // overlay.Size must be the device size labels are drawn at.
    void Update(const CTrackwrightDoc& doc, const SceneLook& last, const SceneLook& now, const WorldToPixels& map,
                const TextOverlay& overlay, std::vector<PixelRect>& dirty);
    // The map square and then the runs meeting clip (every run without one), in the drawing's
    // order, under the camera. False when a label changed the colour the objects after it are
    // drawn in while some of them were skipped: the frame must then be drawn whole.
    bool Draw(const CTrackwrightDoc& doc, TextOverlay& overlay, const PixelRect* clip, const WorldToPixels& map);
    // Deletes the lists; the view's context must be current.
    void Release();

private:
    struct Run {
        unsigned list = 0;
        bool compiled = false;
        bool sentOnce = false;    // unchanged since a whole frame sent it without a list
        bool immediate = false;   // holds a hovered part
        bool labelled = false;    // holds a hovered object body
        WorldBox box;             // of all its parts
        PixelRect label;
        Rgb entry{};   // objects: the colour compiled in, and the one left current after
        Rgb exit{};
        float scale = 0.0f;
    };
    // What one part lights: under the camera, and (a hovered object's label) in window pixels.
    struct PartBox {
        WorldBox box;
        PixelRect label;
    };

    // Finds the parts that changed between the looks (all of them when the counts differ and
    // nothing else is known), replaces their boxes, adds their old and new pixels to dirty and
    // marks their runs for compiling; a run whose parts moved to other indices is compiled again
    // without being dirty. hoverPiece(i, part) gives the box of the piece a hovered part
    // changes, when only the hover of part i changed and nothing else does; an empty optional
    // when the whole part must count as changed.
    template <class Look, class Measure, class HoverPiece>
    void UpdateParts(const std::vector<Look>& last, const std::vector<Look>& now, bool ring, const std::vector<char>& forced,
                     std::vector<PartBox>& boxes, std::vector<Run>& runs, const WorldToPixels& map,
                     std::vector<PixelRect>& dirty, Measure measure, HoverPiece hoverPiece);
    static void ResizeRuns(std::vector<Run>& runs, int parts);

    std::vector<PartBox> m_handleBoxes;
    std::vector<PartBox> m_objectBoxes;
    std::vector<Run> m_handles;
    std::vector<Run> m_objects;
    Rgb m_objectBase{};
};
