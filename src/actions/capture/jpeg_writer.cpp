#include "actions/capture/jpeg_writer.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "plugin/error.h"

extern "C" {
#include <jpeglib.h>
}

namespace hq {

namespace {

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    int code;
};

// libjpeg must never return from error_exit: jump back to the encoder call.
void ErrorExit(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    err->code = cinfo->err->msg_code;
    std::longjmp(err->jump, 1);
}

void Silent(j_common_ptr) {}

// Plain C-style body: nothing with a destructor lives across setjmp/longjmp.
// Returns 0, or the encoder's message number on failure.
int EncodeRows(const uint8_t* topRow, ptrdiff_t stride, int width, int height, bool fourBytes, int quality,
               unsigned char** out, unsigned long* outSize) {
    jpeg_compress_struct cinfo;
    ErrorManager err;
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = ErrorExit;
    err.pub.output_message = Silent;
    err.code = 0;
    if (setjmp(err.jump)) {
        jpeg_destroy_compress(&cinfo);
        return err.code ? err.code : -1;
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, out, outSize);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = fourBytes ? 4 : 3;
    cinfo.in_color_space = fourBytes ? JCS_EXT_BGRX : JCS_EXT_BGR;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    JSAMPROW rows[16];
    while (cinfo.next_scanline < cinfo.image_height) {
        JDIMENSION n = 0;
        for (; n < 16 && cinfo.next_scanline + n < cinfo.image_height; ++n)
            rows[n] = const_cast<JSAMPROW>(topRow - static_cast<ptrdiff_t>(cinfo.next_scanline + n) * stride);
        jpeg_write_scanlines(&cinfo, rows, n);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return 0;
}

}  // namespace

namespace {

std::vector<uint8_t> EncodeStored(const uint8_t* pixels, int width, int height, size_t stride, bool fourBytes,
                                  uint8_t quality) {
    if (width <= 0 || height <= 0) return {};
    const auto step = static_cast<ptrdiff_t>(stride);
    const uint8_t* top = pixels + step * (height - 1);  // rows are stored bottom-up
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    const int code = EncodeRows(top, step, width, height, fourBytes, JpegQuality(quality), &buffer, &size);
    std::vector<uint8_t> bytes;
    if (code == 0 && buffer) bytes.assign(buffer, buffer + size);
    std::free(buffer);
    if (code != 0) Fail("JPEG error #" + std::to_string(code));
    return bytes;
}

}  // namespace

std::vector<uint8_t> EncodeJpeg(const bmp::Image& image, uint8_t quality) {
    if (image.Empty()) return {};
    const bool direct = bmp::HasFormat(image, bmp::Format::Bgrx32) || bmp::HasFormat(image, bmp::Format::Bgr24);
    const bmp::Image converted = direct ? bmp::Image() : bmp::Convert(image, bmp::Format::Bgr24);
    const bmp::Image& src = direct ? image : converted;
    return EncodeStored(src.pixels.data(), src.width, src.height, src.Stride(), src.bitsPerPixel == 32, quality);
}

std::vector<uint8_t> EncodeJpeg32(const uint8_t* pixels, int width, int height, size_t stride, uint8_t quality) {
    return EncodeStored(pixels, width, height, stride, true, quality);
}

}  // namespace hq
