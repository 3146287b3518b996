#include "view/PartRuns.h"

#include "document/TrackwrightDoc.h"
#include "overlay/TextOverlay.h"
#include "view/PartBoxes.h"
#include "view/PartDrawing.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>

namespace {

bool SameRgb(const Rgb& a, const Rgb& b)
{
    return std::memcmp(&a, &b, sizeof(Rgb)) == 0;
}

// The labels a frame shows (one on each hovered object body, all at the cursor): each object's
// index and text in drawing order, and whether a text has an escape.
struct Labels {
    std::vector<std::pair<std::size_t, std::string>> shown;
    bool escaped = false;
    std::size_t First() const { return shown.empty() ? SIZE_MAX : shown.front().first; }
};

Labels LabelsOf(const SceneLook& look)
{
    Labels labels;
    for (std::size_t i = 0; look.view.labelShown && i < look.objects.size(); ++i) {
        const ObjectLook& o = look.objects[i];
        if (o.hover != ObjectPart::Body)
            continue;
        labels.shown.emplace_back(i, o.label);
        labels.escaped = labels.escaped || o.label.find('\\') != std::string::npos;
    }
    return labels;
}

}  // namespace

void PartRuns::Update(const CTrackwrightDoc& doc, const SceneLook& last, const SceneLook& now, const WorldToPixels& map,
                      const TextOverlay& overlay, std::vector<PixelRect>& dirty)
{
    const RecordList<CourseHandle>& handles = doc.m_course.m_handles;
    const RecordList<XObject>& objects = doc.m_xobjects;
    // A hover change repaints only the piece it paints red and the one it stops painting.
    UpdateParts(last.handles, now.handles, true, std::vector<char>(now.handles.size(), 0), m_handleBoxes, m_handles,
                map, dirty, [&](int i) { return PartBox{HandleBox(handles, i), {}}; },
                [&](int i) -> std::optional<std::pair<WorldBox, WorldBox>> {
                    const HandleLook& before = last.handles[static_cast<std::size_t>(i)];
                    const HandleLook& after = now.handles[static_cast<std::size_t>(i)];
                    // A selected marker's yellow gives way to the red: the whole part changes.
                    if (before.selected || !OnlyHoverDiffers(before, after))
                        return std::nullopt;
                    return std::make_pair(HoverPieceBox(handles, i, before.hover), HoverPieceBox(handles, i, after.hover));
                });

    // Objects take the colour the course leaves current; a hovered body's label goes with the
    // cursor.
    const float L = doc.m_course.m_texLuminance;
    const Rgb base = handles.GetSize() > 0 ? kWhite : Rgb{L, L, L};
    const bool baseMoved = !SameRgb(base, m_objectBase);
    m_objectBase = base;
    const bool labelMoved = last.view.labelShown != now.view.labelShown || last.view.labelX != now.view.labelX ||
                            last.view.labelY != now.view.labelY || last.view.textSize != now.view.textSize;
    // The objects after a label are drawn in the colour its last drawn letter leaves (none when
    // the label lies off the view): over a grey base, or next to a name with a colour escape, they
    // all change when the label comes, goes, moves or changes.
    const Labels was = LabelsOf(last), is = LabelsOf(now);
    const bool tinted = !SameRgb(base, kWhite) || was.escaped || is.escaped;
    const std::size_t recolourFrom =
        tinted && (was.shown != is.shown || labelMoved) ? std::min(was.First(), is.First()) : SIZE_MAX;
    std::vector<char> forced(now.objects.size(), 0);
    for (std::size_t i = 0; i < forced.size(); ++i)
        forced[i] = baseMoved || (labelMoved && now.objects[i].hover == ObjectPart::Body) || (i > recolourFrom);
    const float scale = doc.m_xobjectScale;
    UpdateParts(last.objects, now.objects, false, forced, m_objectBoxes, m_objects, map, dirty, [&](int i) {
        const XObject& o = objects[i];
        PartBox part{ObjectBox(o, scale), {}};
        if (o.HoverPart == ObjectPart::Body && now.view.labelShown)
            part.label = PixelsOf(overlay.TextBounds(o.FileName.c_str(), now.view.labelX, now.view.labelY));
        return part;
    }, [&](int i) -> std::optional<std::pair<WorldBox, WorldBox>> {
        // A label that comes or goes changes the part's box: that is a whole change.
        const ObjectLook& before = last.objects[static_cast<std::size_t>(i)];
        const ObjectLook& after = now.objects[static_cast<std::size_t>(i)];
        const bool labels = now.view.labelShown && (before.hover == ObjectPart::Body || after.hover == ObjectPart::Body);
        if (labels || before.selected || !OnlyHoverDiffers(before, after))
            return std::nullopt;
        return std::make_pair(HoverPieceBox(objects[i], before.hover), HoverPieceBox(objects[i], after.hover));
    });
}

template <class Look, class Measure, class HoverPiece>
void PartRuns::UpdateParts(const std::vector<Look>& last, const std::vector<Look>& now, bool ring,
                           const std::vector<char>& forced, std::vector<PartBox>& boxes, std::vector<Run>& runs,
                           const WorldToPixels& map, std::vector<PixelRect>& dirty, Measure measure,
                           HoverPiece hoverPiece)
{
    const int oldN = static_cast<int>(last.size());
    const int n = static_cast<int>(now.size());
    const auto at = [](int i) { return static_cast<std::size_t>(i); };
    if (boxes.size() != last.size()) {
        // Nothing known about what is on screen: all of it.
        dirty.push_back(map.viewport);
        boxes.assign(last.size(), PartBox{});
    }
    std::vector<char> markOld(last.size(), 0);
    std::vector<char> markNew(now.size(), 0);
    std::vector<char> restyled(now.size(), 0);   // the same box, a run to compile again
    const bool sameCount = oldN == n;
    int prefix = 0;
    int suffix = 0;
    if (sameCount) {
        for (int i = 0; i < n; ++i) {
            if (!forced[at(i)] && SameLook(last[at(i)], now[at(i)]))
                continue;
            if (!forced[at(i)]) {
                if (const auto pieces = hoverPiece(i)) {
                    dirty.push_back(PixelsOf(pieces->first, map));
                    dirty.push_back(PixelsOf(pieces->second, map));
                    restyled[at(i)] = 1;
                    continue;
                }
            }
            markOld[at(i)] = markNew[at(i)] = 1;
            if (ring)   // the span of the part before ends here
                markOld[at((i - 1 + n) % n)] = markNew[at((i - 1 + n) % n)] = 1;
        }
    } else {
        // An insertion or deletion: the parts before and after it are the same parts.
        const int common = std::min(oldN, n);
        while (prefix < common && !forced[at(prefix)] && SameLook(last[at(prefix)], now[at(prefix)]))
            ++prefix;
        while (suffix < common - prefix && !forced[at(n - 1 - suffix)] &&
               SameLook(last[at(oldN - 1 - suffix)], now[at(n - 1 - suffix)]))
            ++suffix;
        for (int i = prefix; i < oldN - suffix; ++i)
            markOld[at(i)] = 1;
        for (int i = prefix; i < n - suffix; ++i)
            markNew[at(i)] = 1;
        if (ring && oldN > 0)
            markOld[at((prefix - 1 + oldN) % oldN)] = 1;
        if (ring && n > 0)
            markNew[at((prefix - 1 + n) % n)] = 1;
    }

    for (int i = 0; i < oldN; ++i) {
        if (markOld[at(i)]) {
            dirty.push_back(PixelsOf(boxes[at(i)].box, map));
            dirty.push_back(boxes[at(i)].label);
        }
    }
    if (!sameCount) {
        std::vector<PartBox> moved(now.size());
        for (int i = 0; i < prefix; ++i)
            moved[at(i)] = boxes[at(i)];
        for (int k = 0; k < suffix; ++k)
            moved[at(n - 1 - k)] = boxes[at(oldN - 1 - k)];
        boxes = std::move(moved);
    }
    for (int i = 0; i < n; ++i) {
        if (markNew[at(i)]) {
            boxes[at(i)] = measure(i);
            dirty.push_back(PixelsOf(boxes[at(i)].box, map));
            dirty.push_back(boxes[at(i)].label);
        }
    }

    // Runs to compile again: those with a changed part, new ones, and every one from the
    // insertion or deletion on, whose parts now have other indices.
    const std::size_t oldRuns = runs.size();
    ResizeRuns(runs, n);
    std::vector<char> stale(runs.size(), 0);
    for (std::size_t r = oldRuns; r < runs.size(); ++r)
        stale[r] = 1;
    for (int i = 0; i < n; ++i)
        stale[at(i / kRunParts)] = stale[at(i / kRunParts)] || markNew[at(i)] || restyled[at(i)];
    if (!sameCount) {
        for (std::size_t r = at(prefix / kRunParts); r < runs.size(); ++r)
            stale[r] = 1;
    }
    for (std::size_t r = 0; r < runs.size(); ++r) {
        if (!stale[r])
            continue;
        Run& run = runs[r];
        run.compiled = false;
        run.sentOnce = false;
        run.box = WorldBox();
        run.label = PixelRect();
        run.immediate = false;
        run.labelled = false;
        const int first = static_cast<int>(r) * kRunParts;
        const int end = std::min(n, first + kRunParts);
        for (int i = first; i < end; ++i) {
            run.box.Join(boxes[at(i)].box);
            run.immediate = run.immediate || now[at(i)].hover != decltype(now[at(i)].hover){};
            if (!boxes[at(i)].label.Empty()) {
                run.label.Join(boxes[at(i)].label);
                run.labelled = true;
            }
        }
    }
}

void PartRuns::ResizeRuns(std::vector<Run>& runs, int parts)
{
    const std::size_t count = static_cast<std::size_t>((parts + kRunParts - 1) / kRunParts);
    for (std::size_t r = count; r < runs.size(); ++r) {
        if (runs[r].list != 0)
            glDeleteLists(runs[r].list, 1);
    }
    runs.resize(count);
}

bool PartRuns::Draw(const CTrackwrightDoc& doc, TextOverlay& overlay, const PixelRect* clip, const WorldToPixels& map)
{
    const CourseData& course = doc.m_course;
    DrawMapSquare(course);
    auto meets = [&](const Run& run) { return !clip || PixelsOf(run.box, map).Meets(*clip); };
    // Sends a run from its list, compiling it first when its parts changed. A region sends a
    // changed run without compiling it: a hovered part changes its run at every hover change,
    // and compiling costs more than sending the run once; the next whole frame compiles it.
    // A whole frame sends a changed run once without its list too, and compiles it the second
    // time: compiling and replaying costs about two sends, so a course just opened shows at the
    // speed of one, and a run that changes at every frame is never compiled in vain.
    auto replay = [&](Run& run, auto&& draw) {
        if (!run.compiled && (clip || !run.sentOnce)) {
            draw();
            run.sentOnce = run.sentOnce || !clip;
            return;
        }
        if (!run.compiled) {
            if (run.list == 0)
                run.list = glGenLists(1);
            if (run.list == 0) {
                draw();
                return;
            }
            glNewList(run.list, GL_COMPILE);
            draw();
            glEndList();
            run.compiled = true;
        }
        glCallList(run.list);
    };

    // In a region, a run that meets it only with a few of its parts sends just those, without
    // its list: a long run (a row of objects) may cross a small region with one or two. Parts
    // sent in list order leave the region as the whole run would: the others light nothing in it.
    // Calls draw(first, last) for each stretch of such parts and returns true, or returns false
    // when most of the run meets the region.
    auto sparse = [&](const std::vector<PartBox>& boxes, int first, int last, auto&& draw) {
        if (!clip)
            return false;
        auto partMeets = [&](int k) {
            const PartBox& b = boxes[static_cast<std::size_t>(k)];
            return !b.label.Empty() || PixelsOf(b.box, map).Meets(*clip);
        };
        int meeting = 0;
        for (int i = first; i < last; ++i)
            meeting += partMeets(i);
        if (meeting * 2 > last - first)
            return false;
        for (int i = first; i < last;) {
            if (!partMeets(i)) {
                ++i;
                continue;
            }
            int end = i + 1;
            while (end < last && partMeets(end))
                ++end;
            draw(i, end);
            i = end;
        }
        return true;
    };

    const int n = course.m_handles.GetSize();
    for (std::size_t r = 0; r < m_handles.size(); ++r) {
        Run& run = m_handles[r];
        if (!meets(run))
            continue;
        const int first = static_cast<int>(r) * kRunParts;
        const int last = std::min(n, first + kRunParts);
        auto draw = [&](int a, int b) { DrawHandleRange(course, a, b); };
        if (sparse(m_handleBoxes, first, last, draw))
            continue;
        if (run.immediate)
            draw(first, last);
        else
            replay(run, [&] { draw(first, last); });
        // The renderer starts on what it has while the rest is sent (a region is quickly sent).
        if (!clip)
            glFlush();
    }

    const int m = doc.m_xobjects.GetSize();
    const float scale = doc.m_xobjectScale;
    Rgb colour = m_objectBase;
    bool stale = false;
    for (std::size_t r = 0; r < m_objects.size(); ++r) {
        Run& run = m_objects[r];
        // A label is drawn wherever it is: the colour it leaves current carries on.
        if (!run.labelled && !meets(run)) {
            stale = stale || (run.compiled && !SameRgb(run.entry, colour));
            continue;
        }
        const int first = static_cast<int>(r) * kRunParts;
        const int last = std::min(m, first + kRunParts);
        glColor3f(colour.r, colour.g, colour.b);
        if (!SameRgb(run.entry, colour) || run.scale != scale) {
            run.compiled = false;
            run.sentOnce = false;
        }
        Rgb exit = colour;
        auto draw = [&](int a, int b) { exit = DrawXObjectRange(doc, a, b, exit, overlay); };
        if (!sparse(m_objectBoxes, first, last, draw)) {
            if (run.immediate)
                draw(first, last);
            else
                replay(run, [&] { DrawXObjectRange(doc, first, last, colour, overlay); });
        }
        run.entry = colour;
        run.scale = scale;
        stale = stale || (clip && !SameRgb(run.exit, exit) && r + 1 < m_objects.size());
        run.exit = exit;
        colour = exit;
        if (!clip)
            glFlush();
    }
    return !(clip && stale);
}

void PartRuns::Release()
{
    for (std::vector<Run>* runs : {&m_handles, &m_objects}) {
        for (Run& run : *runs) {
            if (run.list != 0)
                glDeleteLists(run.list, 1);
        }
        runs->clear();
    }
}
