// No C++ exception may unwind through the system's frames (a window procedure,
// a hook, an enumeration callback). A callback runs its body through a guard,
// which keeps the first exception; the code that made the system call raises
// it once that call has returned.
#pragma once
#include <exception>
#include <utility>

namespace hq {

class CallbackGuard {
public:
    // Runs `body`; false when it raised. The first exception is kept.
    template <typename Body>
    bool Run(Body&& body) noexcept {
        try {
            std::forward<Body>(body)();
            return true;
        } catch (...) {
            if (!error_) error_ = std::current_exception();
            return false;
        }
    }
    bool Failed() const { return error_ != nullptr; }
    // Raises the kept exception, if any, and forgets it.
    void Rethrow() {
        if (error_) std::rethrow_exception(std::exchange(error_, nullptr));
    }

private:
    std::exception_ptr error_;
};

}  // namespace hq
