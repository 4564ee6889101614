// JPEG files through the JPEG library: single- and multiple-scan (progressive) files, colour
// into 24-bit bitmaps and grey into 8-bit bitmaps with a grey colour table.

#include "image/DisplayDib.h"
#include "image/ImageInfo.h"
#include "image/Intensity.h"
#include "image/JpegDecompress.h"
#include "platform/Format.h"
#include "platform/MessagePump.h"

#include <algorithm>
#include <exception>
#include <type_traits>

namespace {

constexpr const char* kNoMemory = "Insufficient memory to load image";

// The library's progress manager, then the numbers the monitor keeps between its calls.
struct TJpegProgress {
    jpeg_progress_mgr pub; // first: the library reaches the manager through cinfo->progress
    int passOffset;
    int passCountOffset;
    int lastPercent;
    bool reading; // the library is reading the scans, before the first output row
    TJpegInputBudget budget;
};

} // namespace

// Everything of one decode that the library's error exit may jump over: plain structs only.
struct TDisplayDib::TJpegJob {
    TJpegDecompress jpeg;
    TJpegProgress progress;
    TDisplayDib* dib;
    // An exception thrown by the message pump or the progress text inside the library's
    // frames; it leaves them through the error exit and is thrown again once they are gone.
    std::exception_ptr* escaped;
};

// The library calls this during the input and output passes of a multiple-scan file. It pumps
// and reports only when the percentage changes, and shows only whole tens.
void TDisplayDib::OnJpegProgress(j_common_ptr cinfo)
{
    TJpegJob& job = *static_cast<TJpegJob*>(cinfo->client_data);
    TJpegProgress& progress = job.progress;
    if (progress.reading)
        ChargeJpegInputStep(progress.budget, *reinterpret_cast<j_decompress_ptr>(cinfo));
    const long limit = progress.pub.pass_limit;
    if (limit <= 0)
        return;
    const int percent
        = int(std::clamp<int64_t>(int64_t(progress.pub.pass_counter) * 100 / limit, 0, 100));
    if (percent == progress.lastPercent)
        return;
    // The decode ends through the error exit; the abort request tells it to keep no message.
    if (job.dib->AbortRequested())
        cinfo->err->error_exit(cinfo);
    try {
        PumpOneMessage();
        progress.lastPercent = percent;
        if (percent % 10 == 0) {
            const int passes = progress.pub.total_passes + progress.passCountOffset;
            if (passes < 2)
                job.dib->ShowProgress(percent, 1, 2, true);
            else
                job.dib->ShowProgress(
                    percent, progress.pub.completed_passes + progress.passOffset + 1, passes, true);
        }
    } catch (...) {
        *job.escaped = std::current_exception();
    }
    if (*job.escaped)
        cinfo->err->error_exit(cinfo);
}

// The steps of a decode that call the library, run under its jump context. Rows go straight
// into the bitmap, the first output row (the top line) into the last bitmap row.
bool TDisplayDib::DecodeJpegRows(TJpegJob& job)
{
    jpeg_decompress_struct& cinfo = job.jpeg.cinfo;
    jpeg_create_decompress(&cinfo);
    cinfo.client_data = &job;
    ReadJpegHeader(cinfo, false);
    if (m_interlaced) {
        job.progress.pub.progress_monitor = OnJpegProgress;
        job.progress.passOffset = 0;
        job.progress.passCountOffset = 0;
        job.progress.lastPercent = -1;
        StartJpegInputBudget(job.progress.budget, cinfo);
        cinfo.progress = &job.progress.pub;
    }
    jpeg_calc_output_dimensions(&cinfo);
    if (!JpegOutputFitsBitmap(cinfo))
        return Fail(kNoMemory);
    job.progress.reading = true;
    jpeg_start_decompress(&cinfo);
    job.progress.reading = false;

    m_bitmapWidth = int32_t(cinfo.output_width);
    m_bitmapHeight = int32_t(cinfo.output_height);
    if (cinfo.output_components != 1 && cinfo.output_components != 3)
        return Fail("Unsupported color depth");
    m_bitsPerPixel = cinfo.output_components == 1 ? 8 : 24;
    if (!CreateBitmap(false))
        return Fail(kNoMemory);
    const size_t rowBytes = size_t(cinfo.output_width) * size_t(cinfo.output_components);

    const int offset = IntensityOffset();
    if (m_bitsPerPixel == 8) {
        for (size_t i = 0; i < 256; ++i)
            SetColor(i, uint8_t(i), uint8_t(i), uint8_t(i));
        AdjustColorTable(ColorTable(), offset);
    }
    const bool adjustRows = offset != 0 && m_bitsPerPixel == 24;
    const TIntensityTable intensity(offset);

    StartRowProgress(m_bitmapHeight);
    // A multiple-scan file pumps in the progress monitor, inside the library's calls: its rows
    // only test the request.
    for (int64_t outputRow = 0; outputRow < m_bitmapHeight && !AbortRequested(); ++outputRow) {
        const std::span<uint8_t> row = Row(TargetRow(outputRow, false));
        if (row.size() < rowBytes)
            break;
        JSAMPROW rowPointer = row.data();
        if (jpeg_read_scanlines(&cinfo, &rowPointer, 1) != 1)
            break;
        if (adjustRows)
            intensity.Apply(row.first(rowBytes));
        ++m_currentRow;
        if (!m_interlaced) {
            RowProgress(outputRow + 1);
            if (PumpAndCheckAbort())
                break;
        }
    }
    return true;
}

bool TDisplayDib::DecodeJpeg()
{
    ShowProgress(0);
    m_currentRow = 0;

    std::exception_ptr escaped;
    TJpegJob job {};
    static_assert(std::is_trivially_destructible_v<TJpegJob>,
        "the library's error exit jumps over the decode's objects");
    job.dib = this;
    job.escaped = &escaped;
    SetUpJpegError(job.jpeg);
    const auto steps = [](void* context) {
        TJpegJob& job = *static_cast<TJpegJob*>(context);
        return job.dib->DecodeJpegRows(job);
    };
    const TJpegRun run = RunJpegSteps(job.jpeg, steps, &job);
    if (escaped)
        std::rethrow_exception(escaped);

    if (run != TJpegRun::JumpedBack)
        return run == TJpegRun::Succeeded;
    // A fatal library error, or the abort request seen by the progress monitor. The rows
    // delivered before an error stay, with the library's message as a warning.
    if (AbortRequested())
        return true;
    m_message = job.jpeg.error.text;
    return m_currentRow != 0;
}

void AppendJpegInformation(const TBaseDib& dib, std::vector<std::string>& lines)
{
    static constexpr const char* kColorSpaces[] = { "grayscale", "rgb", "ycbcr", "cmyk", "ycck" };
    lines.push_back("Header");
    lines.push_back(Format(" width: %d", dib.ImageWidth()));
    lines.push_back(Format(" height: %d", dib.ImageHeight()));
    lines.push_back(Format(" bits per pixel: %d", dib.BitsPerPixel()));
    std::string colorSpace = " color space: ";
    const int32_t code = dib.Jpeg().colorSpace;
    if (code >= 1 && code <= 5)
        colorSpace += kColorSpaces[code - 1];
    lines.push_back(colorSpace);
    lines.push_back(Format(" progressive image: %d", dib.Interlaced() ? 1 : 0));
}
