// The fixed catalogue of groups and actions registered with the host, read
// from the action list (editors/action_list.inc). Portable data (no <windows.h>).
#pragma once
#include <cstdint>
#include <type_traits>

namespace hq {

// Parameter type codes, one byte per parameter, handed to the host at
// registration. The plug-in reads none of them; the host's action editor does.
enum ParamType : uint8_t {
    kNoParameters = 0,         // the one placeholder byte of a row without parameters
    kParamText = 1,            // text: file paths, handles, object names, switches and options
    kParamValue = 4,           // coordinates and sizes; every parameter of the rename, the
                               // rectangle shot and the watermark
    kParamBitmapFile = 5,      // the bitmap file whose colour depth is changed
    kParamResultVariable = 6,  // the name of a host variable the action writes its result into
};

constexpr int kMaxParameters = 10;

// A row's type codes; the parameter count is their number.
struct TypeCodes {
    uint8_t bytes[kMaxParameters];
    int32_t count;
};

// Named codes only: a bare number does not compile.
template <class... Code>
    requires(std::is_same_v<Code, ParamType> && ...)
constexpr TypeCodes Codes(Code... codes) {
    static_assert(sizeof...(Code) <= kMaxParameters);
    return {{codes...}, static_cast<int32_t>(sizeof...(Code))};
}

struct CatalogueRow {
    int32_t id;                      // 0 for a group header
    const char* name;                // action name, or the group's name
    const char* hint;                // "" for a group header, never null
    uint8_t codes[kMaxParameters];   // one type code per parameter; {0} without parameters
    int32_t count;                   // number of parameters

    constexpr int32_t HighIndex() const { return count > 0 ? count - 1 : 0; }
};

constexpr int kCatalogueSize = 0
#define HQ_GROUP(name) +1
#define HQ_ACTION(id, name, layout, calls, dialog, codes, hint) +1
#include "editors/action_list.inc"
    ;
extern const CatalogueRow kCatalogue[kCatalogueSize];

// The row of an action ID, or null for an ID that names no action.
const CatalogueRow* FindAction(int32_t id);

}  // namespace hq
