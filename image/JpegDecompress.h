#pragma once

// The plumbing every JPEG decode shares: the library's standard error manager with a fatal-error
// exit that jumps back into the decoder, the function that holds the jump context, and the
// choice of output. The library is C: its fatal errors cannot come back as return values, and
// no C++ exception may cross its frames.
//
// A decode keeps its library objects in plain structs, sets the error manager up, and calls its
// steps through RunUnderJpegJump. The steps may call the library freely; a fatal error ends them
// and RunUnderJpegJump returns JumpedBack with the library's message in the error manager's text.
// Since the jump skips destructors, the steps' frames must hold nothing that has one while they
// call the library. The decode then destroys the decompressor, whichever way the steps ended.

#include <csetjmp>
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

// Chooses the output after the header: no colour quantisation; a file that is neither grey nor
// RGB is delivered as RGB (which the library refuses for CMYK and YCCK when decompression
// starts); three-sample output comes blue, green, red, the order of a 24-bit bitmap row; grey
// stays one sample a pixel unless greyAsTriplets asks for three equal ones.
void ChooseJpegOutput(jpeg_decompress_struct& cinfo, bool greyAsTriplets);

// Whether a bitmap of the output size (after jpeg_calc_output_dimensions) at 8 bits per sample
// fits under the bitmap ceiling. A multiple-scan file holds all its coefficients in the library's
// memory while it is read, about twice the bitmap, so the check comes before decompression
// starts: a hostile header claiming a huge picture fails without the library reading its data.
bool JpegOutputFitsBitmap(const jpeg_decompress_struct& cinfo);
