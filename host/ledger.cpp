#include "ledger.h"

#include <cstdio>
#include <cstring>

namespace hqhost {

char* Ledger::Give(std::string_view text) {
    auto* block = static_cast<char*>(::GlobalAlloc(GMEM_FIXED, text.size() + 1));
    std::memcpy(block, text.data(), text.size());
    block[text.size()] = '\0';
    RecordAlloc(block, Origin::Host, GMEM_FIXED);
    return block;
}

std::string Ledger::Take(char* block) {
    if (!block) return {};
    std::string text(block);
    if (RecordFree(block, "host")) ::GlobalFree(block);
    return text;
}

void Ledger::Free(void* block) {
    if (block && RecordFree(block, "host")) ::GlobalFree(block);
}

void Ledger::RecordAlloc(HGLOBAL block, Origin origin, UINT flags) {
    if (block) live_[block] = Entry{origin, flags};
}

bool Ledger::RecordFree(HGLOBAL block, const char* who) {
    if (!block) return true;
    if (live_.erase(block) == 0) {
        char text[96];
        std::snprintf(text, sizeof text, "%s freed block %p that is not live (double or foreign free)", who,
                      static_cast<void*>(block));
        faults_.emplace_back(text);
        return false;
    }
    return true;
}

void Ledger::RecordTransfer(HGLOBAL block) { live_.erase(block); }

size_t Ledger::LiveFrom(Origin origin) const {
    size_t n = 0;
    for (const auto& [block, entry] : live_) n += entry.origin == origin;
    return n;
}

}  // namespace hqhost
