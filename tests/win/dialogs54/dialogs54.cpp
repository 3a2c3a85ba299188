#include "dialogs54.h"

#include <gtest/gtest.h>

namespace dialogs54 {

const std::vector<DialogCase>& Dialogs() {
    static const std::vector<DialogCase> dialogs = {
        {26, "TMBox1Form", {"Edit1"}, "Button1", {"Button1", "Button2", "RadioButton1", "RadioButton2"}},
        {27, "TMBox4Form", {"Edit1", "Edit2", "Edit3"}, "Edit3", {"Edit3", "Button1", "Button2", "Edit1", "Edit2"}},
        {28, "TMBox8Form", {"Edit1", "Edit2", "Edit3", "Edit4"}, "Edit3",
         {"Edit3", "Button1", "Button2", "Edit1", "Edit4", "Edit2"}},
        {30, "TMBox6Form", {"Edit1"}, "Button1", {"Button1", "Button2", "RadioButton1", "RadioButton2"}},
        {31, "TMBox25Form", {"Edit1", "Edit2", "Edit3"}, "Edit1",
         {"Edit1", "Edit2", "RadioButton1", "RadioButton2", "RadioButton3", "RadioButton4", "Button1", "Button2"}},
        {32, "TMBox26Form", {"Edit1"}, "Edit1", {"Edit1", "Button1", "Button2"}},
        {33, "TMBox28Form", {"Edit1"}, "Edit1", {"Edit1", "Button1", "Button2"}},
        {35, "TMBox5Form", {"Edit1"}, "Button1", {"Button1", "Button2", "RadioButton1", "RadioButton2"}},
        {40, "TMBox24Form", {"Edit0", "Edit1", "Edit2", "Edit3", "Edit7", "Edit4", "Edit5", "Edit6", "Edit8", "Edit9"},
         "Edit1",
         {"Edit1", "Edit2", "Edit5", "RadioButton1", "RadioButton2", "RadioButton3", "ComboBox1", "Edit4", "CheckBox1",
          "Edit6", "Edit9", "Edit8", "Button1", "Button2"},
         1, "0"},  // the full-open switch opens as "0", in step with its check box
        {46, "TMBox27Form", {"Edit2", "Edit1"}, "Edit1", {"Edit1", "ComboBox1", "Button1", "Button2"}},
    };
    return dialogs;
}

const DialogCase& Dialog(int id) {
    for (const DialogCase& c : Dialogs())
        if (c.id == id) return c;
    ADD_FAILURE() << "no dialog case for ID " << id;
    return Dialogs().front();
}

HostSlots::HostSlots(hqhost::Ledger& ledger, const std::vector<std::string>& texts) : ledger_(ledger) {
    for (const std::string& t : texts) slots_.push_back(ledger_.Give(t));
    before_ = slots_;
    slots_.push_back(nullptr);  // nothing past the last parameter is read
}

HostSlots::~HostSlots() {
    for (char* s : slots_)
        if (s && ledger_.IsLive(s)) ledger_.Take(s);
}

}  // namespace dialogs54
