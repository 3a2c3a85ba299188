// The ledger of global-memory blocks that cross the plug-in boundary: every
// block the host hands out and every block the plug-in allocates (seen through
// its import table) until it is freed. A free of a block not in the ledger is a
// fault (double free or foreign block); blocks still live at the end of a test
// are leaks.
#pragma once
#include <windows.h>

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace hqhost {

class Ledger {
public:
    enum class Origin { Host, Plugin };

    // Allocates a host string (GMEM_FIXED, length + 1) and records it.
    char* Give(std::string_view text);
    // Copies a host string returned through a slot (null reads as empty), frees it and
    // records the free. A block the ledger does not know is a fault.
    std::string Take(char* block);
    // Frees a host-owned block without reading it.
    void Free(void* block);

    void RecordAlloc(HGLOBAL block, Origin origin, UINT flags);
    // Returns false (and records a fault) when the block is not live.
    bool RecordFree(HGLOBAL block, const char* who);
    // The block leaves the ledger without being freed (the clipboard took it).
    void RecordTransfer(HGLOBAL block);

    size_t Live() const { return live_.size(); }
    size_t LiveFrom(Origin origin) const;
    bool IsLive(const void* block) const { return live_.count(const_cast<void*>(block)) != 0; }
    const std::vector<std::string>& Faults() const { return faults_; }
    void ClearFaults() { faults_.clear(); }

private:
    struct Entry {
        Origin origin;
        UINT flags;
    };
    std::map<void*, Entry> live_;
    std::vector<std::string> faults_;
};

}  // namespace hqhost
