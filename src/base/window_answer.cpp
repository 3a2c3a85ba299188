#include "window_answer.h"

#include "error.h"
#include "system_text.h"

namespace hq {

const char kNotRespondingText[] = "Window is not responding";

namespace {

bool OfThisThread(HWND window) { return ::GetWindowThreadProcessId(window, nullptr) == ::GetCurrentThreadId(); }

[[noreturn]] void FailNoAnswer(HWND window) {
    if (!::IsWindow(window)) Fail(SystemErrorText(ERROR_INVALID_WINDOW_HANDLE));
    Fail(kNotRespondingText);
}

}  // namespace

bool SendBounded(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR* result) {
    DWORD_PTR ignored = 0;
    return ::SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kAnswerTimeoutMs,
                                 result ? result : &ignored) != 0;
}

bool WindowAnswers(HWND window) {
    if (OfThisThread(window)) return true;
    return !::IsHungAppWindow(window) && SendBounded(window, WM_NULL, 0, 0);
}

void RequireAnswering(HWND window) {
    if (!WindowAnswers(window)) FailNoAnswer(window);
}

DWORD_PTR SendBoundedOrFail(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendBounded(window, message, wParam, lParam, &result)) FailNoAnswer(window);
    return result;
}

}  // namespace hq
