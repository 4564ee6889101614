#include "image/JpegDecompress.h"

#include "image/BaseDib.h"

#include <algorithm>
#include <limits>

#include <jerror.h>

namespace {

// The replaced fatal-error exit: keeps the library's formatted message and jumps back to the
// decoder. It must not return: the library's state is undefined after a fatal error.
[[noreturn]] void OnJpegError(j_common_ptr cinfo)
{
    auto* error = reinterpret_cast<TJpegError*>(cinfo->err);
    cinfo->err->format_message(cinfo, error->text);
    std::longjmp(error->jumpBack, 1);
}

int32_t Dimension(JDIMENSION value)
{
    return int32_t(std::min<uint64_t>(value, std::numeric_limits<int32_t>::max()));
}

} // namespace

void SetUpJpegError(TJpegDecompress& jpeg)
{
    jpeg.cinfo.err = jpeg_std_error(&jpeg.error.pub);
    jpeg.error.pub.error_exit = OnJpegError;
    jpeg.error.text[0] = '\0';
}

TJpegRun RunUnderJpegJump(TJpegError& error, bool (*steps)(void* context), void* context)
{
    if (setjmp(error.jumpBack) != 0)
        return TJpegRun::JumpedBack;
    return steps(context) ? TJpegRun::Succeeded : TJpegRun::Failed;
}

void ChooseJpegOutput(jpeg_decompress_struct& cinfo, bool greyAsTriplets)
{
    cinfo.quantize_colors = FALSE;
    if (cinfo.out_color_space == JCS_GRAYSCALE)
        cinfo.out_color_space = greyAsTriplets ? JCS_EXT_BGR : JCS_GRAYSCALE;
    else
        cinfo.out_color_space = JCS_EXT_BGR;
}

bool JpegOutputFitsBitmap(const jpeg_decompress_struct& cinfo)
{
    const uint64_t bitCount = 8 * uint64_t(std::max(cinfo.out_color_components, 1));
    const uint64_t stride = (bitCount * cinfo.output_width + 31) / 32 * 4;
    const uint64_t tableSize = bitCount == 8 ? 256 * 4 : 0;
    const uint64_t blockSize = TDib::kInfoHeaderSize + tableSize + stride * cinfo.output_height;
    return blockSize <= BitmapBytesLimit();
}

void TBaseDib::ReadJpegHeader(jpeg_decompress_struct& cinfo, bool greyAsTriplets)
{
    m_jpeg = TJpegFields();
    m_interlaced = false;
    if (!File())
        ERREXIT(&cinfo, JERR_INPUT_EMPTY);
    jpeg_stdio_src(&cinfo, File());
    jpeg_read_header(&cinfo, TRUE);
    m_imageWidth = Dimension(cinfo.image_width);
    m_imageHeight = Dimension(cinfo.image_height);
    m_interlaced = jpeg_has_multiple_scans(&cinfo);
    m_jpeg.colorSpace = int32_t(cinfo.jpeg_color_space);
    m_bitsPerPixel = cinfo.out_color_space == JCS_GRAYSCALE ? 8 : 24;
    ChooseJpegOutput(cinfo, greyAsTriplets);
}
