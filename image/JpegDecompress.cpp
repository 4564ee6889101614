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

// The source of the decoders: the open file read in blocks, as the library's own stdio source
// does, but counting what it read. Allocated from the library's permanent pool, so destroying
// the decompressor frees it.
struct TJpegSource {
    jpeg_source_mgr pub; // first: the library reaches the manager through cinfo->src
    std::FILE* file;
    JOCTET* buffer;
    uint64_t bytesRead;
    bool started; // some bytes came, so an empty read is the end of a file, not an empty one
};

constexpr size_t kJpegSourceBufferBytes = 4096;

// Messages of our own, after the library's: the error manager formats them like its own.
constexpr int kJpegTooManyScans = 1000;
const char* const kJpegAddonMessages[] = { kJpegTooManyScansText, nullptr };
const JOCTET kEndOfImage[2] = { 0xFF, JPEG_EOI };

TJpegSource& Source(j_decompress_ptr cinfo) { return *reinterpret_cast<TJpegSource*>(cinfo->src); }

void InitSource(j_decompress_ptr cinfo) { Source(cinfo).started = false; }

// At the end of the file, an end-of-image marker stands in for the missing data, with the
// library's warning: a truncated file shows what it has.
boolean FillInputBuffer(j_decompress_ptr cinfo)
{
    TJpegSource& source = Source(cinfo);
    const size_t count = std::fread(source.buffer, 1, kJpegSourceBufferBytes, source.file);
    if (count == 0) {
        if (!source.started)
            ERREXIT(cinfo, JERR_INPUT_EMPTY);
        WARNMS(cinfo, JWRN_JPEG_EOF);
        source.pub.next_input_byte = kEndOfImage;
        source.pub.bytes_in_buffer = sizeof kEndOfImage;
        return TRUE;
    }
    source.bytesRead += count;
    source.pub.next_input_byte = source.buffer;
    source.pub.bytes_in_buffer = count;
    source.started = true;
    return TRUE;
}

void SkipInputData(j_decompress_ptr cinfo, long count)
{
    if (count <= 0)
        return;
    jpeg_source_mgr& pub = Source(cinfo).pub;
    while (uint64_t(count) > pub.bytes_in_buffer) {
        count -= long(pub.bytes_in_buffer);
        // Always TRUE: the end of the file gives the end-of-image marker.
        (void)pub.fill_input_buffer(cinfo);
    }
    pub.next_input_byte += count;
    pub.bytes_in_buffer -= size_t(count);
}

void TermSource(j_decompress_ptr) { }

void AttachSource(jpeg_decompress_struct& cinfo, std::FILE* file)
{
    auto* source = static_cast<TJpegSource*>((*cinfo.mem->alloc_small)(
        reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_PERMANENT, sizeof(TJpegSource)));
    source->buffer = static_cast<JOCTET*>((*cinfo.mem->alloc_small)(
        reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_PERMANENT, kJpegSourceBufferBytes));
    source->file = file;
    source->bytesRead = 0;
    source->started = false;
    source->pub.init_source = InitSource;
    source->pub.fill_input_buffer = FillInputBuffer;
    source->pub.skip_input_data = SkipInputData;
    source->pub.resync_to_restart = jpeg_resync_to_restart;
    source->pub.term_source = TermSource;
    source->pub.next_input_byte = nullptr;
    source->pub.bytes_in_buffer = 0;
    cinfo.src = &source->pub;
}

} // namespace

void SetUpJpegError(TJpegDecompress& jpeg)
{
    jpeg.cinfo.err = jpeg_std_error(&jpeg.error.pub);
    jpeg.error.pub.error_exit = OnJpegError;
    jpeg.error.pub.addon_message_table = kJpegAddonMessages;
    jpeg.error.pub.first_addon_message = kJpegTooManyScans;
    jpeg.error.pub.last_addon_message = kJpegTooManyScans;
    jpeg.error.text[0] = '\0';
}

TJpegRun RunUnderJpegJump(TJpegError& error, bool (*steps)(void* context), void* context)
{
    if (setjmp(error.jumpBack) != 0)
        return TJpegRun::JumpedBack;
    return steps(context) ? TJpegRun::Succeeded : TJpegRun::Failed;
}

TJpegRun RunJpegSteps(TJpegDecompress& jpeg, bool (*steps)(void* context), void* context)
{
    TJpegRun run = TJpegRun::Failed;
    try {
        run = RunUnderJpegJump(jpeg.error, steps, context);
    } catch (...) {
        jpeg_destroy_decompress(&jpeg.cinfo);
        throw;
    }
    jpeg_destroy_decompress(&jpeg.cinfo);
    return run;
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
    const uint64_t coefficients = jpeg_has_multiple_scans(const_cast<j_decompress_ptr>(&cinfo))
        ? JpegCoefficientBytes(cinfo)
        : 0;
    return blockSize + coefficients <= BitmapBytesLimit();
}

uint64_t JpegCoefficientBytes(const jpeg_decompress_struct& cinfo)
{
    // Each component's blocks, its rows and columns rounded up to whole sampling units as the
    // library allocates them, 64 coefficients of 2 bytes a block.
    const auto roundUp = [](uint64_t value, uint64_t unit) {
        return unit == 0 ? value : (value + unit - 1) / unit * unit;
    };
    uint64_t blocks = 0;
    for (int c = 0; c < cinfo.num_components; ++c) {
        const jpeg_component_info& component = cinfo.comp_info[c];
        blocks += roundUp(component.width_in_blocks, uint64_t(component.h_samp_factor))
            * roundUp(component.height_in_blocks, uint64_t(component.v_samp_factor));
    }
    return blocks * sizeof(JBLOCK);
}

uint64_t JpegBytesConsumed(const jpeg_decompress_struct& cinfo)
{
    const auto& source = *reinterpret_cast<const TJpegSource*>(cinfo.src);
    return source.bytesRead - std::min<uint64_t>(source.bytesRead, source.pub.bytes_in_buffer);
}

void StartJpegInputBudget(TJpegInputBudget& budget, const jpeg_decompress_struct& cinfo)
{
    budget.blocksPerStep = 0;
    for (int c = 0; c < cinfo.num_components; ++c) {
        const jpeg_component_info& component = cinfo.comp_info[c];
        budget.blocksPerStep
            += uint64_t(component.width_in_blocks) * uint64_t(component.v_samp_factor);
    }
    budget.blocksVisited = 0;
}

void ChargeJpegInputStep(TJpegInputBudget& budget, jpeg_decompress_struct& cinfo)
{
    budget.blocksVisited += budget.blocksPerStep;
    if (budget.blocksVisited
        > kJpegFreeBlockVisits + kJpegBlockVisitsPerByte * JpegBytesConsumed(cinfo))
        ERREXIT(&cinfo, kJpegTooManyScans);
}

void TBaseDib::ReadJpegHeader(jpeg_decompress_struct& cinfo, bool greyAsTriplets)
{
    m_jpeg = TJpegFields();
    m_interlaced = false;
    if (!File())
        ERREXIT(&cinfo, JERR_INPUT_EMPTY);
    AttachSource(cinfo, File());
    jpeg_read_header(&cinfo, TRUE);
    m_imageWidth = Dimension(cinfo.image_width);
    m_imageHeight = Dimension(cinfo.image_height);
    m_interlaced = jpeg_has_multiple_scans(&cinfo);
    m_jpeg.colorSpace = int32_t(cinfo.jpeg_color_space);
    m_bitsPerPixel = cinfo.out_color_space == JCS_GRAYSCALE ? 8 : 24;
    ChooseJpegOutput(cinfo, greyAsTriplets);
}
