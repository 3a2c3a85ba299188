// The action catalogue in registration order, built from the action list.
// Narrow literals become Windows-1251 bytes through -fexec-charset=CP1251.
#include "catalogue.h"

namespace hq {

namespace {

constexpr CatalogueRow Row(int32_t id, const char* name, const char* hint, TypeCodes codes) {
    CatalogueRow row{id, name, hint, {}, codes.count};
    for (int i = 0; i < kMaxParameters; ++i) row.codes[i] = codes.bytes[i];
    return row;
}

// Exactly the actions with parameters have a property dialog.
#define HQ_HAS_WithDialog(...) true
#define HQ_HAS_NoDialog false
#define HQ_GROUP(name)
#define HQ_ACTION(id, name, layout, calls, dialog, codes, hint) \
    static_assert((codes.count > 0) == HQ_HAS_##dialog, #name ": a dialog exactly when it has parameters");
#include "editors/action_list.inc"
#undef HQ_HAS_WithDialog
#undef HQ_HAS_NoDialog

}  // namespace

constexpr CatalogueRow kCatalogue[kCatalogueSize] = {
#define HQ_GROUP(name) Row(0, name, "", Codes()),
#define HQ_ACTION(id, name, layout, calls, dialog, codes, hint) Row(id, #name, hint, codes),
#include "editors/action_list.inc"
};

const CatalogueRow* FindAction(int32_t id) {
    if (id == 0) return nullptr;  // group headers carry 0
    for (const CatalogueRow& row : kCatalogue)
        if (row.id == id) return &row;
    return nullptr;
}

}  // namespace hq
