// fzSetWindowPngMaskShadow: per-pixel alpha content, [PubHeight], refusals,
// the failure message box, and GDI+ started and shut down around each call.
#include <gtest/gtest.h>

#include <windows.h>

#include <tlhelp32.h>

#include <atomic>
#include <thread>

#include "import_patch.h"
#include "base/handles.h"
#include "base/system_text.h"
#include "base/text.h"
#include "shape_files.h"

namespace {

// Closes every message box titled "zeZoreredur" while it lives, and counts them.
class MessageBoxCloser {
public:
    MessageBoxCloser()
        : thread_([this] {
              while (!stop_) {
                  // A box answered but not yet destroyed (its owner's thread is
                  // slow to leave the box's loop) is still found: count it once.
                  HWND box = ::FindWindowW(L"#32770", L"zeZoreredur");
                  if (box && box != answered_) {
                      answered_ = box;
                      if (count_ == 0) {
                          wchar_t text[512] = {};
                          ::GetDlgItemTextW(box, 0xFFFF, text, 512);  // the box's message
                          firstText_ = text;
                      }
                      ++count_;
                      ::SendMessageW(box, WM_COMMAND, IDOK, 0);
                  }
                  hqtest::WaitUntil([this] { return stop_.load(); }, 20);  // then looks again
              }
          }) {}
    ~MessageBoxCloser() {
        stop_ = true;
        thread_.join();
    }
    int count() const { return count_; }
    std::wstring firstText() const { return firstText_; }

private:
    std::wstring firstText_;
    HWND answered_ = nullptr;  // the closer thread's own
    std::atomic<bool> stop_{false};
    std::atomic<int> count_{0};
    std::thread thread_;
};

class PngTest : public hqtest::PluginTest {
protected:
    static int ThreadCount() {
        HANDLE snap = ::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
        THREADENTRY32 entry{};
        entry.dwSize = sizeof entry;
        int n = 0;
        for (BOOL ok = ::Thread32First(snap, &entry); ok; ok = ::Thread32Next(snap, &entry))
            n += entry.th32OwnerProcessID == ::GetCurrentProcessId() ? 1 : 0;
        ::CloseHandle(snap);
        return n;
    }
    HWND Main() { return host().MainWindow(); }
    DWORD ExStyle() { return static_cast<DWORD>(::GetWindowLongW(Main(), GWL_EXSTYLE)); }
    // Waits until the main window is `width` wide and the screen shows
    // `colour` at `inside` (from its top-left corner); false at the deadline.
    bool Shows(int width, COLORREF colour, int inside) {
        return hqtest::WaitUntil([&] {
            RECT r;
            ::GetWindowRect(Main(), &r);
            return r.right - r.left == width && hqtest::ScreenPixel(r.left + inside, r.top + inside) == colour;
        });
    }
    // Borderless first, as the action's hint asks.
    // The window is the picture's width and shows `colour` near its corner.
    void ExpectShown(int width, COLORREF colour) {
        Shows(width, colour, 10);
        RECT r;
        ::GetWindowRect(Main(), &r);
        EXPECT_EQ(r.right - r.left, width);
        EXPECT_EQ(hqtest::ScreenPixel(r.left + 10, r.top + 10), colour);
    }
    void Prepare() { Exec(8); }
};

TEST_F(PngTest, PictureSetsTheHeightAndShowsOnScreen) {
    const std::string path = shapetest::WritePng("shape_red.png", 300, 200, [](int x, int) {
        return x < 150 ? 0xFFFF0000u : 0x00000000u;  // left half opaque red, right half transparent
    });
    Prepare();
    MessageBoxCloser closer;
    EXPECT_TRUE(Exec(45, {path}));
    EXPECT_EQ(host().Var("[PubHeight]"), "200");
    EXPECT_TRUE(ExStyle() & WS_EX_LAYERED);
    Shows(300, RGB(255, 0, 0), 20);
    RECT r;
    ::GetWindowRect(Main(), &r);
    EXPECT_EQ(r.right - r.left, 300);
    EXPECT_EQ(hqtest::ScreenPixel(r.left + 20, r.top + 20), RGB(255, 0, 0));
    EXPECT_EQ(closer.count(), 0) << "a window without extended styles is no failure";
}

TEST_F(PngTest, ASecondPictureReplacesTheFirst) {
    const std::string red = shapetest::WritePng("shape_a.png", 120, 80, [](int, int) { return 0xFFFF0000u; });
    const std::string blue = shapetest::WritePng("shape_b.png", 100, 60, [](int, int) { return 0xFF0000FFu; });
    Prepare();
    EXPECT_TRUE(Exec(45, {red}));
    EXPECT_TRUE(Exec(45, {blue}));
    EXPECT_EQ(host().Var("[PubHeight]"), "60");
    ExpectShown(100, RGB(0, 0, 255));
}

TEST_F(PngTest, CapitalExtensionAndMissingFilesAreRefused) {
    const std::string upper = shapetest::WritePng("shape_case.PNG", 10, 10, [](int, int) { return 0xFF000000u; });
    const std::string height = host().Var("[PubHeight]");
    const DWORD ex = ExStyle();
    EXPECT_FALSE(Exec(45, {upper}));
    EXPECT_FALSE(Exec(45, {hqtest::ExeDirPath("no_such.png")}));
    EXPECT_EQ(host().Var("[PubHeight]"), height);
    EXPECT_EQ(ExStyle(), ex);
}

TEST_F(PngTest, AFileThatDoesNotDecodeWritesZero) {
    const std::string path = shapetest::WriteFileBytes("shape_bad.png", {'n', 'o', 't', ' ', 'p', 'n', 'g'});
    Main();
    EXPECT_TRUE(Exec(45, {path}));
    EXPECT_EQ(host().Var("[PubHeight]"), "0");
}

TEST_F(PngTest, AFailedStyleChangeShowsTheSystemTextAndGoesOn) {
    const std::string path = shapetest::WritePng("shape_small.png", 40, 30, [](int, int) { return 0xFF00FF00u; });
    ::DestroyWindow(Main());  // the plug-in keeps the handle; SetWindowLongW now fails
    MessageBoxCloser closer;
    EXPECT_TRUE(Exec(45, {path}));
    EXPECT_EQ(closer.count(), 1);
    wchar_t* system = nullptr;
    ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, ERROR_INVALID_WINDOW_HANDLE, 0, reinterpret_cast<wchar_t*>(&system), 0, nullptr);
    const hq::UniqueLocal block(system);
    ASSERT_NE(system, nullptr);
    std::wstring expected(system);
    while (!expected.empty() && (expected.back() == L'\n' || expected.back() == L'\r' || expected.back() == L' '))
        expected.pop_back();
    EXPECT_EQ(closer.firstText(), expected);
    EXPECT_EQ(host().CallLog().back(), "set [PubHeight]=30");
}

TEST_F(PngTest, LoadUseAndUnloadAHundredTimes) {
    const std::string path = shapetest::WritePng("shape_loop.png", 64, 48, [](int x, int y) {
        return static_cast<uint32_t>(((x + y) * 4) & 0xFF) << 24 | 0x00336699u;
    });
    Prepare();
    const auto objects = host().LiveObjects();
    const size_t blocks = ledger().Live();
    const int threads = ThreadCount();
    for (int i = 0; i < 100; ++i) {
        host().Unload();
        ASSERT_TRUE(host().Load(hqtest::PluginPath())) << i;
        ASSERT_TRUE(Exec(45, {path})) << i;
        host().Message(6);
    }
    EXPECT_EQ(host().LiveObjects(), objects);
    EXPECT_EQ(ledger().Live(), blocks);
    EXPECT_EQ(host().Var("[PubHeight]"), "48");
    EXPECT_LE(ThreadCount(), threads) << "GDI+ left a thread running";
}

// A valid picture cut or spoilt in the ways a file on disk can be.

TEST_F(PngTest, AFileThatDoesNotDecodeLeavesTheWindowAsItWas) {
    const std::vector<uint8_t> good = hqtest::ReadBytes(
        shapetest::WritePng("shape_good.png", 64, 48, [](int x, int y) { return 0xFF000000u | (x * 4 << 16) | y * 5; }));
    ASSERT_GT(good.size(), 33u + 12u);
    std::vector<uint8_t> corrupt = good;
    for (size_t i = 41; i < corrupt.size() - 12; ++i) corrupt[i] ^= 0x5A;  // the picture data, not the header
    const struct {
        const char* name;
        std::vector<uint8_t> bytes;
    } files[] = {
        {"empty", {}},
        {"bare signature", std::vector<uint8_t>(good.begin(), good.begin() + 8)},
        {"header only", std::vector<uint8_t>(good.begin(), good.begin() + 33)},
        {"truncated", std::vector<uint8_t>(good.begin(), good.begin() + good.size() / 2)},
        {"corrupt data", corrupt},
        {"not a picture", {'n', 'o', 't', ' ', 'p', 'n', 'g'}},
    };
    Prepare();
    const DWORD ex = ExStyle();
    ASSERT_FALSE(ex & WS_EX_LAYERED);
    for (const auto& f : files) {
        const std::string path = shapetest::WriteFileBytes("shape_broken.png", f.bytes);
        host().SetVar("[PubHeight]", "77");
        EXPECT_TRUE(Exec(45, {path})) << f.name;
        EXPECT_EQ(host().Var("[PubHeight]"), "0") << f.name;
        EXPECT_EQ(ExStyle(), ex) << f.name << ": the window must stay drawn";
    }
}

BOOL WINAPI RefuseUpdate(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*, DWORD) {
    ::SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
}

// The flags of every RedrawWindow call, forwarded to the system.
std::vector<UINT> redrawFlags;
void* forwardRedraw = nullptr;
BOOL WINAPI SpyRedraw(HWND w, const RECT* rect, HRGN region, UINT flags) {
    redrawFlags.push_back(flags);
    return reinterpret_cast<decltype(&::RedrawWindow)>(forwardRedraw)(w, rect, region, flags);
}

// The window given back its old layering has a new surface: it is repainted
// with its child windows, as after taking the colour key away.
TEST_F(PngTest, PictureShowsAfterAColourKeyAndARefusedUpdateKeepsTheKey) {
    const std::string path = shapetest::WritePng("shape_keyed.png", 120, 80, [](int, int) { return 0xFF0000FFu; });
    Prepare();
    ASSERT_TRUE(Exec(21, {"255", "0", "255"}));
    {
        hqtest::ImportPatch refuse(host().Module(), "UpdateLayeredWindow", reinterpret_cast<void*>(&RefuseUpdate));
        hqtest::ImportPatch redraw(host().Module(), "RedrawWindow", reinterpret_cast<void*>(&SpyRedraw));
        ASSERT_TRUE(refuse.installed() && redraw.installed());
        forwardRedraw = redraw.previous();
        redrawFlags.clear();
        EXPECT_EQ(ExecError(45, {path}), hq::SystemErrorText(ERROR_INVALID_PARAMETER));
        EXPECT_EQ(redrawFlags, std::vector<UINT>{RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN});
    }
    COLORREF key = 0;
    EXPECT_TRUE(::GetLayeredWindowAttributes(Main(), &key, nullptr, nullptr)) << "the colour key is put back";
    EXPECT_EQ(key, RGB(255, 0, 255));

    EXPECT_TRUE(Exec(45, {path}));
    EXPECT_EQ(host().Var("[PubHeight]"), "80");
    ExpectShown(120, RGB(0, 0, 255));
}

// The paths the existence check sees.
std::vector<std::wstring> checkedWide;
int checkedNarrow = 0;
void* forwardAttributes = nullptr;
DWORD WINAPI SpyAttributesW(const wchar_t* path) {
    checkedWide.emplace_back(path);
    return reinterpret_cast<decltype(&::GetFileAttributesW)>(forwardAttributes)(path);
}
DWORD WINAPI SpyAttributesA(const char*) { return ++checkedNarrow, INVALID_FILE_ATTRIBUTES; }

TEST_F(PngTest, ThePathIsCheckedWithTheConversionItIsOpenedWith) {
    // "картинка" in Windows-1251: a conversion other than the load's could name another file.
    const std::string path = shapetest::WritePng("\xEA\xE0\xF0\xF2\xE8\xED\xEA\xE0.png", 20, 10,
                                                 [](int, int) { return 0xFFFF0000u; });
    Prepare();
    hqtest::ImportPatch wide(host().Module(), "GetFileAttributesW", reinterpret_cast<void*>(&SpyAttributesW));
    hqtest::ImportPatch narrow(host().Module(), "GetFileAttributesA", reinterpret_cast<void*>(&SpyAttributesA));
    ASSERT_TRUE(wide.installed());
    forwardAttributes = wide.previous();
    EXPECT_TRUE(Exec(45, {path})) << "the file as the test sees it: narrow attributes "
                                  << ::GetFileAttributesA(path.c_str()) << ", wide attributes "
                                  << ::GetFileAttributesW(hq::WidenFileName(path).c_str());
    EXPECT_EQ(host().Var("[PubHeight]"), "10");
    EXPECT_EQ(checkedNarrow, 0);
    EXPECT_EQ(checkedWide, std::vector<std::wstring>{hq::WidenFileName(path)});
}

}  // namespace
