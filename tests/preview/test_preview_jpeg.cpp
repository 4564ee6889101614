// JPEG thumbnails skip the rows of blocks that hold no sampled row. Pictures of several sizes,
// samplings and scan layouts, made here, show the same pixels as a full decode that reads every
// row with the preview's settings.

#include "image/JpegDecompress.h"
#include "preview/PreviewHelpers.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

struct TJpegPicture {
    int width;
    int height;
    int horizontal; // luma sampling factors: 2 x 2 is 4:2:0
    int vertical;
    bool grey;
    bool progressive;
};

std::vector<uint8_t> Compress(const TJpegPicture& picture)
{
    jpeg_compress_struct cinfo {};
    jpeg_error_mgr error {};
    cinfo.err = jpeg_std_error(&error);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = JDIMENSION(picture.width);
    cinfo.image_height = JDIMENSION(picture.height);
    cinfo.input_components = picture.grey ? 1 : 3;
    cinfo.in_color_space = picture.grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 80, TRUE);
    if (!picture.grey) {
        cinfo.comp_info[0].h_samp_factor = picture.horizontal;
        cinfo.comp_info[0].v_samp_factor = picture.vertical;
    }
    if (picture.progressive)
        jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<uint8_t> row(size_t(picture.width) * size_t(cinfo.input_components));
    while (cinfo.next_scanline < cinfo.image_height) {
        const int y = int(cinfo.next_scanline);
        for (size_t i = 0; i < row.size(); ++i)
            row[i] = uint8_t((int(i) * 3 + y * 5) ^ (int(i) * y % 251));
        JSAMPROW pointer = row.data();
        jpeg_write_scanlines(&cinfo, &pointer, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::vector<uint8_t> bytes(buffer, buffer + size);
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    return bytes;
}

// Every row, blue first, with the fast transform and plain upsampling.
std::vector<uint8_t> DecodeEveryRow(const std::string& path, int& width)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    jpeg_decompress_struct cinfo {};
    jpeg_error_mgr error {};
    cinfo.err = jpeg_std_error(&error);
    jpeg_create_decompress(&cinfo);
    jpeg_stdio_src(&cinfo, file);
    jpeg_read_header(&cinfo, TRUE);
    cinfo.dct_method = JDCT_IFAST;
    cinfo.do_fancy_upsampling = FALSE;
    cinfo.out_color_space = JCS_EXT_BGR;
    jpeg_start_decompress(&cinfo);
    width = int(cinfo.output_width);
    std::vector<uint8_t> pixels(size_t(cinfo.output_width) * cinfo.output_height * 3);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = pixels.data() + size_t(cinfo.output_scanline) * cinfo.output_width * 3;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    std::fclose(file);
    return pixels;
}

} // namespace

TEST(PreviewJpeg, SkippedRowsLeaveTheSampledRowsAsAFullDecodeGivesThem)
{
    TTempFolder folder;
    const TJpegPicture pictures[] = {
        { 333, 251, 2, 2, false, false },
        { 333, 251, 2, 2, false, true },
        { 301, 407, 2, 1, false, false },
        { 301, 407, 1, 2, false, true },
        { 250, 190, 1, 1, false, true },
        { 290, 333, 1, 1, true, false },
        { 290, 333, 1, 1, true, true },
        { 1200, 17, 2, 2, false, false },
        { 17, 1200, 2, 2, false, true },
    };
    for (const TJpegPicture& picture : pictures) {
        const std::string path = folder.Write("p.jpg", Compress(picture));
        int width = 0;
        const std::vector<uint8_t> full = DecodeEveryRow(path, width);
        for (int32_t box : { 13, 37, 100 }) {
            SCOPED_TRACE(testing::Message()
                << picture.width << " x " << picture.height << " " << picture.horizontal << "x"
                << picture.vertical << (picture.progressive ? " progressive" : "") << " box "
                << box);
            TPreviewRun run(box);
            ASSERT_TRUE(run.Load(path)) << run.preview->Message();
            const TThumbnailGeometry& g = run.preview->Geometry();
            for (int64_t i = 0; i * g.yCounter < picture.height && i <= g.scaledHeight; ++i)
                for (int64_t k = 0; k * g.xCounter < picture.width && k + g.xOffset < box; ++k) {
                    const int64_t y = int64_t(g.yOffset) + g.scaledHeight - 1 - i;
                    if (y < 0)
                        continue;
                    const uint8_t* pixel = full.data()
                        + (size_t(i * g.yCounter) * size_t(width) + size_t(k * g.xCounter)) * 3;
                    const uint32_t expected
                        = uint32_t(pixel[2]) << 16 | uint32_t(pixel[1]) << 8 | pixel[0];
                    ASSERT_EQ(run.Pixel(g.xOffset + k, y), expected)
                        << "row " << i << " column " << k;
                }
        }
    }
}
