#include "view/PreviewDetail.h"

#include <algorithm>
#include <cmath>
#include <limits>

int DetailStride(double spacing, double nearest, double pixelsPerUnit, double maxSpacing)
{
    if (!(spacing > 0.0) || !(nearest > 0.0) || !(pixelsPerUnit > 0.0))
        return 1;
    int stride = 1;
    while (stride < kMaxDetailStride) {
        const double wider = spacing * (2 * stride);
        if (wider * pixelsPerUnit / nearest > kDetailPixels || (maxSpacing > 0.0 && wider > maxSpacing))
            break;
        stride *= 2;
    }
    return stride;
}

double NearestDistance(const WorldBounds& bounds, const WorldPoint& eye)
{
    if (bounds.Empty())
        return std::numeric_limits<double>::infinity();
    const auto outside = [](double v, double lo, double hi) { return v < lo ? lo - v : v > hi ? v - hi : 0.0; };
    return std::hypot(outside(eye.x, bounds.min.x, bounds.max.x), outside(eye.y, bounds.min.y, bounds.max.y),
                      outside(eye.z, bounds.min.z, bounds.max.z));
}

std::vector<std::uint32_t> RowsAtStride(const std::vector<std::uint32_t>& indices, std::size_t blocks, std::size_t rows,
                                        std::uint32_t across, int stride)
{
    if (stride <= 1 || blocks == 0 || rows < 2 || across == 0 || indices.size() % (blocks * (rows - 1)) != 0)
        return indices;
    const std::size_t perStrip = indices.size() / (blocks * (rows - 1));
    const std::size_t perBlock = rows * across;
    std::vector<std::uint32_t> out;
    out.reserve(indices.size() / std::size_t(stride) + perStrip * blocks);
    for (std::size_t b = 0; b < blocks; ++b) {
        for (std::size_t k = 0; k + 1 < rows; k += std::size_t(stride)) {
            const std::size_t next = std::min(k + std::size_t(stride), rows - 1);
            const std::size_t first = (b * (rows - 1) + k) * perStrip;
            for (std::size_t t = first; t < first + perStrip; ++t) {
                const std::uint32_t v = indices[t];
                const bool far = (v - b * perBlock) / across > k;
                out.push_back(far ? static_cast<std::uint32_t>(v + (next - k - 1) * across) : v);
            }
        }
    }
    return out;
}

std::vector<std::uint32_t> TerrainBandIndices(std::int32_t columns, std::int32_t rows, std::int32_t band, int stride)
{
    std::vector<std::uint32_t> out;
    if (columns < 2 || rows < 2 || band < 1 || stride < 1)
        return out;
    const auto kept = [stride](std::int32_t from, std::int32_t to) {
        std::vector<std::int32_t> at;
        for (std::int32_t k = from; k < to; k += stride)
            at.push_back(k);
        at.push_back(to);
        return at;
    };
    const std::vector<std::int32_t> keptRows = kept(0, rows - 1);
    std::uint32_t base = 0;
    for (std::int32_t c0 = 0; c0 + 1 < columns; c0 += band) {
        const std::int32_t c1 = std::min(columns - 1, c0 + band);
        const auto width = static_cast<std::uint32_t>(c1 - c0 + 1);
        const std::vector<std::int32_t> keptColumns = kept(c0, c1);
        const auto at = [&](std::int32_t r, std::int32_t c) { return base + std::uint32_t(r) * width + std::uint32_t(c - c0); };
        for (std::size_t i = 0; i + 1 < keptRows.size(); ++i) {
            for (std::size_t j = 0; j + 1 < keptColumns.size(); ++j) {
                const std::uint32_t v00 = at(keptRows[i], keptColumns[j]);
                const std::uint32_t v10 = at(keptRows[i], keptColumns[j + 1]);
                const std::uint32_t v01 = at(keptRows[i + 1], keptColumns[j]);
                const std::uint32_t v11 = at(keptRows[i + 1], keptColumns[j + 1]);
                out.insert(out.end(), {v00, v10, v01, v10, v11, v01});
            }
        }
        base += width * std::uint32_t(rows);
    }
    return out;
}
