#include "actions/window/window_util.h"

#include "base/host.h"
#include "base/int_text.h"
#include "base/text.h"

namespace hq {

void ChangeWindowLong(HWND window, int index, DWORD set, DWORD clear) {
    const DWORD word = static_cast<DWORD>(::GetWindowLongW(window, index));
    ::SetWindowLongW(window, index, static_cast<LONG>((word | set) & ~clear));
}

void ApplyFrameChange(HWND window) { ::SetWindowPos(window, nullptr, 0, 0, 0, 0, kFrameChangeFlags); }

void ChangeFrameStyle(HWND window, int index, DWORD set, DWORD clear) {
    ChangeWindowLong(window, index, set, clear);
    ApplyFrameChange(window);
}

void RepaintAfterLayering(HWND window) { ::RedrawWindow(window, nullptr, nullptr, kRelayeredRedrawFlags); }

const char kRelayoutScript[] = "SetVar \"[PubHeight]\" \"[PubHeight]-1\"\rSetVar \"[PubHeight]\" \"[PubHeight]+1\"";

void RunRelayoutScript() { RunHostScript(kRelayoutScript); }

// Window handles are 32-bit values on every Windows, the 64-bit one included,
// which widens them by sign extension (as LongToHandle does): the same text
// names the same window in both builds.
static HWND HandleFromBits(int32_t bits) { return reinterpret_cast<HWND>(static_cast<intptr_t>(bits)); }

HWND HandleFromText(const std::string& text) { return HandleFromBits(StrToInt(text)); }

HWND WindowFromHandle(HWND value) {
    const auto bits = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(value));
    // 0 (desktop / no window), 1 HWND_BOTTOM, 0xFFFF HWND_BROADCAST, and
    // -1 HWND_TOPMOST, -2 HWND_NOTOPMOST, -3 HWND_MESSAGE.
    const bool special = bits <= 1 || bits == 0xFFFFu || bits >= 0xFFFFFFFDu;
    return !special && ::IsWindow(value) ? value : nullptr;
}

HWND WindowFromText(const std::string& text) { return WindowFromHandle(HandleFromText(text)); }

HWND ExternalWindow(const std::string& objectName) {
    std::string name = "[";
    name.append(objectName, 0, 255);
    name += ".WinHandle]";
    return WindowFromText(GetHostVariable(name));
}

namespace {
std::string ObjectHandleText(const std::string& objectName) {
    SetHostVariable("[fzRez]", objectName);
    RunHostScript("GetObjectHandle \"[fzRez]\" \"[ObjHandle]\"");
    return GetHostVariable("[ObjHandle]");
}
}  // namespace

HWND ObjectWindow(const std::string& objectName) { return WindowFromText(ObjectHandleText(objectName)); }

std::optional<HWND> TryObjectWindow(const std::string& objectName) {
    const std::optional<int32_t> value = TryStrToInt(ObjectHandleText(objectName));
    if (!value) return std::nullopt;
    return WindowFromHandle(HandleFromBits(*value));
}

}  // namespace hq
