// Captures and the pixel query on a display scaled to 150 % seen from a host
// that is not DPI-aware, with the system's answers substituted (the screen
// here is 1024 x 768, unscaled): once through the DPI-aware thread context of
// newer systems, once through the screen context's desktop size of older ones.
// Then what only newer systems answer: a desktop of several monitors squeezed
// into the primary's size, a window's visible frame as the desktop window
// manager reports it, and the per-monitor mapping of the author's points.
#include "capture_support.h"

#include <memory>
#include <utility>

#include "import_patch.h"

namespace {

using namespace captest;

constexpr int kLogicalW = 1024, kLogicalH = 768, kPhysicalW = 1536, kPhysicalH = 1152;
const HANDLE kUnaware = reinterpret_cast<HANDLE>(static_cast<intptr_t>(-1));

// Where a Windows function the plug-in looks up is answered by a substitute:
// what the substitute answers and how it was called.
enum class Dwm { Absent, NoFunction, Refuses, Inset };
struct {
    bool offerContext = false;  // whether SetThreadDpiAwarenessContext exists
    HANDLE context = kUnaware;  // the thread's context as the substitute keeps it
    std::vector<intptr_t> contextCalls;
    SIZE logical{kLogicalW, kLogicalH}, physical{kPhysicalW, kPhysicalH};  // the primary screen's metrics
    bool offerMapping = false;  // whether LogicalToPhysicalPointForPerMonitorDPI exists
    std::vector<std::string> mappings;  // "aware" or "unaware", and whether the host main window was given
    HWND mainWindow = nullptr;
    Dwm dwm = Dwm::Absent;
    HWND shrunk = nullptr;  // a per-monitor-aware window at 150 %, as an unaware thread sees it
    std::vector<bool> frameBoundsAware;
    void *getProcAddress = nullptr, *getSystemMetrics = nullptr, *getDeviceCaps = nullptr, *loadLibrary = nullptr,
         *getWindowRect = nullptr;
} fake;

HANDLE WINAPI FakeSetThreadDpiAwarenessContext(HANDLE context) {
    fake.contextCalls.push_back(reinterpret_cast<intptr_t>(context));
    return std::exchange(fake.context, context);
}

// A monitor left of the primary, at twice the scale: logical x -100..-1 are
// physical 0..199 here, so that its pixels are on this screen. Points on the
// primary are outside the window the mapping is asked for, which it refuses.
BOOL WINAPI FakeLogicalToPhysicalPoint(HWND window, POINT* point) {
    fake.mappings.push_back(std::string(fake.context == kUnaware ? "unaware" : "aware") +
                            (window == fake.mainWindow ? " main" : " other"));
    if (point->x >= 0) return FALSE;
    *point = POINT{2 * (point->x + 100), 2 * point->y};
    return TRUE;
}

// DWMWA_EXTENDED_FRAME_BOUNDS: the window without the invisible resize
// borders, 7 pixels at left, right and bottom.
HRESULT WINAPI FakeDwmGetWindowAttribute(HWND window, DWORD attribute, void* value, DWORD size) {
    fake.frameBoundsAware.push_back(fake.context != kUnaware);
    if (fake.dwm == Dwm::Refuses || attribute != 9 || size != sizeof(RECT)) return E_FAIL;
    RECT* r = static_cast<RECT*>(value);
    reinterpret_cast<decltype(&::GetWindowRect)>(fake.getWindowRect)(window, r);
    r->left += 7, r->right -= 7, r->bottom -= 7;
    return S_OK;
}

FARPROC WINAPI SpyGetProcAddress(HMODULE module, LPCSTR name) {
    const auto fn = [](auto* f) { return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(f)); };
    const std::string named = HIWORD(reinterpret_cast<uintptr_t>(name)) ? name : "";
    if (named == "SetThreadDpiAwarenessContext")
        return fake.offerContext ? fn(&FakeSetThreadDpiAwarenessContext) : nullptr;
    if (named == "LogicalToPhysicalPointForPerMonitorDPI")
        return fake.offerMapping ? fn(&FakeLogicalToPhysicalPoint) : nullptr;
    if (named == "DwmGetWindowAttribute")
        return fake.dwm == Dwm::Absent || fake.dwm == Dwm::NoFunction ? nullptr : fn(&FakeDwmGetWindowAttribute);
    return reinterpret_cast<decltype(&::GetProcAddress)>(fake.getProcAddress)(module, name);
}

// No desktop window manager library where it is absent.
HMODULE WINAPI SpyLoadLibraryW(LPCWSTR name) {
    const std::wstring file = name;
    if (fake.dwm == Dwm::Absent && file.size() >= 10 && _wcsicmp(file.c_str() + file.size() - 10, L"dwmapi.dll") == 0) {
        ::SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    return reinterpret_cast<decltype(&::LoadLibraryW)>(fake.loadLibrary)(name);
}

// An unaware thread sees the shrunk window at two thirds of its size.
BOOL WINAPI SpyGetWindowRect(HWND window, RECT* r) {
    const BOOL ok = reinterpret_cast<decltype(&::GetWindowRect)>(fake.getWindowRect)(window, r);
    if (ok && window == fake.shrunk && fake.context == kUnaware)
        *r = RECT{r->left * 2 / 3, r->top * 2 / 3, r->right * 2 / 3, r->bottom * 2 / 3};
    return ok;
}

// Scaled-down metrics unless the thread is DPI-aware.
int WINAPI SpyGetSystemMetrics(int index) {
    const bool aware = fake.context != kUnaware;
    if (index == SM_CXSCREEN) return aware ? fake.physical.cx : fake.logical.cx;
    if (index == SM_CYSCREEN) return aware ? fake.physical.cy : fake.logical.cy;
    return reinterpret_cast<decltype(&::GetSystemMetrics)>(fake.getSystemMetrics)(index);
}

// An older system's screen context: the desktop in pixels, the rest scaled down.
int WINAPI SpyGetDeviceCaps(HDC dc, int index) {
    if (index == HORZRES || index == VERTRES) return index == HORZRES ? kLogicalW : kLogicalH;
    if (index == DESKTOPHORZRES || index == DESKTOPVERTRES) return index == DESKTOPHORZRES ? kPhysicalW : kPhysicalH;
    return reinterpret_cast<decltype(&::GetDeviceCaps)>(fake.getDeviceCaps)(dc, index);
}

class ScaledScreenTest : public CaptureTest, public ::testing::WithParamInterface<bool> {};

// A window at physical (15, 30), 60 x 90: its left half spans x 15..44, its right half 45..74.
TEST_P(ScaledScreenTest, DesktopIsWholeAndRectangleAndPixelAreWhereTheAuthorPointed) {
    fake = {};
    fake.offerContext = GetParam();
    Painted(nullptr, WS_POPUP | WS_VISIBLE, 15, 30, 60, 90);
    {
        hqtest::ImportPatch procs(host().Module(), "GetProcAddress", reinterpret_cast<void*>(&SpyGetProcAddress));
        hqtest::ImportPatch metrics(host().Module(), "GetSystemMetrics", reinterpret_cast<void*>(&SpyGetSystemMetrics));
        hqtest::ImportPatch caps(host().Module(), "GetDeviceCaps", reinterpret_cast<void*>(&SpyGetDeviceCaps));
        ASSERT_TRUE(procs.installed() && metrics.installed() && caps.installed());
        fake.getProcAddress = procs.previous(), fake.getSystemMetrics = metrics.previous();
        fake.getDeviceCaps = caps.previous();

        ASSERT_TRUE(Exec(2, {Path("desk.bmp")}));
        ASSERT_TRUE(Exec(1, {Path("desk.jpg"), "80"}));
        ASSERT_TRUE(Exec(5, {Path("r.bmp"), "10", "20", "30", "40"}));  // physical (15, 30), 45 x 60
        const char* pixels[][3] = {{"10", "20", "220,30,40"},   // physical (15, 30)
                                   {"29", "59", "220,30,40"},   // physical (44, 89)
                                   {"30", "20", "20,60,200"},   // physical (45, 30)
                                   {"49", "79", "20,60,200"}};  // physical (74, 119)
        for (const auto& c : pixels) {
            Exec(27, {c[0], c[1], "[Pixel]"});
            EXPECT_EQ(host().Var("[Pixel]"), c[2]) << c[0] << "," << c[1];
        }
    }
    const bmp::Image desk = ReadPicture(Path("desk.bmp"));
    EXPECT_EQ(desk.width, kPhysicalW);
    EXPECT_EQ(desk.height, kPhysicalH);
    const JpegInfo jpeg = ParseJpeg(ReadBytes(Path("desk.jpg")));
    EXPECT_EQ(jpeg.width, kPhysicalW);
    EXPECT_EQ(jpeg.height, kPhysicalH);
    const bmp::Image rect = ReadPicture(Path("r.bmp"));
    ASSERT_EQ(rect.width, 45);
    ASSERT_EQ(rect.height, 60);
    for (int y : {0, 59})
        for (int x = 0; x < 45; ++x) ASSERT_EQ(bmp::PixelRgb(rect, x, y), Rgb(x < 30 ? kLeftColour : kRightColour));

    EXPECT_EQ(fake.context, kUnaware) << "the thread's context is put back";
    if (GetParam()) {
        EXPECT_EQ(fake.contextCalls.at(0), -4) << "per-monitor aware, second version";
    }

    // Found at run time only: the library must still load where the function is missing.
    auto* base = reinterpret_cast<const BYTE*>(host().Module());
    auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    auto* imp = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(
        base + nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress);
    for (; imp->Name; ++imp)
        for (auto* t = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + imp->OriginalFirstThunk); t->u1.AddressOfData; ++t) {
            if (IMAGE_SNAP_BY_ORDINAL(t->u1.Ordinal)) continue;
            const std::string name = reinterpret_cast<const char*>(base + t->u1.AddressOfData + 2);
            EXPECT_EQ(name.find("Dpi"), std::string::npos) << name;
        }
}

INSTANTIATE_TEST_SUITE_P(ThreadContextOrDesktopSize, ScaledScreenTest, ::testing::Bool());

// The substitutes of a newer system, the thread's context and the screen's
// metrics included, for one test.
class NewerSystemTest : public CaptureTest {
protected:
    void SetUp() override {
        CaptureTest::SetUp();
        fake = {};
        fake.offerContext = true;
        fake.logical = fake.physical = SIZE{::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
        fake.mainWindow = host().MainWindow();
        const std::pair<const char*, void*> spies[] = {
            {"GetProcAddress", reinterpret_cast<void*>(&SpyGetProcAddress)},
            {"GetSystemMetrics", reinterpret_cast<void*>(&SpyGetSystemMetrics)},
            {"LoadLibraryW", reinterpret_cast<void*>(&SpyLoadLibraryW)},
            {"GetWindowRect", reinterpret_cast<void*>(&SpyGetWindowRect)}};
        for (const auto& [name, spy] : spies) {
            patches_.push_back(std::make_unique<hqtest::ImportPatch>(host().Module(), name, spy));
            ASSERT_TRUE(patches_.back()->installed()) << name;
        }
        fake.getProcAddress = patches_[0]->previous(), fake.getSystemMetrics = patches_[1]->previous();
        fake.loadLibrary = patches_[2]->previous(), fake.getWindowRect = patches_[3]->previous();
    }
    void TearDown() override {
        patches_.clear();
        CaptureTest::TearDown();
    }
    std::vector<std::unique_ptr<hqtest::ImportPatch>> patches_;
};

// The calls that decide how a scaling copy merges pixels, in order: "mode N"
// (SetStretchBltMode), "origin" (SetBrushOrgEx), "stretch N" (StretchBlt, with
// the mode then in force on its target).
std::vector<std::string> g_stretch;
void *g_setMode = nullptr, *g_setOrigin = nullptr, *g_stretchBlt = nullptr;
int WINAPI SpySetStretchBltMode(HDC dc, int mode) {
    g_stretch.push_back("mode " + std::to_string(mode));
    return reinterpret_cast<decltype(&::SetStretchBltMode)>(g_setMode)(dc, mode);
}
BOOL WINAPI SpySetBrushOrgEx(HDC dc, int x, int y, POINT* previous) {
    g_stretch.push_back("origin");
    return reinterpret_cast<decltype(&::SetBrushOrgEx)>(g_setOrigin)(dc, x, y, previous);
}
BOOL WINAPI SpyStretchBlt(HDC dc, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh, DWORD rop) {
    g_stretch.push_back("stretch " + std::to_string(::GetStretchBltMode(dc)));
    return reinterpret_cast<decltype(&::StretchBlt)>(g_stretchBlt)(dc, x, y, w, h, src, sx, sy, sw, sh, rop);
}

// Several monitors: the desktop the screen context reaches is larger than the
// primary screen and is squeezed into its size. A fresh memory context
// stretches in BLACKONWHITE mode, which ANDs the pixels it merges (dark
// pictures); HALFTONE averages them and wants the brush origin set after it.
TEST_F(NewerSystemTest, SqueezedDesktopIsHalftonedNotDarkened) {
    fake.logical = fake.physical = SIZE{::GetSystemMetrics(SM_CXSCREEN) / 2, ::GetSystemMetrics(SM_CYSCREEN) / 2};
    hqtest::ImportPatch mode(host().Module(), "SetStretchBltMode", reinterpret_cast<void*>(&SpySetStretchBltMode));
    hqtest::ImportPatch origin(host().Module(), "SetBrushOrgEx", reinterpret_cast<void*>(&SpySetBrushOrgEx));
    hqtest::ImportPatch stretch(host().Module(), "StretchBlt", reinterpret_cast<void*>(&SpyStretchBlt));
    ASSERT_TRUE(mode.installed() && origin.installed() && stretch.installed());
    g_setMode = mode.previous(), g_setOrigin = origin.previous(), g_stretchBlt = stretch.previous();
    g_stretch.clear();
    ASSERT_TRUE(Exec(2, {Path("squeezed.bmp")}));
    EXPECT_EQ(g_stretch, (std::vector<std::string>{"mode 4", "origin", "stretch 4"}));
    EXPECT_EQ(ReadPicture(Path("squeezed.bmp")).width, fake.physical.cx);

    g_stretch.clear();  // one monitor: a copy of equal sizes does not stretch
    fake.logical = fake.physical = SIZE{::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    ASSERT_TRUE(Exec(2, {Path("whole.bmp")}));
    EXPECT_EQ(g_stretch, std::vector<std::string>{});
}

// A sizable window of another, per-monitor-aware program at 150 %: measured
// in the host's context it would be cut to two thirds; and its visible frame
// leaves out the invisible resize borders where the system reports it.
TEST_F(NewerSystemTest, WindowIsItsVisibleFrameAtItsRealSize) {
    const HWND hwnd = Painted(nullptr, WS_POPUP | WS_VISIBLE, 120, 90, 90, 60);  // halves at x 0..44, 45..89
    fake.shrunk = hwnd;
    const std::string handle = std::to_string(reinterpret_cast<uintptr_t>(hwnd));
    const struct {
        const char* what;
        Dwm dwm;
        int width, height, left;  // the picture and where it starts in the window
    } table[] = {
        {"no desktop window manager", Dwm::Absent, 90, 60, 0},
        {"no attribute function", Dwm::NoFunction, 90, 60, 0},
        {"frame bounds refused", Dwm::Refuses, 90, 60, 0},
        {"frame bounds reported", Dwm::Inset, 76, 53, 7},
    };
    for (const auto& c : table) {
        fake.dwm = c.dwm;
        fake.frameBoundsAware.clear();
        ASSERT_TRUE(Exec(3, {handle, Path("w.bmp")})) << c.what;
        const bmp::Image img = ReadPicture(Path("w.bmp"));
        ASSERT_EQ(img.width, c.width) << c.what;
        ASSERT_EQ(img.height, c.height) << c.what;
        for (int y : {0, c.height - 1})
            for (int x = 0; x < c.width; ++x)
                ASSERT_EQ(bmp::PixelRgb(img, x, y), Rgb(x + c.left < 45 ? kLeftColour : kRightColour))
                    << c.what << " at " << x << "," << y;
        EXPECT_EQ(fake.frameBoundsAware, std::vector<bool>(c.dwm >= Dwm::Refuses ? 1 : 0, true)) << c.what;
    }
    EXPECT_EQ(fake.context, kUnaware) << "the thread's context is put back";
}

// The author's points on a monitor of another scale follow the system's
// per-monitor mapping for the host main window, asked in the host's own
// context; where it refuses a point the primary screen's scale holds.
TEST_F(NewerSystemTest, RectangleAndPixelFollowThePerMonitorMapping) {
    Painted(nullptr, WS_POPUP | WS_VISIBLE, 15, 30, 60, 90);  // halves at x 15..44, 45..74
    fake.offerMapping = true;
    ASSERT_TRUE(Exec(5, {Path("r.bmp"), "-92", "15", "15", "20"}));  // physical (16, 30) to (46, 70)
    const bmp::Image rect = ReadPicture(Path("r.bmp"));
    ASSERT_EQ(rect.width, 30);
    ASSERT_EQ(rect.height, 40);
    for (int y : {0, 39})
        for (int x = 0; x < 30; ++x) ASSERT_EQ(bmp::PixelRgb(rect, x, y), Rgb(x < 29 ? kLeftColour : kRightColour));
    const char* pixels[][3] = {{"-90", "20", "220,30,40"},   // physical (20, 40)
                               {"-70", "50", "20,60,200"},   // physical (60, 100)
                               {"20", "40", "220,30,40"},    // refused: as it is on the unscaled primary
                               {"50", "40", "20,60,200"}};
    for (const auto& c : pixels) {
        Exec(27, {c[0], c[1], "[Pixel]"});
        EXPECT_EQ(host().Var("[Pixel]"), c[2]) << c[0] << "," << c[1];
    }
    EXPECT_EQ(fake.mappings, std::vector<std::string>(6, "unaware main"));
}

}  // namespace
