#include "import_patch.h"

#include <cstring>

namespace hqtest {

ImportPatch::ImportPatch(HMODULE module, const char* name, void* spy) {
    auto* base = reinterpret_cast<BYTE*>(module);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* imp = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); imp->Name; ++imp) {
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(
            base + (imp->OriginalFirstThunk ? imp->OriginalFirstThunk : imp->FirstThunk));
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(byName->Name), name) != 0) continue;
            slot_ = reinterpret_cast<void**>(&slots->u1.Function);
            previous_ = *slot_;
            DWORD old = 0;
            ::VirtualProtect(slot_, sizeof(void*), PAGE_READWRITE, &old);
            *slot_ = spy;
            ::VirtualProtect(slot_, sizeof(void*), old, &old);
            return;
        }
    }
}

ImportPatch::~ImportPatch() {
    if (!slot_) return;
    DWORD old = 0;
    ::VirtualProtect(slot_, sizeof(void*), PAGE_READWRITE, &old);
    *slot_ = previous_;
    ::VirtualProtect(slot_, sizeof(void*), old, &old);
}

}  // namespace hqtest
