#pragma once

#include <cstdint>

// Where a thumbnail goes in the preview box and how it samples its source: one pixel in
// xCounter of every yCounter-th row, scaledWidth x scaledHeight pixels, its lower left corner
// xOffset pixels from the box's left edge and yOffset from its bottom edge.
struct TThumbnailGeometry {
    int32_t xCounter = 1;
    int32_t yCounter = 1;
    int32_t scaledWidth = 0;
    int32_t scaledHeight = 0;
    int32_t xOffset = 0;
    int32_t yOffset = 0;

    bool operator==(const TThumbnailGeometry&) const = default;
};

// The thumbnail's rounding: down below a fraction of one half, up from it.
int32_t RoundThumbnail(float value);

// The thumbnail of a width x height image in a box of boxWidth x boxHeight pixels. An image
// smaller than the box less one pixel each way is shown unreduced; a larger one is reduced by
// whole counters to fit within the box less one pixel, keeping its aspect within a tenth. The
// thumbnail is centred, an odd spare pixel going to the right and to the top. All ratios are
// worked out in single precision.
TThumbnailGeometry ThumbnailGeometry(
    int32_t boxWidth, int32_t boxHeight, int32_t width, int32_t height);
