#pragma once

#include <functional>
#include <vector>

// An axis-aligned box in the course plane; a point is a box of no extent.
struct PlaneBox {
    double minX = 0.0;
    double minY = 0.0;
    double maxX = 0.0;
    double maxY = 0.0;
};

// Broad phase: pairs of boxes that meet (closed boxes: touching counts), each pair reported once,
// in no particular order. Near-linear for boxes of any mix of sizes: each box is filed in a hashed
// grid whose cells are at least its own size, and a pair is looked for only from the smaller box,
// in the larger one's cells. Boxes with a coordinate that is not finite or beyond kBoxPairsLimit
// take part in no pair.
constexpr double kBoxPairsLimit = 1.0e7;

// Every meeting pair within one list, as visit(a, b) with a < b.
void ForEachMeetingPair(const std::vector<PlaneBox>& boxes, const std::function<void(int, int)>& visit);
// Every meeting pair of a box of `first` with a box of `second`, as visit(i, j) = (first[i], second[j]).
void ForEachMeetingPair(const std::vector<PlaneBox>& first, const std::vector<PlaneBox>& second,
                        const std::function<void(int, int)>& visit);
