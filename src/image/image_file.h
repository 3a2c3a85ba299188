// Files of the image actions: reading a whole file, writing one atomically
// (a temporary file in the target's folder, moved over the target when
// complete, so a failure leaves the previous file intact and no partial file),
// and the error texts that name the file.
#pragma once
#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "image/bmp_image.h"
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

// Writes the picture as a BMP file (bmp::Encode), atomically, without first
// assembling the whole file in memory.
void WriteBmpFile(const std::string& path, const bmp::Image& image);

// Reads a BMP file (see bmp_image.h): open errors as ReadWholeFile,
// "Bitmap image is not valid" for anything that is not a BMP picture, "Out of
// system resources" for one beyond the pixel ceiling. A file longer than any
// picture within the ceiling needs is refused after reading its headers.
bmp::Image ReadBmpFile(const std::string& path);

}  // namespace hq
