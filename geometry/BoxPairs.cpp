#include "geometry/BoxPairs.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

// Level L files boxes of extent up to kBaseCell * 2^L in cells of that side; cell numbers stay
// within 32 bits inside the limit.
constexpr double kBaseCell = 1.0 / 64.0;
constexpr int kLevels = 40;

struct Entry {
    std::int32_t cx;
    std::int32_t cy;
    std::int32_t level;
    std::int32_t item;
};

bool Usable(const PlaneBox& b)
{
    const double c[4] = {b.minX, b.minY, b.maxX, b.maxY};
    for (double v : c) {
        if (!std::isfinite(v) || std::fabs(v) > kBoxPairsLimit)
            return false;
    }
    return b.minX <= b.maxX && b.minY <= b.maxY;
}

// The side of the cells of each level.
struct LevelSides {
    double side[kLevels];
    constexpr LevelSides() : side()
    {
        double s = kBaseCell;
        for (double& v : side) {
            v = s;
            s *= 2.0;
        }
    }
};
constexpr LevelSides kSides;

int LevelOf(const PlaneBox& b)
{
    const double extent = std::max(b.maxX - b.minX, b.maxY - b.minY);
    int level = 0;
    while (level < kLevels - 1 && kSides.side[level] < extent)
        ++level;
    return level;
}

std::int32_t CellOf(double v, double side)
{
    return static_cast<std::int32_t>(std::floor(v / side));
}

// splitmix64's finaliser over the packed cell: neighbouring cells land in unrelated buckets.
std::size_t Bucket(int level, std::int32_t cx, std::int32_t cy, std::size_t mask)
{
    std::uint64_t h = (static_cast<std::uint64_t>(static_cast<std::uint32_t>(cx)) << 32 | static_cast<std::uint32_t>(cy)) +
                      static_cast<std::uint64_t>(level) * 0x9E3779B97F4A7C15ull;
    h = (h ^ (h >> 30)) * 0xBF58476D1CE4E5B9ull;
    h = (h ^ (h >> 27)) * 0x94D049BB133111EBull;
    h ^= h >> 31;
    return static_cast<std::size_t>(h) & mask;
}

bool Meet(const PlaneBox& a, const PlaneBox& b)
{
    return a.minX <= b.maxX && b.minX <= a.maxX && a.minY <= b.maxY && b.minY <= a.maxY;
}

// The boxes of one list filed by cell: a counting sort into hash buckets, so a cell is one short run.
class BoxGrid {
public:
    explicit BoxGrid(const std::vector<PlaneBox>& boxes)
        : m_boxes(boxes), m_levels(boxes.size(), -1)
    {
        std::vector<Entry> entries;
        entries.reserve(boxes.size() * 2);
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            const PlaneBox& b = boxes[i];
            if (!Usable(b))
                continue;
            const int level = LevelOf(b);
            m_levels[i] = level;
            m_used |= std::uint64_t{1} << level;
            const double side = kSides.side[level];
            // A box no larger than the cell lies in at most 2 x 2 of them.
            for (std::int32_t cx = CellOf(b.minX, side); cx <= CellOf(b.maxX, side); ++cx) {
                for (std::int32_t cy = CellOf(b.minY, side); cy <= CellOf(b.maxY, side); ++cy)
                    entries.push_back({cx, cy, level, static_cast<std::int32_t>(i)});
            }
        }
        std::size_t buckets = 16;
        while (buckets < 2 * entries.size())
            buckets *= 2;
        m_mask = buckets - 1;
        m_start.assign(buckets + 1, 0);
        for (const Entry& e : entries)
            ++m_start[Bucket(e.level, e.cx, e.cy, m_mask) + 1];
        for (std::size_t k = 0; k < buckets; ++k)
            m_start[k + 1] += m_start[k];
        std::vector<std::uint32_t> fill(m_start.begin(), m_start.end() - 1);
        m_sorted.resize(entries.size());
        for (const Entry& e : entries)
            m_sorted[fill[Bucket(e.level, e.cx, e.cy, m_mask)]++] = e;
    }

    int LevelOfItem(int i) const { return m_levels[static_cast<std::size_t>(i)]; }
    const PlaneBox& Box(int i) const { return m_boxes[static_cast<std::size_t>(i)]; }

    // Calls take(item) for each filed box of a level from `from` up that meets q, once per pair:
    // in the cell holding the lower corner of the common part.
    template <class Take>
    void Query(const PlaneBox& q, int from, Take&& take) const
    {
        for (int level = from; level < kLevels; ++level) {
            if (!(m_used >> level & 1))
                continue;
            const double side = kSides.side[level];
            for (std::int32_t cx = CellOf(q.minX, side); cx <= CellOf(q.maxX, side); ++cx) {
                for (std::int32_t cy = CellOf(q.minY, side); cy <= CellOf(q.maxY, side); ++cy) {
                    const std::size_t k = Bucket(level, cx, cy, m_mask);
                    for (std::uint32_t e = m_start[k]; e < m_start[k + 1]; ++e) {
                        const Entry& other = m_sorted[e];
                        if (other.level != level || other.cx != cx || other.cy != cy)
                            continue;
                        const PlaneBox& b = Box(other.item);
                        if (!Meet(q, b))
                            continue;
                        if (CellOf(std::max(q.minX, b.minX), side) != cx || CellOf(std::max(q.minY, b.minY), side) != cy)
                            continue;
                        take(other.item, level);
                    }
                }
            }
        }
    }

private:
    const std::vector<PlaneBox>& m_boxes;
    std::vector<int> m_levels;
    std::uint64_t m_used = 0;
    std::size_t m_mask = 0;
    std::vector<std::uint32_t> m_start;
    std::vector<Entry> m_sorted;
};

}  // namespace

void ForEachMeetingPair(const std::vector<PlaneBox>& boxes, const std::function<void(int, int)>& visit)
{
    const BoxGrid grid(boxes);
    for (int a = 0; a < static_cast<int>(boxes.size()); ++a) {
        const int own = grid.LevelOfItem(a);
        if (own < 0)
            continue;
        // A pair of one level is taken by its lower index; of two levels by the smaller box.
        grid.Query(boxes[static_cast<std::size_t>(a)], own, [&](int b, int level) {
            if (level == own && b <= a)
                return;
            visit(a < b ? a : b, a < b ? b : a);
        });
    }
}

void ForEachMeetingPair(const std::vector<PlaneBox>& first, const std::vector<PlaneBox>& second,
                        const std::function<void(int, int)>& visit)
{
    const BoxGrid firstGrid(first);
    const BoxGrid secondGrid(second);
    // Each pair is looked for from its smaller box; a tie goes to the first list's box.
    for (int i = 0; i < static_cast<int>(first.size()); ++i) {
        const int own = firstGrid.LevelOfItem(i);
        if (own >= 0)
            secondGrid.Query(first[static_cast<std::size_t>(i)], own, [&](int j, int) { visit(i, j); });
    }
    for (int j = 0; j < static_cast<int>(second.size()); ++j) {
        const int own = secondGrid.LevelOfItem(j);
        if (own >= 0)
            firstGrid.Query(second[static_cast<std::size_t>(j)], own + 1, [&](int i, int) { visit(i, j); });
    }
}
