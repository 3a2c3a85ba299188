#include "drop_files.h"

#include <algorithm>

namespace hq {

std::vector<uint8_t> DropFilesBlock(std::string_view path) {
    std::vector<uint8_t> block(kDropFilesHeaderSize + path.size() + 2, 0);
    // Only the first header word is non-zero: the offset of the list, little-endian.
    block[0] = static_cast<uint8_t>(kDropFilesHeaderSize);
    std::copy(path.begin(), path.end(), block.begin() + kDropFilesHeaderSize);
    return block;
}

}  // namespace hq
