// Fuzz target of the BMP reader: any bytes either read as a picture or raise
// the one error; a picture that reads is written, read again and converted to
// every format without fault, and its rewrite reads back with the same pixels.
#include <cstdint>
#include <cstdlib>

#include "actions/capture/bmp_image.h"
#include "plugin/error.h"

namespace bmp = hq::bmp;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    bmp::Image image;
    try {
        image = bmp::Decode(data, size);
    } catch (const hq::Error&) {
        return 0;
    }
    if (image.Empty()) {
        if (size != 0) std::abort();
        return 0;
    }
    // Unchanged run-length pictures come back byte for byte.
    const std::vector<uint8_t> bytes = bmp::Encode(image);
    if (!image.sourceBytes.empty() && (bytes.size() != size || !std::equal(bytes.begin(), bytes.end(), data)))
        std::abort();
    image.MarkChanged();
    const bmp::Image again = bmp::Decode(bmp::Encode(image));
    if (again.width != image.width || again.height != image.height || again.pixels != image.pixels) std::abort();
    for (bmp::Format f : {bmp::Format::Bgrx32, bmp::Format::Bgr24, bmp::Format::Rgb565}) {
        const bmp::Image converted = bmp::Convert(image, f);
        if (!bmp::HasFormat(converted, f)) std::abort();
    }
    (void)bmp::PixelRgb(image, image.width - 1, 0);
    return 0;
}
