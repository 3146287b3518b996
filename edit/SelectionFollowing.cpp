#include "edit/SelectionFollowing.h"

#include "document/UndoHistory.h"

#include <algorithm>
#include <vector>

namespace {

// A list's size change splices into one range (UndoHistory's Diff): indices after it shift,
// indices in it keep their place up to the shorter side's length and are dropped beyond.
template <class T>
void Follow(std::vector<int>& indices, int& count, const std::vector<ListSplice<T>>& splices, bool forward)
{
    for (const ListSplice<T>& s : splices) {
        const int from = static_cast<int>(forward ? s.before.size() : s.after.size());
        const int to = static_cast<int>(forward ? s.after.size() : s.before.size());
        if (from == to)
            continue;
        std::vector<int> out;
        out.reserve(indices.size());
        for (const int i : indices) {
            if (i >= s.at + from)
                out.push_back(i + to - from);
            else if (i < s.at + std::min(from, to))
                out.push_back(i);
        }
        indices.swap(out);
        count += to - from;
    }
}

}  // namespace

void FollowStep(CourseSelection& sel, const UndoStep& step, bool forward)
{
    // A selection over other lists ends with sizes that match neither side: DropIfStale.
    Follow(sel.handles, sel.handleCount, step.handles, forward);
    Follow(sel.objects, sel.objectCount, step.objects, forward);
}
