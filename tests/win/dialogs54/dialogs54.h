// What the tests of the desktop, input and colour-dialog editors share: the
// dialogs with the holder of each parameter, and host slots owned by a test.
#pragma once
#include <string>
#include <vector>

#include "hqhost.h"

namespace dialogs54 {

struct DialogCase {
    int id;
    const char* dialogClass;
    std::vector<const char*> holders;  // design name of the holder of parameter 1, 2, ...
    const char* focus;                 // the control with the focus when the dialog opens
    std::vector<const char*> tabOrder; // the windowed controls that are tab stops, in order
    int resetParameter = 0;            // a parameter the show handler replaces before display
    const char* resetTo = nullptr;     //   and the text it puts in its place
};

const std::vector<DialogCase>& Dialogs();
const DialogCase& Dialog(int id);

// Host blocks for one EditRaw call, taken back from the ledger when done.
class HostSlots {
public:
    HostSlots(hqhost::Ledger& ledger, const std::vector<std::string>& texts);
    ~HostSlots();
    HostSlots(const HostSlots&) = delete;
    HostSlots& operator=(const HostSlots&) = delete;
    char** data() { return slots_.data(); }
    char* operator[](size_t i) const { return slots_[i]; }
    const std::vector<char*>& Before() const { return before_; }
    size_t size() const { return before_.size(); }

private:
    hqhost::Ledger& ledger_;
    std::vector<char*> slots_, before_;
};

}  // namespace dialogs54
