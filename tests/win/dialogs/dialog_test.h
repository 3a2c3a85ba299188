// A fixture that hands a dialog host blocks as its parameter slots, remembers
// them, and takes back whatever the slots hold at the end. One null slot
// follows the last parameter: a dialog that writes past its parameters shows.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "driver.h"
#include "fixture.h"

namespace hqtest {

class DialogTest : public PluginTest {
protected:
    // Host blocks with these texts become the slots.
    void Give(const std::vector<std::string>& texts) {
        TakeSlots();
        for (const std::string& t : texts) slots_.push_back(ledger().Give(t));
        before_ = slots_;
        slots_.push_back(nullptr);
    }
    // `count` null slots, as a host passes a parameter never set.
    void GiveNull(size_t count) {
        TakeSlots();
        slots_.assign(count + 1, nullptr);
        before_.assign(count, nullptr);
    }
    bool Edit(int id) { return host().EditRaw(id, slots_.data()); }
    size_t Count() const { return before_.size(); }
    char* At(size_t i) const { return slots_.at(i); }
    std::string Slot(size_t i) const { return slots_.at(i) ? slots_[i] : "(null)"; }
    // True when every slot still points at the block it was given.
    bool Untouched() const { return std::vector<char*>(slots_.begin(), slots_.end() - 1) == before_; }
    // True when nothing was written past the last parameter.
    bool NothingPastTheEnd() const { return slots_.back() == nullptr; }
    void TakeSlots() {
        for (char* s : slots_)
            if (s) ledger().Take(s);
        slots_.clear();
        before_.clear();
    }
    void TearDown() override {
        TakeSlots();
        EXPECT_EQ(FindOpenForm(), nullptr) << "a dialog outlived its call";
        PluginTest::TearDown();
    }

    std::vector<char*> slots_, before_;
};

}  // namespace hqtest
