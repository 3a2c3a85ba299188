// Caps Lock, file rename, the drive door and the clipboard file list.
#include <windows.h>
#include <mmsystem.h>
#include <shellapi.h>
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <thread>

#include "fixture.h"
#include "base/handles.h"
#include "base/system_text.h"
#include "system_support.h"

namespace {

using systest::ImportPatch;

class KeyboardFilesTest : public hqtest::PluginTest {
protected:
    std::string CapsResult() {
        host().SetVar("[fz_CapsRez]", "unset");
        EXPECT_FALSE(Exec(36));
        return host().Var("[fz_CapsRez]");
    }
    // The pushes arrive as input messages: waits until this thread's key state
    // shows Caps Lock released and toggled `on`.
    static void AwaitCapsLock(bool on) {
        hqtest::WaitUntil([on] { return (::GetKeyState(VK_CAPITAL) & 0x8001) == (on ? 1 : 0); }, 2000);
    }
};

TEST_F(KeyboardFilesTest, CapsLockTwoPushesToggleAndReturnWithTheKeyReleased) {
    hqtest::PumpPending();
    const std::string first = CapsResult();
    ASSERT_TRUE(first == "True" || first == "False") << first;
    const bool on = first == "True";
    EXPECT_FALSE(Exec(37));
    AwaitCapsLock(!on);
    EXPECT_EQ(CapsResult(), on ? "False" : "True");
    EXPECT_FALSE(Exec(37));
    AwaitCapsLock(on);
    EXPECT_EQ(CapsResult(), first);
    EXPECT_EQ(::GetKeyState(VK_CAPITAL) & 0x8000, 0) << "the key was left pressed";
    // Exactly one write per status call.
    host().CallLog().clear();
    EXPECT_FALSE(Exec(36));
    EXPECT_EQ(host().CallLog().size(), 1u);
}

// GetKeyState as scripted by the test.
std::vector<SHORT> g_keyStates;
std::vector<int> g_keysAsked;
SHORT WINAPI SpyGetKeyState(int key) {
    g_keysAsked.push_back(key);
    const SHORT s = g_keyStates.empty() ? 0 : g_keyStates.front();
    if (!g_keyStates.empty()) g_keyStates.erase(g_keyStates.begin());
    return s;
}

TEST_F(KeyboardFilesTest, CapsLockStatusReadsTheKeyTwiceAndAPressedKeyCountsAsOn) {
    ImportPatch spy(host().Module(), "GetKeyState", reinterpret_cast<void*>(&SpyGetKeyState));
    ASSERT_TRUE(spy.installed());
    struct Case {
        std::vector<SHORT> reads;
        std::vector<std::string> writes;
    };
    const Case cases[] = {
        {{1, 1}, {"set [fz_CapsRez]=True"}},
        {{0, 0}, {"set [fz_CapsRez]=False"}},
        {{SHORT(0xFF80), SHORT(0xFF80)}, {"set [fz_CapsRez]=True"}},  // held down, toggle off
        // The state changing between the two reads: both or neither written.
        {{1, 0}, {"set [fz_CapsRez]=True", "set [fz_CapsRez]=False"}},
        {{0, 1}, {}},
    };
    for (const Case& c : cases) {
        g_keyStates = c.reads;
        g_keysAsked.clear();
        host().CallLog().clear();
        EXPECT_FALSE(Exec(36));
        EXPECT_EQ(host().CallLog(), c.writes);
        EXPECT_EQ(g_keysAsked, (std::vector<int>{VK_CAPITAL, VK_CAPITAL}));
    }
}

// ---- rename

std::string g_dir;
std::string TempPath(const std::string& name) { return g_dir + "\\" + name; }
void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}
std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return "<missing>";
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class RenameTest : public hqtest::PluginTest {
protected:
    void SetUp() override {
        PluginTest::SetUp();
        g_dir = hqtest::ExeDirPath("system_rename");
        ::CreateDirectoryA(g_dir.c_str(), nullptr);
        ::CreateDirectoryA(TempPath("other").c_str(), nullptr);
        for (const char* f : {"a.txt", "b.txt", "renamed.txt", "other\\a.txt"}) ::DeleteFileA(TempPath(f).c_str());
    }
};

TEST_F(RenameTest, RenamesWithinAFolderAndMovesToAnother) {
    WriteFile(TempPath("a.txt"), "alpha");
    // (Names beyond ASCII cannot be tested here: this Wine set-up refuses them for any file call.)
    EXPECT_TRUE(Exec(39, {TempPath("a.txt"), TempPath("renamed.txt")}));
    EXPECT_EQ(ReadFile(TempPath("a.txt")), "<missing>");
    EXPECT_EQ(ReadFile(TempPath("renamed.txt")), "alpha");
    EXPECT_TRUE(Exec(39, {TempPath("renamed.txt"), TempPath("other\\a.txt")}));
    EXPECT_EQ(ReadFile(TempPath("renamed.txt")), "<missing>");
    EXPECT_EQ(ReadFile(TempPath("other\\a.txt")), "alpha");
    EXPECT_TRUE(host().CallLog().empty());
}

TEST_F(RenameTest, ExistingDestinationAndMissingSourceLeaveEverythingAndStillReturnTrue) {
    WriteFile(TempPath("a.txt"), "alpha");
    WriteFile(TempPath("b.txt"), "beta");
    EXPECT_TRUE(Exec(39, {TempPath("a.txt"), TempPath("b.txt")}));
    EXPECT_EQ(ReadFile(TempPath("a.txt")), "alpha");
    EXPECT_EQ(ReadFile(TempPath("b.txt")), "beta");
    EXPECT_TRUE(Exec(39, {TempPath("missing.txt"), TempPath("c.txt")}));
    EXPECT_EQ(ReadFile(TempPath("c.txt")), "<missing>");
    EXPECT_TRUE(Exec(39, {"", ""}));
}

// ---- drive door

std::vector<std::string> g_mci;
HWND g_mciWindow = nullptr;
void* g_forwardMci = nullptr;
MCIERROR WINAPI SpyMciSendStringA(LPCSTR command, LPSTR ret, UINT size, HWND callback) {
    g_mci.push_back(std::string(command) + (ret ? " +buffer" : "") + (size ? " +size" : ""));
    g_mciWindow = callback;
    return reinterpret_cast<decltype(&::mciSendStringA)>(g_forwardMci)(command, ret, size, callback);
}

TEST_F(KeyboardFilesTest, DriveDoorCommandsUseTheHostMainWindowAndFailWithoutADrive) {
    const HWND main = host().MainWindow();
    ImportPatch spy(host().Module(), "mciSendStringA", reinterpret_cast<void*>(&SpyMciSendStringA));
    ASSERT_TRUE(spy.installed());
    g_forwardMci = spy.previous();
    g_mci.clear();
    EXPECT_FALSE(Exec(42));
    EXPECT_EQ(g_mciWindow, main);
    g_mciWindow = nullptr;
    EXPECT_FALSE(Exec(43));
    EXPECT_EQ(g_mciWindow, main);
    EXPECT_EQ(g_mci, (std::vector<std::string>{"Set cdaudio Door Open Wait", "Set cdaudio Door Closed Wait"}));
}

// ---- clipboard

class ClipboardTest : public hqtest::PluginTest {
protected:
    // The clipboard is system-wide: keep its text and put it back afterwards.
    void SetUp() override {
        PluginTest::SetUp();
        if (::OpenClipboard(nullptr)) {
            if (HANDLE h = ::GetClipboardData(CF_UNICODETEXT)) {
                if (auto* p = static_cast<const wchar_t*>(::GlobalLock(h))) {
                    savedText_ = p;
                    hadText_ = true;
                    ::GlobalUnlock(h);
                }
            }
            ::CloseClipboard();
        }
    }
    void TearDown() override {
        if (::OpenClipboard(nullptr)) {
            ::EmptyClipboard();
            if (hadText_) PutText(savedText_);
            ::CloseClipboard();
        }
        PluginTest::TearDown();
    }
    static void PutText(const std::wstring& text) {
        HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
        std::memcpy(::GlobalLock(h), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
        ::GlobalUnlock(h);
        if (!::SetClipboardData(CF_UNICODETEXT, h)) ::GlobalFree(h);
    }
    // The CF_HDROP block as bytes, and the names DragQueryFileA reads from it.
    static std::vector<uint8_t> DropBlock(std::vector<std::string>* names) {
        std::vector<uint8_t> bytes;
        if (!::OpenClipboard(nullptr)) return bytes;
        if (HANDLE h = ::GetClipboardData(CF_HDROP)) {
            const auto* p = static_cast<const uint8_t*>(::GlobalLock(h));
            bytes.assign(p, p + ::GlobalSize(h));
            ::GlobalUnlock(h);
            const UINT count = ::DragQueryFileA(static_cast<HDROP>(h), 0xFFFFFFFF, nullptr, 0);
            for (UINT i = 0; i < count; ++i) {
                char name[MAX_PATH] = {};
                ::DragQueryFileA(static_cast<HDROP>(h), i, name, MAX_PATH);
                names->push_back(name);
            }
        }
        ::CloseClipboard();
        return bytes;
    }
    bool hadText_ = false;
    std::wstring savedText_;
};

std::vector<uint8_t> Expected(const std::string& path) {
    std::vector<uint8_t> b(20 + path.size() + 2, 0);
    b[0] = 20;
    std::memcpy(b.data() + 20, path.data(), path.size());
    return b;
}

TEST_F(ClipboardTest, TenBytePathMakesAThirtyTwoByteDropListReadableByTheShell) {
    EXPECT_FALSE(Exec(44, {"C:\\abc.txt"}));
    std::vector<std::string> names;
    const std::vector<uint8_t> block = DropBlock(&names);
    ASSERT_EQ(block.size(), 32u);
    EXPECT_EQ(block, Expected("C:\\abc.txt"));
    EXPECT_EQ(names, std::vector<std::string>{"C:\\abc.txt"});
    EXPECT_EQ(ledger().LiveFrom(hqhost::Ledger::Origin::Plugin), 0u) << "the clipboard owns the block";
}

TEST_F(ClipboardTest, EmptyPathMakesATwentyTwoByteBlockWithAnEmptyList) {
    EXPECT_FALSE(Exec(44, {""}));
    std::vector<std::string> names;
    const std::vector<uint8_t> block = DropBlock(&names);
    EXPECT_EQ(block, Expected(""));
    for (const std::string& name : names) EXPECT_EQ(name, "");
}

TEST_F(ClipboardTest, PathIsFullyQualifiedAndOtherwiseKeptAsItsBytes) {
    const std::string folder = hqtest::TempDirPath("hq clip folder");  // with a blank
    char previous[MAX_PATH] = {};
    ::GetCurrentDirectoryA(MAX_PATH, previous);
    ::CreateDirectoryA(folder.c_str(), nullptr);
    ASSERT_TRUE(::SetCurrentDirectoryA(folder.c_str())) << folder;
    const hq::ScopeExit restore([&previous] { ::SetCurrentDirectoryA(previous); });
    const std::string drive = folder.substr(0, 2);
    struct Case {
        std::string typed, listed;
    };
    const Case table[] = {
        {"C:\\abc.txt", "C:\\abc.txt"},
        {"Z:\\Папка\\файл.txt", "Z:\\Папка\\файл.txt"},  // Windows-1251 bytes 0xC0-0xFF as they are
        {"файл.txt", folder + "\\файл.txt"},                 // relative to the current folder
        {" Z:\\Папка\\файл.txt", folder + "\\ Z:\\Папка\\файл.txt"},  // a leading blank makes it relative, kept
        {"Z:\\a  b\\..\\c d.txt", "Z:\\c d.txt"},  // the system resolves "..", blanks inside stay
        {"Z:/a/b.txt", "Z:\\a\\b.txt"},
        {"\\x.txt", drive + "\\x.txt"},  // rooted: the current drive
    };
    for (const Case& c : table) {
        EXPECT_FALSE(Exec(44, {c.typed})) << c.typed;
        std::vector<std::string> names;
        EXPECT_EQ(DropBlock(&names), Expected(c.listed)) << c.typed;
        EXPECT_EQ(names, std::vector<std::string>{c.listed}) << c.typed;
    }
}

// GetFullPathNameA as scripted by the test: answers `g_fullPath` the way the
// system does (the needed length, zero included, when it does not fit), or
// fails with `g_fullPathError`, or asks for ever more room.
enum class FullPathAnswer { Path, Fail, GrowForever };
FullPathAnswer g_fullPathAnswer = FullPathAnswer::Path;
std::string g_fullPath;
DWORD g_fullPathError = 0;
std::vector<DWORD> g_fullPathBuffers;
DWORD WINAPI SpyGetFullPathNameA(LPCSTR, DWORD size, LPSTR buffer, LPSTR* file) {
    g_fullPathBuffers.push_back(size);
    if (file) *file = nullptr;
    switch (g_fullPathAnswer) {
    case FullPathAnswer::Fail:
        ::SetLastError(g_fullPathError);
        return 0;
    case FullPathAnswer::GrowForever:
        return size + 100;
    case FullPathAnswer::Path:
        break;
    }
    if (g_fullPath.size() >= size) return static_cast<DWORD>(g_fullPath.size() + 1);
    std::memcpy(buffer, g_fullPath.c_str(), g_fullPath.size() + 1);
    return static_cast<DWORD>(g_fullPath.size());
}

TEST_F(ClipboardTest, FullPathLongerThanTheFirstBufferOrRefusedIsHandled) {
    ImportPatch full(host().Module(), "GetFullPathNameA", reinterpret_cast<void*>(&SpyGetFullPathNameA));
    ASSERT_TRUE(full.installed());
    const std::string longPath = "C:\\" + std::string(300, 'd') + "\\" + std::string(150, 'f') + ".txt";
    struct Case {
        const char* what;
        FullPathAnswer answer;
        std::string path;
        DWORD error;
        std::string expectedError;  // empty: placed
    };
    const Case table[] = {
        {"short", FullPathAnswer::Path, "C:\\short.txt", 0, ""},
        {"longer than MAX_PATH", FullPathAnswer::Path, longPath, 0, ""},
        {"exactly MAX_PATH - 1", FullPathAnswer::Path, "C:\\" + std::string(MAX_PATH - 4, 'e'), 0, ""},
        {"exactly MAX_PATH", FullPathAnswer::Path, "C:\\" + std::string(MAX_PATH - 3, 'e'), 0, ""},
        {"refused", FullPathAnswer::Fail, "", ERROR_INVALID_NAME, hq::SystemErrorText(ERROR_INVALID_NAME)},
        {"refused without a reason", FullPathAnswer::Fail, "", 0, hq::SystemErrorText(ERROR_INVALID_NAME)},
        {"never fits", FullPathAnswer::GrowForever, "", 0, hq::SystemErrorText(ERROR_FILENAME_EXCED_RANGE)},
    };
    for (const Case& c : table) {
        ASSERT_TRUE(hqtest::WaitUntil([] { return ::OpenClipboard(nullptr) != FALSE; }));
        ::EmptyClipboard();
        ::CloseClipboard();
        g_fullPathAnswer = c.answer;
        g_fullPath = c.path;
        g_fullPathError = c.error;
        g_fullPathBuffers.clear();
        if (c.expectedError.empty()) {
            EXPECT_FALSE(Exec(44, {"typed.txt"})) << c.what;
            std::vector<std::string> names;
            EXPECT_EQ(DropBlock(&names), Expected(c.path)) << c.what;
            EXPECT_LE(g_fullPathBuffers.size(), 2u) << c.what;
            EXPECT_GT(g_fullPathBuffers.back(), c.path.size()) << c.what;
        } else {
            EXPECT_EQ(ExecError(44, {"typed.txt"}), c.expectedError) << c.what;
            EXPECT_FALSE(::IsClipboardFormatAvailable(CF_HDROP)) << c.what;
            EXPECT_LE(g_fullPathBuffers.size(), 10u) << c.what << ": no end to the attempts";
        }
        EXPECT_EQ(ledger().LiveFrom(hqhost::Ledger::Origin::Plugin), 0u) << c.what;
    }
}

TEST_F(ClipboardTest, ReplacesEveryEarlierFormat) {
    const UINT custom = ::RegisterClipboardFormatW(L"HqSystemTestFormat");
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    PutText(L"earlier text");
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, 4);
    ::SetClipboardData(custom, h);
    ::CloseClipboard();
    ASSERT_TRUE(::IsClipboardFormatAvailable(custom));

    EXPECT_FALSE(Exec(44, {"C:\\x"}));
    EXPECT_TRUE(::IsClipboardFormatAvailable(CF_HDROP));
    EXPECT_FALSE(::IsClipboardFormatAvailable(custom));
    EXPECT_FALSE(::IsClipboardFormatAvailable(CF_UNICODETEXT));
    EXPECT_FALSE(::IsClipboardFormatAvailable(CF_TEXT));
}

TEST_F(ClipboardTest, ClipboardHeldByAnotherThreadRaisesAndTheBlockIsFreed) {
    HANDLE opened = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE done = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread holder([&] {
        HWND owner = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        ::OpenClipboard(owner);
        ::SetEvent(opened);
        ::WaitForSingleObject(done, 10000);
        ::CloseClipboard();
        ::DestroyWindow(owner);
    });
    ::WaitForSingleObject(opened, 10000);
    EXPECT_EQ(ExecError(44, {"C:\\abc.txt"}), "Cannot open clipboard");
    EXPECT_EQ(ledger().LiveFrom(hqhost::Ledger::Origin::Plugin), 0u) << "the unplaced block leaked";
    ::SetEvent(done);
    holder.join();
    ::CloseHandle(opened);
    ::CloseHandle(done);
}

// OpenClipboard as scripted by the test: refuses the first `g_openRefusals`
// calls as a program holding the clipboard would, then opens it for real.
int g_openRefusals = 0;
std::vector<HWND> g_openOwners;
void* g_forwardOpen = nullptr;
BOOL WINAPI SpyOpenClipboard(HWND owner) {
    g_openOwners.push_back(owner);
    if (static_cast<int>(g_openOwners.size()) <= g_openRefusals) {
        ::SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    return reinterpret_cast<decltype(&::OpenClipboard)>(g_forwardOpen)(owner);
}

// The plug-in's pauses between attempts, recorded instead of waited.
std::vector<DWORD> g_pauses;
void WINAPI SpySleep(DWORD ms) { g_pauses.push_back(ms); }

HANDLE WINAPI RefuseClipboardData(UINT, HANDLE) {
    ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
}

TEST_F(ClipboardTest, OpensTheClipboardWithAWindowOfItsOwnAndAnErrorWhenTheDataIsRefused) {
    ImportPatch open(host().Module(), "OpenClipboard", reinterpret_cast<void*>(&SpyOpenClipboard));
    ASSERT_TRUE(open.installed());
    g_forwardOpen = open.previous();
    g_openRefusals = 0;
    g_openOwners.clear();
    EXPECT_FALSE(Exec(44, {"C:\\abc.txt"}));
    ASSERT_EQ(g_openOwners.size(), 1u);
    const HWND owner = g_openOwners[0];
    EXPECT_NE(owner, nullptr) << "an emptied clipboard without an owner refuses data on Windows";
    EXPECT_FALSE(::IsWindow(owner)) << "the owner window outlived the call";
    std::vector<std::string> names;
    EXPECT_EQ(DropBlock(&names), Expected("C:\\abc.txt")) << "the list did not outlive its owner window";

    ImportPatch refuse(host().Module(), "SetClipboardData", reinterpret_cast<void*>(&RefuseClipboardData));
    ASSERT_TRUE(refuse.installed());
    EXPECT_EQ(ExecError(44, {"C:\\abc.txt"}), hq::SystemErrorText(ERROR_NOT_ENOUGH_MEMORY));
    EXPECT_EQ(ledger().LiveFrom(hqhost::Ledger::Origin::Plugin), 0u) << "the refused block leaked";
    EXPECT_TRUE(ledger().Faults().empty());
}

TEST_F(ClipboardTest, ClipboardBrieflyHeldIsRetriedForAShortBoundedTime) {
    ImportPatch open(host().Module(), "OpenClipboard", reinterpret_cast<void*>(&SpyOpenClipboard));
    ImportPatch sleep(host().Module(), "Sleep", reinterpret_cast<void*>(&SpySleep));
    ASSERT_TRUE(open.installed() && sleep.installed());
    g_forwardOpen = open.previous();
    struct Case {
        int refusals;
        bool placed;
    };
    for (const Case c : {Case{0, true}, Case{2, true}, Case{1000, false}}) {
        // Wine's own clipboard listener may still hold it after the last change.
        ASSERT_TRUE(hqtest::WaitUntil([] { return ::OpenClipboard(nullptr) != FALSE; }));
        ::EmptyClipboard();
        ::CloseClipboard();
        g_openRefusals = c.refusals;
        g_openOwners.clear();
        g_pauses.clear();
        if (c.placed) {
            EXPECT_FALSE(Exec(44, {"C:\\x"})) << c.refusals;
            EXPECT_EQ(g_openOwners.size(), static_cast<size_t>(c.refusals) + 1);
            EXPECT_EQ(g_pauses.size(), static_cast<size_t>(c.refusals));
        } else {
            EXPECT_EQ(ExecError(44, {"C:\\x"}), "Cannot open clipboard");
            EXPECT_GE(g_openOwners.size(), 3u) << "gave up at once";
            EXPECT_LE(g_openOwners.size(), 20u);
            EXPECT_EQ(g_pauses.size(), g_openOwners.size() - 1);
        }
        DWORD waited = 0;
        for (DWORD ms : g_pauses) waited += ms;
        EXPECT_LE(waited, 1000u) << c.refusals;
        EXPECT_EQ(::IsClipboardFormatAvailable(CF_HDROP) != FALSE, c.placed) << c.refusals;
        EXPECT_EQ(ledger().LiveFrom(hqhost::Ledger::Origin::Plugin), 0u) << c.refusals;
    }
}

}  // namespace
