#include "geometry/CourseSelection.h"

#include <algorithm>

namespace {

bool Has(const std::vector<int>& v, int i)
{
    return std::binary_search(v.begin(), v.end(), i);
}

void Toggle(std::vector<int>& v, int i)
{
    const auto at = std::lower_bound(v.begin(), v.end(), i);
    if (at != v.end() && *at == i)
        v.erase(at);
    else
        v.insert(at, i);
}

void Union(std::vector<int>& v, const std::vector<int>& w)
{
    std::vector<int> out;
    out.reserve(v.size() + w.size());
    std::set_union(v.begin(), v.end(), w.begin(), w.end(), std::back_inserter(out));
    v.swap(out);
}

// Written so that a NaN coordinate is never inside.
bool InBand(const Vector3& p, float x0, float x1, float y0, float y1)
{
    return p.x >= x0 && p.x <= x1 && p.y >= y0 && p.y <= y1;
}

}  // namespace

bool CourseSelection::HasHandle(int i) const { return Has(handles, i); }
bool CourseSelection::HasObject(int i) const { return Has(objects, i); }
void CourseSelection::ToggleHandle(int i) { Toggle(handles, i); }
void CourseSelection::ToggleObject(int i) { Toggle(objects, i); }

void CourseSelection::Merge(const CourseSelection& other)
{
    if (other.handleCount != handleCount || other.objectCount != objectCount)
        return;
    Union(handles, other.handles);
    Union(objects, other.objects);
}

CourseSelection EmptySelection(const RecordList<CourseHandle>& handles, const RecordList<XObject>& objects)
{
    CourseSelection sel;
    sel.handleCount = handles.GetSize();
    sel.objectCount = objects.GetSize();
    return sel;
}

bool DropIfStale(CourseSelection& sel, const RecordList<CourseHandle>& handles, const RecordList<XObject>& objects)
{
    if (sel.handleCount == handles.GetSize() && sel.objectCount == objects.GetSize())
        return false;
    const bool dropped = !sel.Empty();
    sel = EmptySelection(handles, objects);
    return dropped;
}

CourseSelection SelectAll(const RecordList<CourseHandle>& handles, const RecordList<XObject>& objects)
{
    CourseSelection sel = EmptySelection(handles, objects);
    for (int i = 0; i < handles.GetSize(); ++i)
        sel.handles.push_back(i);
    for (int i = 0; i < objects.GetSize(); ++i)
        sel.objects.push_back(i);
    return sel;
}

CourseSelection SelectInBand(const RecordList<CourseHandle>& handles, const RecordList<XObject>& objects,
                             const Vector3& a, const Vector3& b)
{
    CourseSelection sel = EmptySelection(handles, objects);
    const float x0 = std::min(a.x, b.x), x1 = std::max(a.x, b.x);
    const float y0 = std::min(a.y, b.y), y1 = std::max(a.y, b.y);
    for (int i = 0; i < handles.GetSize(); ++i) {
        if (InBand(handles[i].vPos, x0, x1, y0, y1))
            sel.handles.push_back(i);
    }
    for (int i = 0; i < objects.GetSize(); ++i) {
        if (InBand(objects[i].Pos, x0, x1, y0, y1))
            sel.objects.push_back(i);
    }
    return sel;
}

std::vector<Vector3> SelectedPositions(const CourseSelection& sel, const RecordList<CourseHandle>& handles,
                                       const RecordList<XObject>& objects)
{
    std::vector<Vector3> start;
    start.reserve(sel.handles.size() + sel.objects.size());
    for (const int i : sel.handles)
        start.push_back(handles[i].vPos);
    for (const int i : sel.objects)
        start.push_back(objects[i].Pos);
    return start;
}

bool PlaceSelection(const CourseSelection& sel, const std::vector<Vector3>& start, const Vector3& offset,
                    RecordList<CourseHandle>& handles, RecordList<XObject>& objects)
{
    // A selection replaced meanwhile (a paste during the drag) has no start positions.
    if (start.size() != sel.handles.size() + sel.objects.size())
        return false;
    bool changed = false;
    std::size_t k = 0;
    const auto place = [&](Vector3& pos) {
        const Vector3 to = start[k++] + offset;
        changed = changed || !(to == pos);
        pos = to;
    };
    for (const int i : sel.handles)
        place(handles[i].vPos);
    for (const int i : sel.objects)
        place(objects[i].Pos);
    return changed;
}
