#include "actions/window/window_util.h"

#include "base/host.h"
#include "base/int_text.h"
#include "base/text.h"

namespace hq {

void ChangeWindowLong(HWND window, int index, DWORD set, DWORD clear) {
    const DWORD word = static_cast<DWORD>(::GetWindowLongW(window, index));
    ::SetWindowLongW(window, index, static_cast<LONG>((word | set) & ~clear));
}

const char kRelayoutScript[] = "SetVar \"[PubHeight]\" \"[PubHeight]-1\"\rSetVar \"[PubHeight]\" \"[PubHeight]+1\"";

void RunRelayoutScript() { RunHostScript(kRelayoutScript); }

HWND HandleFromText(const std::string& text) {
    const uint32_t value = static_cast<uint32_t>(StrToInt(text));
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(value));
}

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
    return WindowFromHandle(reinterpret_cast<HWND>(static_cast<uintptr_t>(static_cast<uint32_t>(*value))));
}

}  // namespace hq
