// Any bytes as a chart file: what its headers let through takes fewer bytes of pixel rows than
// a chart file may have, so decoding it cannot exhaust memory.
#include "base/bitmap_layout.h"
#include "charts/chart_bitmap.h"
#include "charts/chart_selection.h"
#include "fuzz/fuzz_check.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace brisomar;
    const std::span<const std::uint8_t> head(data, std::min(size, chartHeadBytes));
    if (const auto shape = chartBitmapShape(head, size)) {
        require(shape->width > 0 && shape->height > 0);
        require(bitmapRowBytes(static_cast<std::uint64_t>(shape->width), shape->bitsPerPixel) *
                    static_cast<std::uint64_t>(shape->height) <
                maxChartFileBytes);
    }
    return 0;
}
