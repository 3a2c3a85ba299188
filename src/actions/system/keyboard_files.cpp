// Caps Lock, file rename, the CD drive door and the clipboard file list.
#include <windows.h>
#include <mmsystem.h>

#include <cstring>

#include "actions/actions.h"
#include "actions/system/drop_files.h"
#include "plugin/error.h"
#include "plugin/handles.h"
#include "plugin/host.h"

namespace hq {

namespace {

void SendDriveDoorCommand(const char* command) {
    // The wait flag makes the call return when the door has stopped; errors
    // (no drive, no motorised door) are not reported.
    ::mciSendStringA(command, nullptr, 0, HostMainWindow());
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

bool fzCopyFileToClip(const Params& p) {
    const std::vector<uint8_t> bytes = DropFilesBlock(p[0]);
    UniqueGlobal block(::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_DDESHARE, bytes.size()));
    if (!block) Fail("Could not allocate memory.");
    {
        GlobalLockScope lock(block.get());
        if (!lock.get()) Fail("Could not allocate memory.");
        std::memcpy(lock.get(), bytes.data(), bytes.size());
    }
    // The block stays ours, and is freed, unless the clipboard takes it.
    ClipboardScope clipboard(nullptr);
    if (!clipboard.is_open()) Fail("Cannot open clipboard");
    ::EmptyClipboard();
    if (::SetClipboardData(CF_HDROP, block.get())) block.release();
    return false;
}

}  // namespace hq
