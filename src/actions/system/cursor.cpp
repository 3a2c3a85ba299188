// Replacing the system's standard arrow with a cursor file, and putting back
// the arrow saved by the last replacement.
#include <windows.h>

#include <utility>

#include "actions/actions.h"
#include "base/handles.h"

namespace hq {

namespace {

constexpr DWORD kNormalArrow = 32512;  // OCR_NORMAL

// The copy of the arrow saved by the latest fzSetSystemCursor. It is ours until
// fzPrevSystemCursor hands it to the system; then the slot is emptied, so a
// second restore cannot pass a consumed handle (whose value may by then name
// some other cursor) and a later replacement does not destroy it. A plain
// handle, not an owner: nothing runs at unload, when the process may already
// be tearing down.
HCURSOR g_previous = nullptr;

// SetSystemCursor takes ownership of the cursor only when it succeeds.
bool GiveToSystem(HCURSOR cursor) { return ::SetSystemCursor(cursor, kNormalArrow) != FALSE; }

}  // namespace

bool fzSetSystemCursor(const Params& p) {
    // Saving a fresh copy destroys the copy an earlier call saved and nobody restored.
    HCURSOR copy = ::CopyIcon(::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)));
    UniqueCursor(std::exchange(g_previous, copy)).reset();
    UniqueCursor loaded(::LoadCursorFromFileA(p[0]));
    if (loaded && GiveToSystem(loaded.get())) loaded.release();
    return false;
}

bool fzPrevSystemCursor(const Params&) {
    if (g_previous && GiveToSystem(g_previous)) g_previous = nullptr;
    return false;
}

}  // namespace hq
