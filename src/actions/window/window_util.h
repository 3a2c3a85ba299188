// Helpers shared by the window appearance actions: read-modify-write of a
// window's style words and applying a changed frame, the re-layout script,
// and the two lookups that turn a host object name into a window handle.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

namespace hq {

// Reads the style word at `index` (GWL_STYLE or GWL_EXSTYLE), ORs in `set`,
// clears `clear` and writes the result back. Other bits stay as they are.
void ChangeWindowLong(HWND window, int index, DWORD set, DWORD clear);

// Makes the system apply a window's frame styles now: the frame (border,
// caption and its buttons, the non-client size) is cached, and a changed style
// word takes effect only with SetWindowPos(SWP_FRAMECHANGED). The window keeps
// its place, size, Z order and activation.
void ApplyFrameChange(HWND window);
constexpr UINT kFrameChangeFlags = SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;

// ChangeWindowLong of bits that shape the frame (WS_CAPTION, WS_SYSMENU,
// WS_THICKFRAME, the minimize and maximize boxes, WS_EX_TOOLWINDOW), then
// ApplyFrameChange: one frame change after each write.
void ChangeFrameStyle(HWND window, int index, DWORD set, DWORD clear);

// Repaints a window whose WS_EX_LAYERED bit has just been cleared or put
// back: the system gives it a new surface, which holds nothing until the
// window and every child window have painted again. A parent with
// WS_CLIPCHILDREN (a host main window with its object windows) leaves its
// children out of the repaint unless RDW_ALLCHILDREN asks for them.
void RepaintAfterLayering(HWND window);
constexpr UINT kRelayeredRedrawFlags = RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN;

// The host script that makes the host resize its main window by one pixel and
// back, so that it lays out its frame again.
extern const char kRelayoutScript[];
void RunRelayoutScript();

// Integer text (as the host writes window handles) to a window handle;
// raises the conversion error for anything else.
HWND HandleFromText(const std::string& text);

// The window a handle value names, or null when it names none. The special
// values (0, HWND_BROADCAST, HWND_TOPMOST and the other insert-after or
// parent markers) are never windows: messages and style changes sent to them
// would reach every top-level window or none.
HWND WindowFromHandle(HWND value);
// HandleFromText, then WindowFromHandle: every handle that comes from text
// goes through here before any message or style change reaches it.
HWND WindowFromText(const std::string& text);

// The window the host publishes in "[<object name>.WinHandle]" (name cut to
// 255 characters); raises the conversion error when the variable is missing;
// null when the value names no window.
HWND ExternalWindow(const std::string& objectName);

// Asks the host for the window of a named object: [fzRez] := name, then the
// host script GetObjectHandle fills [ObjHandle]; raises the conversion error
// when no object has that name; null when the handle names no window.
HWND ObjectWindow(const std::string& objectName);
// The same lookup without the error: nothing when [ObjHandle] is not integer
// text (no object has that name any more).
std::optional<HWND> TryObjectWindow(const std::string& objectName);

}  // namespace hq
