// The capture, image and file dialogs as the tests see them from outside:
// which control holds which parameter, where the focus starts, the tab order
// and the pick buttons. Written from the dialogs' descriptions, not from
// their designs, so a wiring fault cannot hide by being made twice.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "fixture.h"

namespace dialogs52 {

struct PickCase {
    const char* button;
    int code;  // 1 object, 14 variable, 15 file
    const char* field;
};

struct DialogCase {
    int id;
    const char* dialogClass;
    const char* caption;
    std::vector<const char*> holders;   // parameter 1 first
    std::vector<const char*> tabOrder;  // the focus starts on the first
    std::vector<PickCase> picks;        // every pick button the dialog has
    bool handCursorPicks = false;
};

const std::vector<DialogCase>& Cases();
const DialogCase& Case(int id);

// Host-owned parameter slots for one raw edit call; whatever they hold at the
// end goes back to the ledger.
class Slots {
public:
    Slots(hqhost::Ledger& ledger, const std::vector<std::string>& texts);
    ~Slots();
    char** data() { return slots_.data(); }
    char* operator[](size_t i) const { return slots_[i]; }
    char* before(size_t i) const { return before_[i]; }
    size_t size() const { return count_; }

private:
    hqhost::Ledger& ledger_;
    size_t count_;
    std::vector<char*> slots_, before_;  // one more, null, past the last parameter
};

// A window's title as Windows-1251 bytes.
std::string WindowCaption(HWND hwnd);

}  // namespace dialogs52
