// Windows of other threads, which may have stopped answering. A message sent
// to such a window, and every style or position change that the system turns
// into one, blocks the host's thread until that thread pumps again, which may
// be never. Each action that touches a window of another thread asks it first,
// with a bound, and sends what it must through the same bound.
// A window of the calling thread is answered by the very call that asks it,
// however long the thread has been busy: it is never "hung" to itself.
#pragma once
#include <windows.h>

namespace hq {

// How long the host's thread waits for another thread's window to answer; the
// system itself calls a window hung after five seconds without answering.
constexpr UINT kAnswerTimeoutMs = 5000;
extern const char kNotRespondingText[];  // "Window is not responding"

// True for a window of the calling thread; for another thread's window, true
// when the system does not call it hung and it answers a null message within
// the bound.
bool WindowAnswers(HWND window);

// WindowAnswers, raising when the window does not answer: the system's text
// for an invalid handle when the window is gone meanwhile, else "Window is
// not responding".
void RequireAnswering(HWND window);

// SendMessageTimeoutW with the bound (SMTO_ABORTIFHUNG); false when the
// window did not answer in time. `result` may be null.
bool SendBounded(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR* result = nullptr);

// SendBounded, raising as RequireAnswering does when no answer came.
DWORD_PTR SendBoundedOrFail(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace hq
