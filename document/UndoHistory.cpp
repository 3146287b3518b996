#include "document/UndoHistory.h"

#include <algorithm>
#include <bit>

namespace {

bool Same(float a, float b)
{
    return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}

bool Same(const Vector3& a, const Vector3& b)
{
    return Same(a.x, b.x) && Same(a.y, b.y) && Same(a.z, b.z) && Same(a.w, b.w);
}

bool Same(const CourseHandle& a, const CourseHandle& b)
{
    return Same(a.vPos, b.vPos) && Same(a.vTanNext, b.vTanNext) && Same(a.vTanPrev, b.vTanPrev) &&
           Same(a.WidthRight, b.WidthRight) && Same(a.WidthLeft, b.WidthLeft);
}

bool Same(const XObject& a, const XObject& b)
{
    return a.FileName == b.FileName && Same(a.Pos, b.Pos) && Same(a.Direction, b.Direction) &&
           Same(a.Width, b.Width) && Same(a.Height, b.Height);
}

// A record as a step keeps it: the stored values, no drag or hover state.
CourseHandle Stored(const CourseHandle& h)
{
    CourseHandle s;
    s.vPos = h.vPos;
    s.vTanNext = h.vTanNext;
    s.vTanPrev = h.vTanPrev;
    s.WidthRight = h.WidthRight;
    s.WidthLeft = h.WidthLeft;
    return s;
}

XObject Stored(const XObject& o)
{
    return XObject(o.FileName, o.Pos, o.Direction, o.Width, o.Height);
}

template <class T>
std::vector<T> StoredRange(const T* first, const T* last)
{
    std::vector<T> out;
    out.reserve(static_cast<std::size_t>(last - first));
    for (; first != last; ++first)
        out.push_back(Stored(*first));
    return out;
}

// The splices that turn `before` into `now`: the changed runs when the length is the same
// (a group move touching two far-apart records keeps two short runs), otherwise the one
// range between the common head and tail.
template <class T>
std::vector<ListSplice<T>> Diff(const std::vector<T>& before, const RecordList<T>& now)
{
    const int nb = static_cast<int>(before.size());
    const int na = now.GetSize();
    const T* b = before.data();
    const T* a = na > 0 ? &now[0] : nullptr;
    int head = 0;
    while (head < nb && head < na && Same(b[head], a[head]))
        ++head;
    int tail = 0;
    while (tail < nb - head && tail < na - head && Same(b[nb - 1 - tail], a[na - 1 - tail]))
        ++tail;

    std::vector<ListSplice<T>> splices;
    if (nb != na) {
        splices.push_back({head, StoredRange(b + head, b + nb - tail), StoredRange(a + head, a + na - tail)});
        return splices;
    }
    for (int i = head; i < nb - tail;) {
        int j = i + 1;
        while (j < nb - tail && !Same(b[j], a[j]))
            ++j;
        splices.push_back({i, StoredRange(b + i, b + j), StoredRange(a + i, a + j)});
        i = j;
        while (i < nb - tail && Same(b[i], a[i]))
            ++i;
    }
    return splices;
}

template <class T>
void ApplyForward(const std::vector<ListSplice<T>>& splices, RecordList<T>& list)
{
    for (const ListSplice<T>& s : splices)
        list.Replace(s.at, static_cast<int>(s.before.size()), s.after.begin(), s.after.end());
}

template <class T>
void ApplyBackward(const std::vector<ListSplice<T>>& splices, RecordList<T>& list)
{
    for (auto s = splices.rbegin(); s != splices.rend(); ++s)
        list.Replace(s->at, static_cast<int>(s->after.size()), s->before.begin(), s->before.end());
}

std::size_t StringBytes(const std::string& s)
{
    // Short strings live inside the object.
    return s.capacity() > 15 ? s.capacity() + 1 : 0;
}

std::size_t RecordBytes(const CourseHandle&)
{
    return 0;
}

std::size_t RecordBytes(const XObject& o)
{
    return StringBytes(o.FileName);
}

template <class T>
std::size_t SpliceBytes(const std::vector<ListSplice<T>>& splices)
{
    std::size_t bytes = splices.capacity() * sizeof(ListSplice<T>);
    for (const ListSplice<T>& s : splices) {
        bytes += (s.before.capacity() + s.after.capacity()) * sizeof(T);
        for (const T& r : s.before)
            bytes += RecordBytes(r);
        for (const T& r : s.after)
            bytes += RecordBytes(r);
    }
    return bytes;
}

}  // namespace

bool CourseSettings::SameStoredValues(const CourseSettings& o) const
{
    return heightMap == o.heightMap && colorMap == o.colorMap && Same(luminance, o.luminance) &&
           visibleMap == o.visibleMap;
}

bool CourseSettings::SameBits(const CourseSettings& o) const
{
    return SameStoredValues(o) && Same(objectScale, o.objectScale);
}

void UndoHistory::Begin(const CourseState& now)
{
    if (m_depth++ > 0)
        return;
    m_startHandles.assign(now.handles.begin(), now.handles.end());
    m_startObjects.assign(now.objects.begin(), now.objects.end());
    m_startSettings = now.settings;
}

bool UndoHistory::End(const CourseState& now, UINT label)
{
    if (m_depth == 0 || --m_depth > 0)
        return false;
    UndoStep step;
    step.label = label;
    step.handles = Diff(m_startHandles, now.handles);
    step.objects = Diff(m_startObjects, now.objects);
    step.settingsChanged = !m_startSettings.SameBits(now.settings);
    if (step.settingsChanged) {
        step.settingsBefore = m_startSettings;
        step.settingsAfter = now.settings;
    }
    step.storedChange = !step.handles.empty() || !step.objects.empty() ||
                        !m_startSettings.SameStoredValues(now.settings);
    std::vector<CourseHandle>().swap(m_startHandles);
    std::vector<XObject>().swap(m_startObjects);
    if (step.handles.empty() && step.objects.empty() && !step.settingsChanged)
        return false;

    // A new edit drops the undone steps; the saved state may go with them.
    if (m_saved > m_position)
        m_saved = -1;
    m_steps.erase(m_steps.begin() + m_position, m_steps.end());
    m_steps.push_back(std::move(step));
    ++m_position;
    ++m_changes;
    if (static_cast<int>(m_steps.size()) > kMaxSteps) {
        m_steps.pop_front();
        --m_position;
        m_saved = m_saved > 0 ? m_saved - 1 : -1;
    }
    return true;
}

const UndoStep* UndoHistory::Undo(const CourseState& state)
{
    if (!CanUndo())
        return nullptr;
    const UndoStep& step = m_steps[--m_position];
    ++m_changes;
    ApplyBackward(step.handles, state.handles);
    ApplyBackward(step.objects, state.objects);
    if (step.settingsChanged)
        state.settings = step.settingsBefore;
    return &step;
}

const UndoStep* UndoHistory::Redo(const CourseState& state)
{
    if (!CanRedo())
        return nullptr;
    const UndoStep& step = m_steps[m_position++];
    ++m_changes;
    ApplyForward(step.handles, state.handles);
    ApplyForward(step.objects, state.objects);
    if (step.settingsChanged)
        state.settings = step.settingsAfter;
    return &step;
}

void UndoHistory::Clear()
{
    m_steps.clear();
    ++m_changes;
    m_position = 0;
    m_saved = 0;
    m_depth = 0;
    std::vector<CourseHandle>().swap(m_startHandles);
    std::vector<XObject>().swap(m_startObjects);
}

bool UndoHistory::IsModified() const
{
    if (m_saved < 0)
        return true;
    const int from = std::min(m_saved, m_position);
    const int to = std::max(m_saved, m_position);
    for (int i = from; i < to; ++i) {
        if (m_steps[static_cast<std::size_t>(i)].storedChange)
            return true;
    }
    return false;
}

std::size_t UndoHistory::MemoryBytes() const
{
    std::size_t bytes = m_steps.size() * sizeof(UndoStep);
    for (const UndoStep& s : m_steps) {
        bytes += SpliceBytes(s.handles) + SpliceBytes(s.objects);
        for (const CourseSettings* c : {&s.settingsBefore, &s.settingsAfter})
            bytes += StringBytes(c->heightMap) + StringBytes(c->colorMap);
    }
    return bytes;
}
