#include "image/jpeg_writer.h"

#include <csetjmp>
#include <cstdio>
#include <string>

#include "base/error.h"

extern "C" {
#include <jpeglib.h>
#include <jerror.h>
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

// The encoder writes into a byte buffer owned by the caller (freed by its
// owner on every path, so no failure can free it twice or lose it), doubled
// whenever the encoder fills it.
struct Destination {
    jpeg_destination_mgr pub;
    std::vector<uint8_t>* bytes;
};

Destination* DestinationOf(j_compress_ptr cinfo) { return reinterpret_cast<Destination*>(cinfo->dest); }

void InitDestination(j_compress_ptr cinfo) {
    Destination* d = DestinationOf(cinfo);
    d->pub.next_output_byte = d->bytes->data();
    d->pub.free_in_buffer = d->bytes->size();
}

// Doubles the buffer; false when memory runs out (no exception reaches the encoder).
bool Grow(std::vector<uint8_t>& bytes) noexcept {
    try {
        bytes.resize(bytes.size() * 2);
        return true;
    } catch (...) {
        return false;
    }
}

boolean EmptyDestination(j_compress_ptr cinfo) {
    Destination* d = DestinationOf(cinfo);
    const size_t used = d->bytes->size();  // called only when the buffer is full
    if (!Grow(*d->bytes)) ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 10);
    d->pub.next_output_byte = d->bytes->data() + used;
    d->pub.free_in_buffer = d->bytes->size() - used;
    return TRUE;
}

void TermDestination(j_compress_ptr cinfo) {
    Destination* d = DestinationOf(cinfo);
    d->bytes->resize(d->bytes->size() - d->pub.free_in_buffer);  // shrinking never allocates
}

// Plain C-style body: nothing with a destructor lives across setjmp/longjmp;
// `out` belongs to the caller and is not empty. Returns 0, or the encoder's
// message number on failure.
int EncodeRows(const uint8_t* topRow, ptrdiff_t stride, int width, int height, bool fourBytes, int quality,
               std::vector<uint8_t>* out) {
    jpeg_compress_struct cinfo;
    ErrorManager err;
    Destination dest;
    dest.pub.init_destination = InitDestination;
    dest.pub.empty_output_buffer = EmptyDestination;
    dest.pub.term_destination = TermDestination;
    dest.bytes = out;
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = ErrorExit;
    err.pub.output_message = Silent;
    err.code = 0;
    if (setjmp(err.jump)) {
        jpeg_destroy_compress(&cinfo);
        return err.code ? err.code : -1;
    }
    jpeg_create_compress(&cinfo);
    cinfo.dest = &dest.pub;
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

constexpr size_t kFirstOutputSize = 64 * 1024;

std::vector<uint8_t> EncodeStored(const uint8_t* pixels, int width, int height, size_t stride, bool fourBytes,
                                  uint8_t quality) {
    if (width <= 0 || height <= 0) return {};
    const auto step = static_cast<ptrdiff_t>(stride);
    const uint8_t* top = pixels + step * (height - 1);  // rows are stored bottom-up
    std::vector<uint8_t> bytes(kFirstOutputSize);
    const int code = EncodeRows(top, step, width, height, fourBytes, JpegQuality(quality), &bytes);
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
