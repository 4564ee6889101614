// Thumbnails of JPEG files through the JPEG library: the fast integer transform and plain
// upsampling, grey delivered as three equal samples, the sampled rows kept and the rows of
// blocks between them skipped. A multiple-scan file is shown in passes as its scans come in.

#include "image/JpegDecompress.h"
#include "preview/PreviewDib.h"

#include <algorithm>
#include <chrono>
#include <exception>
#include <type_traits>

#include <jerror.h>

namespace {

constexpr const char* kNoMemory = "Insufficient memory to load image";
// The least time between the starts of two output passes of a multiple-scan file.
constexpr std::chrono::milliseconds kRefreshInterval(250);
// An output pass transforms every block of the picture: some eight times the work of reading
// a scan's blocks.
constexpr uint64_t kPassWeight = 8;

// Warnings keep the library's handling, except that the end of the data ends the thumbnail as
// an error: a truncated file is no thumbnail, and a small file claiming a huge picture cannot
// keep the preview busy decoding what is not there.
void OnJpegMessage(j_common_ptr cinfo, int level)
{
    jpeg_error_mgr& error = *cinfo->err;
    if (level < 0 && error.msg_code == JWRN_JPEG_EOF)
        error.error_exit(cinfo);
    if (level < 0) {
        if (error.num_warnings == 0 || error.trace_level >= 3)
            error.output_message(cinfo);
        ++error.num_warnings;
    } else if (error.trace_level >= level) {
        error.output_message(cinfo);
    }
}

// The blocks of the whole picture, which every output pass goes over.
uint64_t PictureBlocks(const jpeg_decompress_struct& cinfo)
{
    uint64_t blocks = 0;
    for (int c = 0; c < cinfo.num_components; ++c)
        blocks += uint64_t(cinfo.comp_info[c].width_in_blocks)
            * uint64_t(cinfo.comp_info[c].height_in_blocks);
    return blocks;
}

} // namespace

// Everything of one decode that the library's error exit may jump over: plain structs only.
struct TPreviewDib::TJpegJob {
    TJpegDecompress jpeg;
    TPreviewDib* dib;
    JSAMPARRAY sampleRow;
    TJpegInputBudget budget;
    uint64_t passBlocks; // the work of the output passes so far
};

namespace {

// Output lines of one row of blocks: the library decodes and skips whole such rows.
int64_t LinesPerBlockRow(const jpeg_decompress_struct& cinfo)
{
#if JPEG_LIB_VERSION >= 70
    return int64_t(cinfo.max_v_samp_factor) * cinfo.min_DCT_v_scaled_size;
#else
    return int64_t(cinfo.max_v_samp_factor) * cinfo.min_DCT_scaled_size;
#endif
}

// Moves the output to line target (not past the last line): rows of blocks wholly before the
// one holding it are skipped, which spares the library their transform and colour conversion,
// and the lines before it in its own row of blocks are read and dropped. Skipping only whole
// rows of blocks from the start of one keeps the library's upsampling state as reading would,
// so the lines read afterwards are exactly those of a full decode.
void MoveToLine(jpeg_decompress_struct& cinfo, JSAMPARRAY scratch, int64_t target)
{
    const int64_t unit = LinesPerBlockRow(cinfo);
    const int64_t line = cinfo.output_scanline;
    const int64_t blockRowStart = target / unit * unit;
    if (line % unit == 0 && blockRowStart > line)
        jpeg_skip_scanlines(&cinfo, JDIMENSION(blockRowStart - line));
    while (int64_t(cinfo.output_scanline) < target)
        if (jpeg_read_scanlines(&cinfo, scratch, 1) != 1)
            return;
}

} // namespace

// One output pass: the sampled rows are kept from the thumbnail's top line down and painted;
// the rows between them are skipped where whole rows of blocks allow. Once the last sampled row
// is read the pass is done. False when the abort request stopped it.
bool TPreviewDib::ReadJpegPass(TJpegJob& job)
{
    jpeg_decompress_struct& cinfo = job.jpeg.cinfo;
    const int64_t width = cinfo.output_width;
    const int64_t height = cinfo.output_height;
    const int64_t unit = LinesPerBlockRow(cinfo);
    const int64_t xCounter = m_geometry.xCounter;
    const int64_t yCounter = m_geometry.yCounter;
    for (int64_t outputRow = 0; outputRow < height; outputRow += yCounter) {
        MoveToLine(cinfo, job.sampleRow, outputRow);
        if (int64_t(cinfo.output_scanline) != outputRow
            || jpeg_read_scanlines(&cinfo, job.sampleRow, 1) != 1)
            break;
        const int64_t target = TopLine() - outputRow / yCounter;
        const std::span<uint8_t> row = Row(target);
        if (!row.empty()) {
            m_currentRow = int32_t(target);
            const uint8_t* const samples = job.sampleRow[0];
            int64_t column = 0;
            for (int64_t x = 0; x < width; x += xCounter, ++column) {
                uint8_t* const out = PixelAt(row, column);
                if (!out)
                    break;
                std::copy_n(samples + 3 * x, 3, out);
            }
            PaintRow(m_currentRow);
        }
        if (PumpAndCheckAbort())
            return false;
        // The next sampled row lies in a later row of blocks: read to the end of this one, so
        // that the skip starts where a row of blocks does.
        const int64_t next = outputRow + yCounter;
        if (next < height && next / unit != outputRow / unit)
            MoveToLine(cinfo, job.sampleRow, std::min(height - 1, (outputRow / unit + 1) * unit));
    }
    return true;
}

// The steps of a decode that call the library, run under its jump context.
bool TPreviewDib::DecodeJpegRows(TJpegJob& job)
{
    jpeg_decompress_struct& cinfo = job.jpeg.cinfo;
    jpeg_create_decompress(&cinfo);
    ReadJpegHeader(cinfo, true);
    cinfo.dct_method = JDCT_IFAST;
    cinfo.do_fancy_upsampling = FALSE;
    cinfo.buffered_image = m_interlaced ? TRUE : FALSE;
    jpeg_calc_output_dimensions(&cinfo);
    // A multiple-scan file keeps all its coefficients in the library's memory.
    if (m_interlaced && JpegCoefficientBytes(cinfo) > BitmapBytesLimit())
        return Fail(kNoMemory);
    jpeg_start_decompress(&cinfo);
    if (cinfo.output_components != 3)
        return Fail("Unsupported color depth");
    m_imageWidth = int32_t(std::min<JDIMENSION>(cinfo.output_width, 0x7FFFFFFF));
    m_imageHeight = int32_t(std::min<JDIMENSION>(cinfo.output_height, 0x7FFFFFFF));
    m_geometry = ThumbnailGeometry(BoxWidth(), BoxHeight(), m_imageWidth, m_imageHeight);
    job.sampleRow = (*cinfo.mem->alloc_sarray)(
        reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE, cinfo.output_width * 3, 1);

    if (!m_interlaced) {
        ReadJpegPass(job);
        return true;
    }

    // Output passes follow the scans as they come in: the first right after the first scan,
    // so that the owner can show the picture's size, then one whenever the scans absorbed since
    // the last pass began took the refresh interval, and a last one over the whole file. A slow
    // decode thus refines the thumbnail scan by scan, while a fast one spends its time on the
    // scans instead of on passes nobody sees.
    StartJpegInputBudget(job.budget, cinfo);
    const uint64_t blocksPerPass = kPassWeight * PictureBlocks(cinfo);
    for (bool firstPass = true;; firstPass = false) {
        // Every pass transforms the whole picture: a file of many scans that add nothing is
        // stopped once the passes have done far more work than its bytes could ask of them.
        job.passBlocks += blocksPerPass;
        if (job.passBlocks
            > kJpegFreeBlockVisits + kJpegBlockVisitsPerByte * JpegBytesConsumed(cinfo))
            return Fail(kJpegTooManyScansText);
        const auto passStart = std::chrono::steady_clock::now();
        jpeg_start_output(&cinfo, cinfo.input_scan_number);
        if (!ReadJpegPass(job))
            return true;
        jpeg_finish_output(&cinfo);
        if (firstPass && m_post)
            m_post(CmPreviewFirstPass);
        if (jpeg_input_complete(&cinfo))
            return true;
        // At least the rest of the scan the pass showed, then on while the interval lasts.
        bool scanDone = false;
        for (;;) {
            const int status = jpeg_consume_input(&cinfo);
            ChargeJpegInputStep(job.budget, cinfo);
            if (status == JPEG_REACHED_EOI)
                break;
            scanDone = scanDone || status == JPEG_SCAN_COMPLETED;
            if (PumpAndCheckAbort())
                return true;
            if (scanDone && std::chrono::steady_clock::now() - passStart >= kRefreshInterval)
                break;
        }
    }
}

bool TPreviewDib::DecodeJpeg()
{
    TJpegJob job {};
    static_assert(std::is_trivially_destructible_v<TJpegJob>,
        "the library's error exit jumps over the decode's objects");
    job.dib = this;
    SetUpJpegError(job.jpeg);
    job.jpeg.error.pub.emit_message = OnJpegMessage;
    const auto steps = [](void* context) {
        TJpegJob& job = *static_cast<TJpegJob*>(context);
        return job.dib->DecodeJpegRows(job);
    };
    const TJpegRun run = RunJpegSteps(job.jpeg, steps, &job);
    // Any library error fails the thumbnail; the rows painted before it stay in the box.
    if (run == TJpegRun::JumpedBack)
        return Fail(job.jpeg.error.text);
    return run == TJpegRun::Succeeded;
}
