// The dropped-file list the clipboard carries under CF_HDROP, for one 8-bit
// path: a 20-byte header whose first word is the list's offset (20), the other
// four words zero (drop point, non-client flag, 8-bit names), then the path,
// its terminating zero and the list's terminating zero. Portable.
#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

namespace hq {

constexpr uint32_t kDropFilesHeaderSize = 20;

// The block's bytes: 20 + path length + 2.
std::vector<uint8_t> DropFilesBlock(std::string_view path);

}  // namespace hq
