#include "actions/window/window_util.h"

#include "plugin/host.h"
#include "plugin/int_text.h"
#include "plugin/text.h"

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

HWND ExternalWindow(const std::string& objectName) {
    std::string name = "[";
    name.append(objectName, 0, 255);
    name += ".WinHandle]";
    return HandleFromText(GetHostVariable(name));
}

HWND ObjectWindow(const std::string& objectName) {
    SetHostVariable("[fzRez]", objectName);
    RunHostScript("GetObjectHandle \"[fzRez]\" \"[ObjHandle]\"");
    return HandleFromText(GetHostVariable("[ObjHandle]"));
}

}  // namespace hq
