// Fault sweep of the desktop, input and system actions: queries write the
// value a clean run writes, or nothing, or raise; the cursor slot, the
// clipboard and a renamed file stay consistent.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "bmp_craft.h"
#include "sweep.h"

namespace {

using namespace faultsweep;

void EmptyTheClipboard() {
    if (::OpenClipboard(nullptr)) {
        ::EmptyClipboard();
        ::CloseClipboard();
    }
}

class SystemSweep : public SweepTest {
protected:
    // A query writing `var`: the clean run's value, nothing, `silent` (the
    // action's documented answer when it reads no value), or an error.
    Case Query(std::string name, int id, std::vector<std::string> params, std::string var,
               std::optional<std::string> silent = std::nullopt) {
        auto clean = std::make_shared<std::string>();
        Case c;
        c.name = std::move(name);
        c.prepare = [this, var] { host().SetVar(var, "unset"); };
        c.run = [this, id, params] { return host().Exec(id, params); };
        c.verify = [this, var, clean, silent](const RunResult& r, std::vector<std::string>& problems) {
            const std::string now = host().Var(var);
            if (r.clean()) *clean = now;
            else if (r.error.empty() && now != "unset" && now != *clean && now != silent)
                problems.push_back(var + " is \"" + now + "\", the clean run wrote \"" + *clean + "\"");
        };
        return c;
    }
};

TEST_F(SystemSweep, EveryFailedCallLeavesConsistentState) {
    const std::string cursor = Path("arrow.cur");
    WriteBytes(cursor, bmptest::CursorFile(1, 1));
    const std::string source = Path("rename_from.txt"), target = Path("rename_to.txt");
    const std::string clipped = Path("clip me.txt");
    WriteBytes(clipped, {'x'});

    std::vector<Case> cases = {
        // Without a screen context no colour is read: empty, as off the screen.
        Query("27 fzGetPixelColor", 27, {"5", "5", "[Pixel]"}, "[Pixel]", ""),
        Query("32 fzWindowFromPoint", 32, {"[Under]"}, "[Under]"),
        Query("36 fzCapsLockStatus", 36, {}, "[fz_CapsRez]"),
        Query("46 fzGetSysColor", 46, {"5", "[Sys]"}, "[Sys]"),
    };

    // The previous-cursor slot already holds a copy, so a run replaces it (no
    // net object), or empties it when the copy cannot be made, or, on
    // restore, hands it to the system (one fewer either way).
    Case set;
    set.name = "33 fzSetSystemCursor";
    set.prepare = [this, cursor] { host().Exec(33, {cursor}); };
    set.run = [this, cursor] { return host().Exec(33, {cursor}); };
    set.userDeltaWithoutError = -1;
    cases.push_back(set);
    Case restore;
    restore.name = "34 fzPrevSystemCursor";
    restore.prepare = set.prepare;
    restore.run = [this] { return host().Exec(34, {}); };
    restore.userDeltaWithoutError = -1;
    cases.push_back(restore);

    Case clip;
    clip.name = "44 fzCopyFileToClip";
    clip.prepare = EmptyTheClipboard;
    clip.run = [this, clipped] { return host().Exec(44, {clipped}); };
    clip.verify = [](const RunResult& r, std::vector<std::string>& problems) {
        if (r.error.empty() && !::IsClipboardFormatAvailable(CF_HDROP))
            problems.push_back("no error, but the clipboard holds no file list");
    };
    cases.push_back(clip);

    Case rename;
    rename.name = "39 fzRenameFile";
    rename.prepare = [source, target] {
        ::DeleteFileA(target.c_str());
        WriteBytes(source, {'d', 'a', 't', 'a'});
    };
    rename.run = [this, source, target] { return host().Exec(39, {source, target}); };
    rename.verify = [source, target](const RunResult&, std::vector<std::string>& problems) {
        const bool moved = !Exists(source) && ReadBytes(target) == std::vector<uint8_t>{'d', 'a', 't', 'a'};
        const bool kept = Exists(source) && !Exists(target);
        if (!moved && !kept) problems.push_back("the file is neither renamed nor left where it was");
    };
    cases.push_back(rename);

    EXPECT_GT(Sweep("system actions", cases), 0u);
    host().Exec(34, {});
    EmptyTheClipboard();
}

}  // namespace
