// The editor table and the edit dispatch.
#include "editors/editor_table.h"

#include "editors/dialogs.h"
#include "editors/editors.h"

namespace hq {

namespace editors {

const EditorRow kEditorTable[kEditorCount] = {
    {1, "fzShotDesktopToJpg", "TMBox12Form", 2, 256, &EditMBox12, &MBox12Design},
    {2, "fzShotDesktopToBmp", "TMBox13Form", 1, 194, &EditMBox13, &MBox13Design},
    {3, "fzShotWindow", "TMBox14Form", 2, 256, &EditMBox14, &MBox14Design},
    {4, "fzShotObject", "TMBox15Form", 2, 256, &EditMBox15, &MBox15Design},
    {5, "fzShotRect", "TMBox16Form", 5, 318, &EditMBox16, &MBox16Design},
    {20, "fzSetWindowMask", "TMBox17Form", 1, 194, &EditMBox17, &MBox17Design},
    {21, "fzSetColorTransparent", "TMBox19Form", 3, 194, &EditMBox19, &MBox19Design},
    {23, "fzCustomWindowSizeBox", "TMBox18Form", 1, 194, &EditMBox18, &MBox18Design},
    {24, "fzSetColorTransparentCustomWindow", "TMBox20Form", 4, 256, &EditMBox20, &MBox20Design},
    {25, "fzNoColorTransparentCustomWindow", "TMBox21Form", 1, 194, &EditMBox21, &MBox21Design},
    {26, "fzHideShowIconDesktop", "TMBox1Form", 1, 194, &EditMBox1, &MBox1Design},
    {27, "fzGetPixelColor", "TMBox4Form", 3, 318, &EditMBox4, &MBox4Design},
    {28, "fzClipCursor", "TMBox8Form", 4, 256, &EditMBox8, &MBox8Design},
    {30, "fzMouseStatus", "TMBox6Form", 1, 194, &EditMBox6, &MBox6Design},
    {31, "fzMouseEvent", "TMBox25Form", 3, 256, &EditMBox25, &MBox25Design},
    {32, "fzWindowFromPoint", "TMBox26Form", 1, 194, &EditMBox26, &MBox26Design},
    {33, "fzSetSystemCursor", "TMBox28Form", 1, 194, &EditMBox28, &MBox28Design},
    {35, "fzHideShowSistemTray", "TMBox5Form", 1, 194, &EditMBox5, &MBox5Design},
    {38, "fzSetTextEntryOptions", "TMBox9Form", 3, 398, &EditMBox9, &MBox9Design},
    {39, "fzRenameFile", "TMBox10Form", 2, 256, &EditMBox10, &MBox10Design},
    {40, "fzColorDialog", "TMBox24Form", 10, 518, &EditMBox24, &MBox24Design},
    {41, "fzSetWatermark", "TMBox11Form", 10, 558, &EditMBox11, &MBox11Design},
    {44, "fzCopyFileToClip", "TMBox7Form", 1, 194, &EditMBox7, &MBox7Design},
    {45, "fzSetWindowPngMaskShadow", "TMBox22Form", 1, 194, &EditMBox22, &MBox22Design},
    {46, "fzGetSysColor", "TMBox27Form", 2, 256, &EditMBox27, &MBox27Design},
    {100, "fzChangeColorBmp", "TMBox100Form", 2, 256, &EditMBox100, &MBox100Design},
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
