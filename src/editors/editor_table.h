// The editor table: every action with parameters and its property dialog,
// read from the action list (editors/action_list.inc), in ID order.
#pragma once
#include <array>
#include <cstdint>

#include "editors/design.h"

namespace hq::editors {

// The action's name and parameter count are the catalogue's, the dialog's
// height its design's.
struct EditorRow {
    int32_t id;
    const char* dialogClass;
    // The editor routine of a dialog with handlers; null for a dialog without
    // any, whose design the generic editor runs.
    bool (*edit)(char** slots);
    const DialogDesign& (*design)();
};

#define HQ_DIALOGS_WithDialog(...) +1
#define HQ_DIALOGS_NoDialog
constexpr int kEditorCount = 0
#define HQ_GROUP(name)
#define HQ_ACTION(id, name, layout, calls, dialog, codes, hint) HQ_DIALOGS_##dialog
#include "editors/action_list.inc"
    ;
#undef HQ_DIALOGS_WithDialog
#undef HQ_DIALOGS_NoDialog
extern const std::array<EditorRow, kEditorCount> kEditorTable;

// The row of an action ID, or null for an ID without a dialog.
const EditorRow* FindEditor(int32_t id);

}  // namespace hq::editors
