// A fixture that hands a dialog host blocks as its parameter slots, remembers
// them, and takes back whatever the slots hold at the end.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "driver.h"
#include "fixture.h"

namespace dialogs53 {

class DialogTest : public hqtest::PluginTest {
protected:
    // Host blocks with these texts become the slots.
    void Give(const std::vector<std::string>& texts) {
        TakeSlots();
        for (const std::string& t : texts) slots_.push_back(ledger().Give(t));
        before_ = slots_;
    }
    bool Edit(int id) { return host().EditRaw(id, slots_.data()); }
    std::string Slot(size_t i) const { return slots_.at(i) ? slots_[i] : "(null)"; }
    // True when every slot still points at the block it was given.
    bool Untouched() const { return slots_ == before_; }
    void TakeSlots() {
        for (char* s : slots_)
            if (s) ledger().Take(s);
        slots_.clear();
        before_.clear();
    }
    void TearDown() override {
        TakeSlots();
        EXPECT_EQ(hqtest::FindOpenForm(), nullptr) << "a dialog outlived its call";
        PluginTest::TearDown();
    }

    std::vector<char*> slots_, before_;
};

}  // namespace dialogs53
