#include "preview/PreviewGeometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr int64_t kInt32Max = std::numeric_limits<int32_t>::max();
constexpr int64_t kInt32Min = std::numeric_limits<int32_t>::min();
constexpr float kInfinity = std::numeric_limits<float>::infinity();

// Rounds as the thumbnail does, held to the range of int32 (a value that is not a number
// gives 0), so that no conversion of a float can overflow.
int64_t Round(float value)
{
    if (std::isnan(value))
        return 0;
    if (value >= float(kInt32Max))
        return kInt32Max;
    if (value <= float(kInt32Min))
        return kInt32Min;
    const float low = std::floor(value);
    return int64_t(value - low < 0.5f ? low : std::ceil(value));
}

int64_t AtLeastOne(float value) { return std::max<int64_t>(1, Round(value)); }

int32_t Held(int64_t value) { return int32_t(std::clamp(value, kInt32Min, kInt32Max)); }

} // namespace

int32_t RoundThumbnail(float value) { return int32_t(Round(value)); }

TThumbnailGeometry ThumbnailGeometry(
    int32_t boxWidth, int32_t boxHeight, int32_t width, int32_t height)
{
    const int64_t imageWidth = std::max(width, 0);
    const int64_t imageHeight = std::max(height, 0);
    int64_t xCounter = 1;
    int64_t yCounter = 1;
    int64_t scaledWidth = imageWidth;
    int64_t scaledHeight = imageHeight;

    if (imageWidth > int64_t(boxWidth) - 1 || imageHeight > int64_t(boxHeight) - 1) {
        const float w = float(imageWidth);
        const float h = float(imageHeight);
        // An empty side leaves the other to decide the ratio.
        const auto ratio
            = [](int64_t room, float size) { return size > 0 ? float(room) / size : kInfinity; };
        const float r = std::min(ratio(int64_t(boxWidth) - 1, w), ratio(int64_t(boxHeight) - 1, h));
        scaledWidth = AtLeastOne(w * r);
        scaledHeight = AtLeastOne(h * r);
        xCounter = AtLeastOne(w / float(scaledWidth));
        yCounter = AtLeastOne(h / float(scaledHeight));

        // The rounded counters may leave the thumbnail a pixel too large: then both counters
        // grow by one.
        const auto widthFor = [&] { return AtLeastOne(w / float(xCounter)); };
        const auto heightFor = [&] { return AtLeastOne(h / float(yCounter)); };
        if (Round(w / float(xCounter)) > scaledWidth) {
            ++xCounter;
            ++yCounter;
            scaledWidth = widthFor();
            scaledHeight = heightFor();
        } else {
            scaledWidth = widthFor();
        }
        if (Round(h / float(yCounter)) > scaledHeight) {
            ++xCounter;
            ++yCounter;
            scaledHeight = heightFor();
            scaledWidth = widthFor();
        } else {
            scaledHeight = heightFor();
        }

        // A thumbnail whose aspect strays by more than a tenth is narrowed on the long side.
        const float aspect = h > 0 ? w / h : kInfinity;
        const float scaledAspect = float(scaledWidth) / float(scaledHeight);
        if (std::fabs(aspect - scaledAspect) > 0.1f) {
            if (scaledAspect <= aspect) {
                ++yCounter;
                scaledHeight = heightFor();
            } else {
                ++xCounter;
                scaledWidth = widthFor();
            }
        }
    }

    TThumbnailGeometry geometry;
    geometry.xCounter = Held(xCounter);
    geometry.yCounter = Held(yCounter);
    geometry.scaledWidth = Held(scaledWidth);
    geometry.scaledHeight = Held(scaledHeight);
    geometry.xOffset = scaledWidth < boxWidth ? Held((boxWidth - scaledWidth) / 2) : 0;
    geometry.yOffset = scaledHeight < boxHeight ? Held((boxHeight - scaledHeight) / 2) : 0;
    return geometry;
}
