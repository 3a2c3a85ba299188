// Caps Lock, file rename, the CD drive door and the clipboard file list.
#include <windows.h>
#include <mmsystem.h>

#include <cstring>
#include <iterator>
#include <optional>
#include <string>

#include "actions/actions.h"
#include "actions/system/drop_files.h"
#include "base/error.h"
#include "base/file_name.h"
#include "base/handles.h"
#include "base/host.h"
#include "base/system_text.h"

namespace hq {

namespace {

void SendDriveDoorCommand(const char* command) {
    // The wait flag makes the call return when the door has stopped; errors
    // (no drive, no motorised door) are not reported.
    ::mciSendStringA(command, nullptr, 0, HostMainWindow());
}

// Pauses between attempts to open the clipboard (about half a second in all):
// clipboard listeners hold it briefly after every change, so a first refusal
// is usually over within milliseconds.
constexpr DWORD kClipboardRetryPauses[] = {10, 20, 40, 80, 150, 200};

// Opens the clipboard for `owner`, trying again while another program holds it.
void OpenClipboardFor(HWND owner, std::optional<ClipboardScope>& clipboard) {
    for (size_t attempt = 0;; ++attempt) {
        clipboard.emplace(owner);
        if (clipboard->is_open()) return;
        if (attempt == std::size(kClipboardRetryPauses)) Fail("Cannot open clipboard");
        ::Sleep(kClipboardRetryPauses[attempt]);
    }
}

}  // namespace

bool fzCapsLockStatus(const Params&) {
    // Two separate reads: the toggle bit or the pressed bit makes it "True".
    if (::GetKeyState(VK_CAPITAL) != 0) SetHostVariable("[fz_CapsRez]", "True");
    if (::GetKeyState(VK_CAPITAL) == 0) SetHostVariable("[fz_CapsRez]", "False");
    return false;
}

bool fzCapsLockPush(const Params&) {
    ::keybd_event(VK_CAPITAL, 0, 0, 0);
    ::keybd_event(VK_CAPITAL, 0, KEYEVENTF_KEYUP, 0);
    return false;
}

bool fzRenameFile(const Params& p) {
    ::MoveFileA(p[0], p[1]);  // refuses an existing destination; the result is not reported
    return true;
}

bool fzEjectCD_ROM(const Params&) {
    SendDriveDoorCommand("Set cdaudio Door Open Wait");
    return false;
}

bool fzCloseCD_ROM(const Params&) {
    SendDriveDoorCommand("Set cdaudio Door Closed Wait");
    return false;
}

namespace {

// The path as the dropped-file list must hold it: fully qualified (a file
// manager resolves a relative name against its own folder, not ours), every
// other byte as the system gives it back. An empty path names no file and
// stays an empty list.
std::string ListedPath(const std::string& path) {
    if (path.empty()) return path;
    const std::optional<std::string> full = FullPathName(path);
    if (!full) Fail(SystemErrorText(::GetLastError()));
    return *full;
}

}  // namespace

bool fzCopyFileToClip(const Params& p) {
    const std::vector<uint8_t> bytes = DropFilesBlock(ListedPath(p[0]));
    UniqueGlobal block(::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_DDESHARE, bytes.size()));
    if (!block) Fail("Could not allocate memory.");
    {
        GlobalLockScope lock(block.get());
        if (!lock.get()) Fail("Could not allocate memory.");
        std::memcpy(lock.get(), bytes.data(), bytes.size());
    }
    // Opened without a window, the emptied clipboard has no owner and Windows
    // refuses the data: a message-only window of our own owns it for the call.
    // Declared first, so it is destroyed after the clipboard is closed.
    UniqueWindow owner(::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                         PluginModule(), nullptr));
    if (!owner) Fail(SystemErrorText(::GetLastError()));
    std::optional<ClipboardScope> clipboard;
    OpenClipboardFor(owner.get(), clipboard);
    ::EmptyClipboard();
    // The block stays ours, and is freed, unless the clipboard takes it.
    if (!::SetClipboardData(CF_HDROP, block.get())) Fail(SystemErrorText(::GetLastError()));
    block.release();
    return false;
}

}  // namespace hq
