#include "dialogs52.h"

#include <gtest/gtest.h>

namespace dialogs52 {

namespace {
constexpr int kObject = 1, kVariable = 14, kFile = 15;
}

const std::vector<DialogCase>& Cases() {
    static const std::vector<DialogCase> cases = {
        {2, "TMBox13Form", "Свойства fzShotDesktopToBmp", {"Edit1"}, {"Edit1", "Button1", "Button2"},
         {{"SpeedButton1", kFile, "Edit1"}, {"SpeedButton2", kVariable, "Edit1"}}},
        {3, "TMBox14Form", "Свойства fzShotWindow", {"Edit1", "Edit2"}, {"Edit1", "Edit2", "Button1", "Button2"},
         {{"SpeedButton2", kVariable, "Edit1"}, {"SpeedButton3", kFile, "Edit2"}, {"SpeedButton4", kVariable, "Edit2"}},
         true},
        {4, "TMBox15Form", "Свойства fzShotObject", {"Edit1", "Edit2"}, {"Edit1", "Edit2", "Button1", "Button2"},
         {{"SpeedButton2", kVariable, "Edit1"}, {"SpeedButton3", kFile, "Edit2"}, {"SpeedButton4", kVariable, "Edit2"}},
         true},
        {5, "TMBox16Form", "Свойства fzShotRect", {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5"},
         {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5", "Button1", "Button2"},
         {{"SpeedButton1", kFile, "Edit1"},
          {"SpeedButton2", kVariable, "Edit1"},
          {"SpeedButton3", kVariable, "Edit2"},
          {"SpeedButton4", kVariable, "Edit3"},
          {"SpeedButton5", kVariable, "Edit4"},
          {"SpeedButton6", kVariable, "Edit5"}}},
        {39, "TMBox10Form", "Свойства fzRenameFile", {"Edit1", "Edit2"}, {"Edit1", "Edit2", "Button1", "Button2"},
         {{"SpeedButton2", kFile, "Edit1"},
          {"SpeedButton1", kVariable, "Edit1"},
          {"SpeedButton3", kFile, "Edit2"},
          {"SpeedButton4", kVariable, "Edit2"}}},
        {44, "TMBox7Form", "Свойства fzCopyFileToClip ", {"Edit1"}, {"Button1", "Button2", "Edit1"},
         {{"SpeedButton2", kFile, "Edit1"}, {"SpeedButton1", kVariable, "Edit1"}}},
        {100, "TMBox100Form", "Свойства fzChangeColorBmp", {"Edit1", "Edit2"},
         {"Edit1", "Edit2", "Button1", "Button2", "RadioButton1", "RadioButton2", "RadioButton3", "RadioButton4",
          "RadioButton5"},
         {{"SpeedButton4", kFile, "Edit1"}, {"SpeedButton1", kVariable, "Edit1"}}},
        // Holders in parameter order: paths, offsets, mode (hidden), opacity, colour,
        // format (hidden), quality (a label), output path.
        {41, "TMBox11Form", "Свойства fzSetWatermark",
         {"Edit1", "Edit2", "Edit4", "Edit5", "Edit9", "Edit3", "Edit8", "Edit7", "Label12", "Edit6"},
         {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5", "Edit6", "RadioButton1", "RadioButton2", "TrackBar1", "Edit8",
          "Button1", "Button2"},
         {{"SpeedButton7", kFile, "Edit1"},
          {"SpeedButton1", kVariable, "Edit1"},
          {"SpeedButton8", kFile, "Edit2"},
          {"SpeedButton2", kVariable, "Edit2"},
          {"SpeedButton4", kVariable, "Edit4"},
          {"SpeedButton5", kVariable, "Edit5"},
          {"SpeedButton3", kVariable, "Edit3"},
          {"SpeedButton10", kVariable, "Edit8"},
          {"SpeedButton9", kFile, "Edit6"},
          {"SpeedButton6", kVariable, "Edit6"}}},
    };
    (void)kObject;
    return cases;
}

const DialogCase& Case(int id) {
    for (const DialogCase& c : Cases())
        if (c.id == id) return c;
    ADD_FAILURE() << "no case for ID " << id;
    return Cases().front();
}

Slots::Slots(hqhost::Ledger& ledger, const std::vector<std::string>& texts) : ledger_(ledger), count_(texts.size()) {
    for (const std::string& t : texts) slots_.push_back(ledger_.Give(t));
    slots_.push_back(nullptr);
    before_ = slots_;
}

Slots::~Slots() {
    for (char* s : slots_)
        if (s) ledger_.Take(s);
}

std::string WindowCaption(HWND hwnd) {
    wchar_t w[256] = {};
    const int n = ::GetWindowTextW(hwnd, w, 256);
    char a[512] = {};
    const int m = ::WideCharToMultiByte(1251, 0, w, n, a, sizeof a, nullptr, nullptr);
    return std::string(a, static_cast<size_t>(m));
}

}  // namespace dialogs52
