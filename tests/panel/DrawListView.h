// Reading draw lists in tests: bitmap steps as (name, x, y).
#pragma once

#include <string>
#include <tuple>
#include <vector>

#include "PanelDraw.h"

using Placed = std::tuple<std::string, int, int>;

inline Placed PlacedOf(const DrawOp& op) {
    return {PanelBitmapName(op.bitmap), op.x, op.y};
}

inline std::vector<Placed> PlacedBitmaps(const DrawList& list) {
    std::vector<Placed> placed;
    for (const DrawOp& op : list)
        if (op.kind == DrawKind::Bitmap) placed.push_back(PlacedOf(op));
    return placed;
}

inline std::vector<Placed> PlacedBitmaps(const DrawList& list, size_t first, size_t count) {
    return PlacedBitmaps(DrawList(list.begin() + first, list.begin() + first + count));
}
