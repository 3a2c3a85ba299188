// The editor table: every action with parameters and its property dialog.
#pragma once
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

constexpr int kEditorCount = 26;
extern const EditorRow kEditorTable[kEditorCount];

// The row of an action ID, or null for an ID without a dialog.
const EditorRow* FindEditor(int32_t id);

}  // namespace hq::editors
