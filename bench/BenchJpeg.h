#pragma once

// The JPEG files of the benchmarks, compressed by the library in memory from RGB rows, the
// picture they hold, and the library's plain decode that ours is held against.

#include "bench/BenchPictures.h"
#include "bench/Peers.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include <jpeglib.h>

// Compresses a width x height RGB picture at the quality given, baseline or progressive;
// fillRow(y, row) writes line y (from the top), red first.
template <class TFillRow>
std::vector<uint8_t> CompressRgbJpeg(
    int32_t width, int32_t height, int quality, bool progressive, TFillRow fillRow)
{
    jpeg_compress_struct cinfo {};
    jpeg_error_mgr error {};
    cinfo.err = jpeg_std_error(&error);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = JDIMENSION(width);
    cinfo.image_height = JDIMENSION(height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    if (progressive)
        jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<uint8_t> row(size_t(width) * 3);
    while (cinfo.next_scanline < cinfo.image_height) {
        fillRow(int32_t(cinfo.next_scanline), std::span<uint8_t>(row));
        JSAMPROW pointer = row.data();
        jpeg_write_scanlines(&cinfo, &pointer, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::vector<uint8_t> bytes(buffer, buffer + size);
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    return bytes;
}

// Something like a photograph: smooth shading, a few sharp shapes, and fine grain everywhere,
// so that the files hold as many coefficients as real ones at this quality.
inline void JpegPictureRow(int32_t y, std::span<uint8_t> row)
{
    for (int32_t x = 0; x < kPictureWidth; ++x) {
        const double u = double(x) / kPictureWidth;
        const double v = double(y) / kPictureHeight;
        const int grain = int(Hash(uint32_t(x), uint32_t(y)) & 15) - 8;
        double red = 120 + 90 * std::sin(u * 7 + v * 3);
        double green = 110 + 80 * std::cos(u * 4 - v * 5);
        double blue = 100 + 60 * std::sin((u + v) * 9);
        const int32_t dx = x - 2000;
        const int32_t dy = y - 1800;
        if (dx * dx + dy * dy < 900 * 900) {
            red = 230;
            green = 200 - 40 * v;
            blue = 40;
        }
        if ((x / 500 + y / 500) % 7 == 0 && x % 500 < 380) {
            red *= 0.4;
            green *= 0.5;
        }
        uint8_t* pixel = row.data() + size_t(x) * 3;
        pixel[0] = uint8_t(std::clamp(int(red) + grain, 0, 255));
        pixel[1] = uint8_t(std::clamp(int(green) + grain, 0, 255));
        pixel[2] = uint8_t(std::clamp(int(blue) + grain, 0, 255));
    }
}

// The plain decode: the library's defaults, RGB rows into one new buffer, as an application
// that only wants the pixels writes it; scaleDenom 8 is the library's own decode at an eighth
// of the size. The benchmark files are whole; a library error ends the program through the
// standard error exit.
inline TDecodeResult DecodePlainJpeg(
    const std::string& path, TRgbImage* keep, unsigned scaleDenom = 1)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return {};
    jpeg_decompress_struct cinfo {};
    jpeg_error_mgr error {};
    cinfo.err = jpeg_std_error(&error);
    jpeg_create_decompress(&cinfo);
    jpeg_stdio_src(&cinfo, file);
    jpeg_read_header(&cinfo, TRUE);
    cinfo.scale_num = 1;
    cinfo.scale_denom = scaleDenom;
    jpeg_start_decompress(&cinfo);
    const size_t stride = size_t(cinfo.output_width) * size_t(cinfo.output_components);
    const size_t height = cinfo.output_height;
    auto pixels = std::make_unique_for_overwrite<uint8_t[]>(stride * height);
    std::vector<JSAMPROW> rows(height);
    for (size_t y = 0; y < height; ++y)
        rows[y] = pixels.get() + y * stride;
    while (cinfo.output_scanline < cinfo.output_height) {
        const size_t done = cinfo.output_scanline;
        jpeg_read_scanlines(&cinfo, rows.data() + done, JDIMENSION(height - done));
    }
    jpeg_finish_decompress(&cinfo);
    if (keep) {
        keep->width = int32_t(cinfo.output_width);
        keep->height = int32_t(cinfo.output_height);
        keep->pixels.assign(pixels.get(), pixels.get() + stride * height);
    }
    const TDecodeResult result { int32_t(cinfo.output_width), int32_t(cinfo.output_height), true };
    jpeg_destroy_decompress(&cinfo);
    std::fclose(file);
    return result;
}
