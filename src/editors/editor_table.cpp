// The editor table and the edit dispatch.
#include "editors/editor_table.h"

#include "editors/dialogs.h"
#include "editors/editor_form.h"
#include "editors/editors.h"

namespace hq {

namespace editors {

const EditorRow kEditorTable[kEditorCount] = {
    {1, "TMBox12Form", &EditMBox12, &MBox12Design},
    {2, "TMBox13Form", nullptr, &MBox13Design},
    {3, "TMBox14Form", nullptr, &MBox14Design},
    {4, "TMBox15Form", nullptr, &MBox15Design},
    {5, "TMBox16Form", nullptr, &MBox16Design},
    {20, "TMBox17Form", nullptr, &MBox17Design},
    {21, "TMBox19Form", nullptr, &MBox19Design},
    {23, "TMBox18Form", nullptr, &MBox18Design},
    {24, "TMBox20Form", nullptr, &MBox20Design},
    {25, "TMBox21Form", nullptr, &MBox21Design},
    {26, "TMBox1Form", nullptr, &MBox1Design},
    {27, "TMBox4Form", nullptr, &MBox4Design},
    {28, "TMBox8Form", nullptr, &MBox8Design},
    {30, "TMBox6Form", nullptr, &MBox6Design},
    {31, "TMBox25Form", nullptr, &MBox25Design},
    {32, "TMBox26Form", nullptr, &MBox26Design},
    {33, "TMBox28Form", nullptr, &MBox28Design},
    {35, "TMBox5Form", nullptr, &MBox5Design},
    {38, "TMBox9Form", &EditMBox9, &MBox9Design},
    {39, "TMBox10Form", nullptr, &MBox10Design},
    {40, "TMBox24Form", &EditMBox24, &MBox24Design},
    {41, "TMBox11Form", &EditMBox11, &MBox11Design},
    {44, "TMBox7Form", nullptr, &MBox7Design},
    {45, "TMBox22Form", nullptr, &MBox22Design},
    {46, "TMBox27Form", &EditMBox27, &MBox27Design},
    {100, "TMBox100Form", nullptr, &MBox100Design},
};

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
