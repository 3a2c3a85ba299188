// Files of the image actions: reading a whole file, writing one atomically
// (a temporary file in the target's folder, moved over the target when
// complete, so a failure leaves the previous file intact and no partial file),
// and the error texts that name the file.
#pragma once
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "image/bmp_image.h"
#include "base/handles.h"
#include "base/system_text.h"

namespace hq {

// Raises the system's text for the calling thread's last error.
[[noreturn]] void FailWithLastError();

// The full path of `path` as the system resolves it (the path itself if it cannot).
std::string FullPath(const std::string& path);

// The whole file; raises `Cannot open file "<full path>". <reason>`.
std::vector<uint8_t> ReadWholeFile(const std::string& path);

// Replaces (or creates) the file at `path` with `bytes`, atomically; raises
// `Cannot create file "<full path>". <reason>` and leaves no file behind.
void WriteFileAtomic(const std::string& path, const std::vector<uint8_t>& bytes);
// The same with the content given in pieces, written one after another.
struct ByteRange {
    const uint8_t* data;
    size_t size;
};
void WriteFileAtomic(const std::string& path, std::initializer_list<ByteRange> pieces);
// The same with the content produced while the file is written: `produce`
// calls the writer it is given with each piece in turn. Whatever it raises
// ends the write with the target untouched and no file left behind.
using ChunkWriter = std::function<void(const uint8_t* data, size_t size)>;
void WriteFileAtomic(const std::string& path, const std::function<void(const ChunkWriter&)>& produce);

// Writes the picture as a BMP file (bmp::Encode), atomically, without first
// assembling the whole file in memory.
void WriteBmpFile(const std::string& path, const bmp::Image& image);

// Reads a BMP file (see bmp_image.h): open errors as ReadWholeFile,
// "Bitmap image is not valid" for anything that is not a BMP picture, "Out of
// system resources" for one beyond the pixel ceiling. A file longer than any
// picture within the ceiling needs is refused after reading its headers.
bmp::Image ReadBmpFile(const std::string& path);

// A BMP file read as ReadBmpFile reads it (the same checks and errors, made
// when it is opened), whose uncompressed rows can also be read a band at a
// time, so that a converter never holds the whole picture: Plain() is true
// then, and Shape() is the picture without its pixels. Otherwise (a
// run-length picture, an empty file) Shape() is the whole picture, read.
class BmpRowReader {
public:
    explicit BmpRowReader(const std::string& path);
    bool Plain() const { return plain_; }
    const bmp::Image& Shape() const { return picture_.shape; }
    // Plain pictures: stored rows y0 .. y1-1 (bottom-up) as a picture of
    // their own (the shape with y1-y0 rows), valid until the next call.
    const bmp::Image& Rows(int32_t y0, int32_t y1);
    // The whole picture, rows and all; the reader is done with after it.
    bmp::Image TakeWhole();

private:
    std::string path_;
    UniqueFile file_;
    bmp::PlainPicture picture_;
    bool plain_ = false;
    bmp::Image band_;
};

// Writes a BMP file of `shape` (its size, depth, masks and colour table;
// bmp::EncodeHeadersOf) whose rows `rows` produces a band at a time: it fills
// stored rows y0 .. y1-1 (bottom-up), Stride() bytes apart, into `out`. No
// band holds more than about kRowBandBytes, so the picture in its new form
// never exists whole in memory. Atomic as WriteFileAtomic.
using RowProducer = std::function<void(int32_t y0, int32_t y1, uint8_t* out)>;
inline constexpr size_t kRowBandBytes = size_t{1} << 20;
// The rows of one band of a picture with rows `stride` bytes long.
inline int32_t BandRows(size_t stride, int32_t height) {
    return static_cast<int32_t>(std::min<size_t>(std::max<size_t>(kRowBandBytes / stride, 1), static_cast<size_t>(height)));
}
void WriteBmpFileRows(const std::string& path, const bmp::Image& shape, const RowProducer& rows);

}  // namespace hq
