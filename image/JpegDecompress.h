#pragma once

// The plumbing every JPEG decode shares: the library's standard error manager with a fatal-error
// exit that jumps back into the decoder, the function that holds the jump context, and the
// choice of output. The library is C: its fatal errors cannot come back as return values, and
// no C++ exception may cross its frames.
//
// A decode keeps its library objects in plain structs, sets the error manager up, and calls its
// steps through RunJpegSteps. The steps may call the library freely; a fatal error ends them
// and the run returns JumpedBack with the library's message in the error manager's text.
// Since the jump skips destructors, the steps' frames must hold nothing that has one while they
// call the library. RunJpegSteps then destroys the decompressor, whichever way the steps ended.

#include <csetjmp>
#include <cstdint>
#include <cstdio> // the library's header needs FILE and size_t first

#include <jpeglib.h>

// The standard error manager, then what the replaced fatal-error exit needs.
struct TJpegError {
    jpeg_error_mgr pub; // first: the library reaches the manager through cinfo->err
    std::jmp_buf jumpBack;
    char text[JMSG_LENGTH_MAX]; // the message of the fatal error, empty before one
};

// A decompressor with its error manager.
struct TJpegDecompress {
    jpeg_decompress_struct cinfo;
    TJpegError error;
};

// Points the decompressor at the standard error manager with the fatal-error exit replaced.
// Call on a value-initialised TJpegDecompress, before jpeg_create_decompress, so that destroying
// it is harmless even when creation never happened.
void SetUpJpegError(TJpegDecompress& jpeg);

enum class TJpegRun {
    Succeeded, // the steps returned true
    Failed, // the steps returned false; they have said why
    JumpedBack, // the library's fatal-error exit ran; its text holds the message
};

// Calls steps(context) with the jump context of the error manager established. This function's
// frame holds nothing but its arguments, so the jump back into it skips no destructor here.
TJpegRun RunUnderJpegJump(TJpegError& error, bool (*steps)(void* context), void* context);

// RunUnderJpegJump on the decompressor's error manager, then jpeg_destroy_decompress, whichever
// way the steps ended: an exception from them (thrown outside the library's frames) passes on
// after the destruction.
TJpegRun RunJpegSteps(TJpegDecompress& jpeg, bool (*steps)(void* context), void* context);

// Chooses the output after the header: no colour quantisation; a file that is neither grey nor
// RGB is delivered as RGB (which the library refuses for CMYK and YCCK when decompression
// starts); three-sample output comes blue, green, red, the order of a 24-bit bitmap row; grey
// stays one sample a pixel unless greyAsTriplets asks for three equal ones.
void ChooseJpegOutput(jpeg_decompress_struct& cinfo, bool greyAsTriplets);

// Whether a bitmap of the output size (after jpeg_calc_output_dimensions) at 8 bits per sample
// fits under the bitmap ceiling. A multiple-scan file holds all its coefficients in the library's
// memory while it is read, two bytes a sample, and that buffer counts against the ceiling with
// the bitmap. The check comes before decompression starts: a hostile header claiming a huge
// picture fails without the library reading its data.
bool JpegOutputFitsBitmap(const jpeg_decompress_struct& cinfo);

// The bytes of the library's coefficient buffer for a multiple-scan file.
uint64_t JpegCoefficientBytes(const jpeg_decompress_struct& cinfo);

// Bytes of the file the library has taken from the source that ReadJpegHeader attached.
uint64_t JpegBytesConsumed(const jpeg_decompress_struct& cinfo);

// The work the library may do while it reads the scans of a multiple-scan file. Every scan
// visits every block of the picture, even a scan with no data, so a small file of many empty
// scans over a large picture would cost minutes. Each input step (one row of blocks of one
// scan, or the markers before a scan) is charged with the blocks of a full row; once the blocks
// visited exceed a fixed allowance plus an allowance for each byte read, the decode ends through
// the fatal-error exit with kJpegTooManyScansText. A whole file never comes near: each scan over
// the picture costs it at least a bit a block.
struct TJpegInputBudget {
    uint64_t blocksPerStep;
    uint64_t blocksVisited;
};
inline constexpr uint64_t kJpegFreeBlockVisits = uint64_t(16) << 20;
inline constexpr uint64_t kJpegBlockVisitsPerByte = 1024;
inline constexpr const char* kJpegTooManyScansText = "Too many scans in JPEG file";

// Call after the header is read.
void StartJpegInputBudget(TJpegInputBudget& budget, const jpeg_decompress_struct& cinfo);
// Call from the progress monitor at each input step, before the library reads on; leaves through
// the fatal-error exit when the budget is spent.
void ChargeJpegInputStep(TJpegInputBudget& budget, jpeg_decompress_struct& cinfo);
