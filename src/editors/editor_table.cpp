// The editor table and the edit dispatch.
#include "editors/editor_table.h"

#include "editors/dialogs.h"
#include "editors/editors.h"

namespace hq {

namespace editors {

const EditorRow kEditorTable[kEditorCount] = {
    {1, "TMBox12Form", &EditMBox12, &MBox12Design},
    {2, "TMBox13Form", &EditMBox13, &MBox13Design},
    {3, "TMBox14Form", &EditMBox14, &MBox14Design},
    {4, "TMBox15Form", &EditMBox15, &MBox15Design},
    {5, "TMBox16Form", &EditMBox16, &MBox16Design},
    {20, "TMBox17Form", &EditMBox17, &MBox17Design},
    {21, "TMBox19Form", &EditMBox19, &MBox19Design},
    {23, "TMBox18Form", &EditMBox18, &MBox18Design},
    {24, "TMBox20Form", &EditMBox20, &MBox20Design},
    {25, "TMBox21Form", &EditMBox21, &MBox21Design},
    {26, "TMBox1Form", &EditMBox1, &MBox1Design},
    {27, "TMBox4Form", &EditMBox4, &MBox4Design},
    {28, "TMBox8Form", &EditMBox8, &MBox8Design},
    {30, "TMBox6Form", &EditMBox6, &MBox6Design},
    {31, "TMBox25Form", &EditMBox25, &MBox25Design},
    {32, "TMBox26Form", &EditMBox26, &MBox26Design},
    {33, "TMBox28Form", &EditMBox28, &MBox28Design},
    {35, "TMBox5Form", &EditMBox5, &MBox5Design},
    {38, "TMBox9Form", &EditMBox9, &MBox9Design},
    {39, "TMBox10Form", &EditMBox10, &MBox10Design},
    {40, "TMBox24Form", &EditMBox24, &MBox24Design},
    {41, "TMBox11Form", &EditMBox11, &MBox11Design},
    {44, "TMBox7Form", &EditMBox7, &MBox7Design},
    {45, "TMBox22Form", &EditMBox22, &MBox22Design},
    {46, "TMBox27Form", &EditMBox27, &MBox27Design},
    {100, "TMBox100Form", &EditMBox100, &MBox100Design},
};

const EditorRow* FindEditor(int32_t id) {
    for (const EditorRow& row : kEditorTable)
        if (row.id == id) return &row;
    return nullptr;
}

}  // namespace editors

bool EditAction(int32_t id, char** params) {
    const editors::EditorRow* row = editors::FindEditor(id);
    if (!row || !row->edit) return false;
    return row->edit(params);
}

}  // namespace hq
