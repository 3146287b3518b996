#pragma once

// The control points and objects the user has selected: a value of the view, never stored in
// the course file. Indices refer to the lists of the sizes recorded with them: an edit that
// inserts or removes records carries the selection along (edit/SelectionFollowing.h); sizes
// that still differ tell that the lists came from elsewhere (Open, New) and the selection is
// stale.
#include "geometry/CourseRecords.h"
#include "geometry/RecordList.h"

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

struct CourseSelection {
    std::vector<int> handles;   // ascending, no repeats
    std::vector<int> objects;   // ascending, no repeats
    int handleCount = 0;        // sizes of the lists the indices refer to
    int objectCount = 0;

    bool Empty() const { return handles.empty() && objects.empty(); }
    int Size() const { return static_cast<int>(handles.size() + objects.size()); }
    bool HasHandle(int i) const;
    bool HasObject(int i) const;
    void ToggleHandle(int i);
    void ToggleObject(int i);
    // Adds what `other` holds; nothing when it was made over lists of other sizes (its
    // indices may name other parts now).
    void Merge(const CourseSelection& other);
    bool operator==(const CourseSelection&) const = default;
};

// An empty selection over lists of these sizes.
CourseSelection EmptySelection(const RecordList<CourseHandle>& handles, const RecordList<XObject>& objects);
// Drops a selection whose lists changed size since it was made; true when it was dropped.
bool DropIfStale(CourseSelection& sel, const RecordList<CourseHandle>& handles, const RecordList<XObject>& objects);

// Every control point and object of the lists.
CourseSelection SelectAll(const RecordList<CourseHandle>& handles, const RecordList<XObject>& objects);

// The control points and objects whose positions lie in the rectangle spanned by corners a
// and b, edges included.
CourseSelection SelectInBand(const RecordList<CourseHandle>& handles, const RecordList<XObject>& objects,
                             const Vector3& a, const Vector3& b);

// The positions of the selected parts, handles first: where a group move starts from.
std::vector<Vector3> SelectedPositions(const CourseSelection& sel, const RecordList<CourseHandle>& handles,
                                       const RecordList<XObject>& objects);
// Puts every selected part at its start position plus offset (tangents, widths, directions
// unchanged); true when any stored value changed. Nothing moves when start does not hold
// one position per selected part.
bool PlaceSelection(const CourseSelection& sel, const std::vector<Vector3>& start, const Vector3& offset,
                    RecordList<CourseHandle>& handles, RecordList<XObject>& objects);

// Removes the items at the ascending indices drop, copying the kept ones once (removing one
// at a time would move the tail of a long list every time).
template <class T>
void RemoveIndices(RecordList<T>& list, const std::vector<int>& drop)
{
    RecordList<T> kept;
    // An index past the end (a selection left stale) drops nothing and must not make the size negative.
    kept.Reserve(std::max(0, list.GetSize() - static_cast<int>(drop.size())));
    std::size_t d = 0;
    for (int i = 0; i < list.GetSize(); ++i) {
        if (d < drop.size() && drop[d] == i)
            ++d;
        else
            kept.Add(list[i]);
    }
    list = std::move(kept);
}
