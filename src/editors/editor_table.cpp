// The editor table and the edit dispatch, read from the action list.
#include "editors/editor_table.h"

#include <algorithm>

#include "editors/editor_form.h"
#include "editors/editors.h"

namespace hq {

namespace editors {

// Every dialog's design and editor routine, declared from the list
// (editors/dialogs.h lists the same with the layouts dialogs share).
#define HQ_DECLARE_WithDialog(dialog, ...) \
    const DialogDesign& dialog##Design();   \
    __VA_OPT__(bool __VA_ARGS__(char** slots);)
#define HQ_DECLARE_NoDialog
#define HQ_GROUP(name)
#define HQ_ACTION(id, name, layout, calls, dialog, codes, hint) HQ_DECLARE_##dialog
#include "editors/action_list.inc"
#undef HQ_DECLARE_WithDialog
#undef HQ_DECLARE_NoDialog

namespace {

using Routine = bool (*)(char** slots);
constexpr Routine Own(Routine routine = nullptr) { return routine; }

// Every action, a row without a design where it has no dialog.
#define HQ_ROW_WithDialog(dialog, ...) "T" #dialog "Form", Own(__VA_OPT__(&__VA_ARGS__)), &dialog##Design
#define HQ_ROW_NoDialog nullptr, nullptr, nullptr
constexpr EditorRow kEveryAction[] = {
#define HQ_GROUP(name)
#define HQ_ACTION(id, name, layout, calls, dialog, codes, hint) EditorRow{id, HQ_ROW_##dialog},
#include "editors/action_list.inc"
};
#undef HQ_ROW_WithDialog
#undef HQ_ROW_NoDialog

constexpr std::array<EditorRow, kEditorCount> DialogsById() {
    std::array<EditorRow, kEditorCount> rows{};
    size_t n = 0;
    for (const EditorRow& row : kEveryAction)
        if (row.design) rows[n++] = row;
    std::sort(rows.begin(), rows.end(), [](const EditorRow& a, const EditorRow& b) { return a.id < b.id; });
    return rows;
}

}  // namespace

constexpr std::array<EditorRow, kEditorCount> kEditorTable = DialogsById();

const EditorRow* FindEditor(int32_t id) {
    for (const EditorRow& row : kEditorTable)
        if (row.id == id) return &row;
    return nullptr;
}

}  // namespace editors

bool EditAction(int32_t id, char** params) {
    const editors::EditorRow* row = editors::FindEditor(id);
    if (!row) return false;
    return row->edit ? row->edit(params) : editors::RunEditor<editors::EditorForm>(row->design(), params);
}

}  // namespace hq
