// Helpers shared by the window appearance actions: read-modify-write of a
// window's style words, the re-layout script, and the two lookups that turn a
// host object name into a window handle.
#pragma once
#include <windows.h>

#include <string>

namespace hq {

// Reads the style word at `index` (GWL_STYLE or GWL_EXSTYLE), ORs in `set`,
// clears `clear` and writes the result back. Other bits stay as they are.
void ChangeWindowLong(HWND window, int index, DWORD set, DWORD clear);

// The host script that makes the host resize its main window by one pixel and
// back, so that it lays out its frame again.
extern const char kRelayoutScript[];
void RunRelayoutScript();

// Integer text (as the host writes window handles) to a window handle;
// raises the conversion error for anything else.
HWND HandleFromText(const std::string& text);

// The window the host publishes in "[<object name>.WinHandle]" (name cut to
// 255 characters); raises the conversion error when the variable is missing.
HWND ExternalWindow(const std::string& objectName);

// Asks the host for the window of a named object: [fzRez] := name, then the
// host script GetObjectHandle fills [ObjHandle]; raises the conversion error
// when no object has that name.
HWND ObjectWindow(const std::string& objectName);

}  // namespace hq
