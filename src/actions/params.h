// The parameter strings one action receives: exactly its registered count,
// in registration order. A null element reads as empty text.
#pragma once
#include <cassert>

namespace hq {

class Params {
public:
    Params(const char* const* list, int count) : list_(list), count_(count) {}
    int size() const { return count_; }
    const char* operator[](int i) const {
        assert(i >= 0 && i < count_);
        const char* s = list_ ? list_[i] : nullptr;
        return s ? s : "";
    }

private:
    const char* const* list_;
    int count_;
};

}  // namespace hq
