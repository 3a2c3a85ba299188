// Counts the GDI and USER objects a module creates and releases, by routing its
// imported create and release calls through counting wrappers (Wine's
// GetGuiResources always answers 0). The same import patching routes the
// module's GlobalAlloc/GlobalFree into the host's ledger.
#pragma once
#include <windows.h>

#include <cstddef>

namespace hqhost {

class Ledger;

struct ObjectCounts {
    size_t gdi = 0;   // bitmaps, DCs, brushes, pens, fonts, regions, palettes
    size_t user = 0;  // windows still alive, cursors, icons, menus
    bool operator==(const ObjectCounts&) const = default;
};

// Patches the import table of `module`. `ledger` may be null (no global-memory tracking).
void InstallCountingHooks(HMODULE module, Ledger* ledger);

// Objects created through patched imports and not yet released.
ObjectCounts LiveObjects();
// Forgets every tracked object (for a fresh module).
void ResetObjectCounts();

// Makes the next `count` GlobalAlloc calls of patched modules fail (return null).
void FailGlobalAllocs(int count);

}  // namespace hqhost
