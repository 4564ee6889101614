#pragma once

#include "preview/PreviewDib.h"
#include "support/TestFiles.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// A preview made as the browser makes one, recording the rows it painted and the commands it
// posted, with default preferences unless the test sets others.
struct TPreviewRun {
    std::shared_ptr<std::vector<int32_t>> painted = std::make_shared<std::vector<int32_t>>();
    std::shared_ptr<std::vector<int32_t>> posted = std::make_shared<std::vector<int32_t>>();
    std::unique_ptr<TPreviewDib> preview;
    bool ok = false;

    explicit TPreviewRun(int32_t box, const TPreviewOptions& options = {})
    {
        auto paintedRows = painted;
        auto postedCommands = posted;
        preview = std::make_unique<TPreviewDib>(
            box, box,
            [paintedRows](const TPreviewDib&, int32_t row) { paintedRows->push_back(row); },
            [postedCommands](int32_t command) { postedCommands->push_back(command); }, options);
    }

    bool Load(const std::string& path)
    {
        painted->clear();
        ok = preview->Load(path);
        return ok;
    }

    // The box pixel at column x of bitmap row y (0 is the bottom line) as 0xRRGGBB.
    uint32_t Pixel(int64_t x, int64_t y) const
    {
        const auto row = preview->Row(y);
        const uint8_t* pixel = row.data() + 3 * x;
        return uint32_t(pixel[2]) << 16 | uint32_t(pixel[1]) << 8 | pixel[0];
    }
};
