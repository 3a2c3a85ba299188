// The fixed catalogue of groups and actions registered with the host.
// Portable data (no <windows.h>).
#pragma once
#include <cstdint>

namespace hq {

struct CatalogueRow {
    int32_t id;            // 0 for a group header
    const char* name;      // action name, or the group's name
    const char* hint;      // "" for a group header, never null
    const uint8_t* codes;  // one type code per parameter; {0} without parameters
    int32_t count;         // number of parameters: the length of `codes`

    int32_t HighIndex() const { return count > 0 ? count - 1 : 0; }
};

constexpr int kCatalogueSize = 60;
extern const CatalogueRow kCatalogue[kCatalogueSize];

// The row of an action ID, or null for an ID that names no action.
const CatalogueRow* FindAction(int32_t id);

}  // namespace hq
