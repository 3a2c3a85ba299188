// BMP image files: reading every variant safely, writing the forms the plug-in
// stores, and the pixel-format conversions done without the system.
// Portable (no <windows.h>): built natively too, unit-tested and fuzzed there.
//
// Reading accepts the "BM" file header, the 12-byte OS/2 info header or the
// 40-byte-or-longer Windows one, 1 plane, 1/4/8/16/24/32 bits per pixel with
// colour tables and bit-field masks, BI_RLE8 and BI_RLE4, bottom-up and
// top-down rows. A file of 0 bytes is an empty picture. A picture with a
// sound header but more than kMaxPixels pixels raises "Out of system
// resources" (no bitmap of that size can be had); anything else that breaks
// the rules raises "Bitmap image is not valid".
//
// Hostile input: every size, offset, palette index, mask and run is checked
// against the file and against overflow before use, and a picture may not
// make the reader allocate more than its file can describe:
//  - uncompressed pixel rows must all be present in the file;
//  - no picture may have more than kMaxPixels pixels, and no file more than
//    kMaxFileBytes bytes (the most a picture within that ceiling needs);
//  - a run-length picture may not have more than kRleBasePixels pixels plus
//    kRlePixelsPerByte for each byte of its compressed data (one two-byte run
//    describes at most 255 pixels, so honest files stay far below that).
//
// Typical use (for example loading a mask):
//     hq::bmp::Image img = hq::bmp::Decode(bytes.data(), bytes.size());
//     hq::bmp::Image bgrx = hq::bmp::Convert(img, hq::bmp::Format::Bgrx32);
//     // bgrx.pixels: rows bottom-up, bgrx.Stride() bytes apart, 4 bytes a pixel
//     // (blue, green, red, 0); or Format::Bgr24 for 3 bytes a pixel.
// The Windows build adds ReadBmpFile (image_file.h) to read a path directly.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace hq::bmp {

inline constexpr const char* kInvalidText = "Bitmap image is not valid";
inline constexpr const char* kTooLargeText = "Out of system resources";
inline constexpr uint64_t kMaxPixels = uint64_t{1} << 26;  // 8192 x 8192
// 32-bit rows of kMaxPixels pixels, plus room for the longest headers and a
// full colour table.
inline constexpr uint64_t kMaxFileBytes = kMaxPixels * 4 + 65536;
inline constexpr uint64_t kRleBasePixels = 65536;
inline constexpr uint64_t kRlePixelsPerByte = 256;

// Pixel formats the plug-in converts to.
enum class Format {
    Bgrx32,  // 32 bits, BI_RGB: blue, green, red, reserved (0 after a conversion)
    Bgr24,   // 24 bits, BI_RGB
    Rgb565,  // 16 bits, BI_BITFIELDS with masks 0xF800, 0x07E0, 0x001F
};

struct Image {
    int32_t width = 0;   // > 0 unless the picture is empty
    int32_t height = 0;  // > 0 unless the picture is empty; rows are kept bottom-up
    uint16_t bitsPerPixel = 0;
    // 16 and 32 bits: BI_BITFIELDS on writing, with the masks below. Without it
    // the masks hold the implied BI_RGB layout (5-5-5 for 16, 8-8-8 for 32).
    bool bitfields = false;
    uint32_t redMask = 0, greenMask = 0, blueMask = 0;
    // 1, 4 and 8 bits: the colour table, 0x00RRGGBB per entry (at most 2^bits).
    std::vector<uint32_t> palette;
    std::vector<uint8_t> pixels;  // rows bottom-up, Stride() bytes each
    // Read with the 12-byte OS/2 header: written again with it where it can
    // express the depth (1, 4, 8 and 24 bits).
    bool os2Header = false;
    // The file bytes of a run-length picture, written back as they are while
    // the picture is unchanged. Whoever changes the pixels calls MarkChanged.
    std::vector<uint8_t> sourceBytes;

    bool Empty() const { return width <= 0 || height <= 0; }
    size_t Stride() const { return StrideFor(width, bitsPerPixel); }
    void MarkChanged() { sourceBytes.clear(); }
    static size_t StrideFor(int32_t width, unsigned bitsPerPixel) {
        return ((static_cast<size_t>(width) * bitsPerPixel + 31) / 32) * 4;
    }
};

// Reads a BMP file from memory; raises Error(kTooLargeText) for a picture
// beyond kMaxPixels, Error(kInvalidText) on anything else invalid.
Image Decode(const uint8_t* data, size_t size);
// The error for a file longer than kMaxFileBytes whose first `size` bytes
// are `data`: kTooLargeText when they begin a sound header
// of a picture beyond kMaxPixels, kInvalidText otherwise. Always raises.
[[noreturn]] void RefuseOversizedFile(const uint8_t* data, size_t size);
inline Image Decode(const std::vector<uint8_t>& bytes) { return Decode(bytes.data(), bytes.size()); }

// An uncompressed picture whose rows a reader takes straight from its file:
// its shape (Decode's picture without pixels: size, depth, masks, colour
// table, OS/2 flag) and where its rows lie, top row first when `topDown`.
struct PlainPicture {
    Image shape;
    uint64_t rowsOffset = 0;
    bool topDown = false;
};
// Reads the headers from the first `size` bytes of a file of `fileSize` bytes.
// True and `out` filled for an uncompressed picture whose rows the file holds
// in full; false for a run-length picture (decode the whole file). Raises what
// Decode raises for the headers; a check needing bytes beyond `size` fails as
// on a file of `size` bytes, so a caller holding less than the whole file
// decodes the whole file to judge such a failure.
bool PlainHeaders(const uint8_t* data, size_t size, uint64_t fileSize, PlainPicture& out);

// Writes the file bytes: the 14-byte file header, the info header (40 bytes,
// or 12 for an OS/2 picture of 1, 4, 8 or 24 bits), the colour table or the
// three masks, then the rows bottom-up padded to 4 bytes. An empty picture
// gives no bytes; an unchanged run-length picture gives its source bytes.
std::vector<uint8_t> Encode(const Image& image);
// The bytes Encode puts before the pixel rows (none for an empty or an
// unchanged run-length picture): a writer may follow them with the first
// Stride() * height bytes of `pixels` instead of copying the whole file.
std::vector<uint8_t> EncodeHeaders(const Image& image);
// The same headers for a picture given by its shape alone (size, depth,
// masks, colour table, OS/2 flag), whose rows a writer produces itself.
std::vector<uint8_t> EncodeHeadersOf(const Image& shape);

// Whether the picture already has the format exactly (Rgb565 needs the masks
// 0xF800/0x07E0/0x001F with BI_BITFIELDS; Bgrx32 needs BI_RGB).
bool HasFormat(const Image& image, Format format);

// A new picture of the same size in `format` (the OS/2 flag carries over).
// Channels narrower than 8 bits are widened by repeating their bits; the
// 5-6-5 conversion drops the low bits of each channel. Palette indices beyond
// the colour table read as black.
Image Convert(const Image& image, Format format);
// What Convert gives, without its pixels: the size, depth, masks and OS/2 flag.
Image Shape(const Image& image, Format format);
// Stored rows y0 .. y1-1 (bottom-up, as in `pixels`) of Convert(image, format),
// written one after another into `out`, padded rows of that format apart;
// nothing for an empty picture.
void ConvertRows(const Image& image, Format format, int32_t y0, int32_t y1, uint8_t* out);

// An empty picture of the given size and format with zeroed pixels; the
// palette, if any, is up to the caller. Raises Error(kTooLargeText) beyond kMaxPixels.
Image Blank(int32_t width, int32_t height, uint16_t bitsPerPixel);

// The colour of pixel (x, y) counted from the top row, as 0x00RRGGBB.
uint32_t PixelRgb(const Image& image, int32_t x, int32_t y);
// The colours of row y counted from the top, as 0x00RRGGBB, into `out`
// (room for `width` values).
void RowRgb(const Image& image, int32_t y, uint32_t* out);

}  // namespace hq::bmp
