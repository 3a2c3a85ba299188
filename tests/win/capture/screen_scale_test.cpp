// Captures and the pixel query on a display scaled to 150 % seen from a host
// that is not DPI-aware: the system's answers are substituted (the screen here
// is 1024 x 768 with no scaling), once through the DPI-aware thread context of
// newer systems and once through the screen context's desktop size of older
// ones. The author's coordinates are in the scaled-down units.
#include "capture_support.h"

#include <set>

#include "import_patch.h"

namespace {

using namespace captest;
using hqtest::ImportPatch;

constexpr int kLogicalW = 1024, kLogicalH = 768, kPhysicalW = 1536, kPhysicalH = 1152;
const HANDLE kUnaware = reinterpret_cast<HANDLE>(static_cast<intptr_t>(-1));

// What the spies answer and record.
struct SystemState {
    bool offerThreadContext = false;  // SetThreadDpiAwarenessContext exists
    bool askedForThreadContext = false;
    HANDLE context = kUnaware;        // the thread's context as the fake function keeps it
    std::vector<intptr_t> contextCalls;
    void* getProcAddress = nullptr;
    void* getSystemMetrics = nullptr;
    void* getDeviceCaps = nullptr;
} state;

bool Aware() { return state.context != kUnaware; }

HANDLE WINAPI FakeSetThreadDpiAwarenessContext(HANDLE context) {
    state.contextCalls.push_back(reinterpret_cast<intptr_t>(context));
    const HANDLE previous = state.context;
    state.context = context;
    return previous;
}

FARPROC WINAPI SpyGetProcAddress(HMODULE module, LPCSTR name) {
    if (HIWORD(reinterpret_cast<uintptr_t>(name)) && std::string(name) == "SetThreadDpiAwarenessContext") {
        state.askedForThreadContext = true;
        return state.offerThreadContext ? reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&FakeSetThreadDpiAwarenessContext)) : nullptr;
    }
    return reinterpret_cast<decltype(&::GetProcAddress)>(state.getProcAddress)(module, name);
}

// Scaled-down metrics unless the thread is DPI-aware.
int WINAPI SpyGetSystemMetrics(int index) {
    if (index == SM_CXSCREEN) return Aware() ? kPhysicalW : kLogicalW;
    if (index == SM_CYSCREEN) return Aware() ? kPhysicalH : kLogicalH;
    return reinterpret_cast<decltype(&::GetSystemMetrics)>(state.getSystemMetrics)(index);
}

// The screen context of an older system: the desktop in physical pixels, the rest scaled down.
int WINAPI SpyGetDeviceCaps(HDC dc, int index) {
    switch (index) {
    case HORZRES: return kLogicalW;
    case VERTRES: return kLogicalH;
    case DESKTOPHORZRES: return kPhysicalW;
    case DESKTOPVERTRES: return kPhysicalH;
    }
    return reinterpret_cast<decltype(&::GetDeviceCaps)>(state.getDeviceCaps)(dc, index);
}

enum class System { ThreadContext, DesktopSize };

class ScaledScreenTest : public CaptureTest, public ::testing::WithParamInterface<System> {
protected:
    void SetUp() override {
        CaptureTest::SetUp();
        state = SystemState{};
        state.offerThreadContext = GetParam() == System::ThreadContext;
        patches_.push_back(Patch("GetProcAddress", &SpyGetProcAddress, state.getProcAddress));
        patches_.push_back(Patch("GetSystemMetrics", &SpyGetSystemMetrics, state.getSystemMetrics));
        if (GetParam() == System::DesktopSize)
            patches_.push_back(Patch("GetDeviceCaps", &SpyGetDeviceCaps, state.getDeviceCaps));
    }
    void TearDown() override {
        patches_.clear();
        EXPECT_TRUE(state.askedForThreadContext) << "looked up at run time";
        EXPECT_FALSE(Aware()) << "the thread's context is put back";
        if (GetParam() == System::ThreadContext) {
            ASSERT_FALSE(state.contextCalls.empty());
            EXPECT_EQ(state.contextCalls.front(), -4) << "per-monitor aware (second version)";
        } else {
            EXPECT_TRUE(state.contextCalls.empty());
        }
        CaptureTest::TearDown();
    }
    template <typename F>
    std::unique_ptr<ImportPatch> Patch(const char* name, F spy, void*& previous) {
        auto patch = std::make_unique<ImportPatch>(host().Module(), name, reinterpret_cast<void*>(spy));
        EXPECT_TRUE(patch->installed()) << name;
        previous = patch->previous();
        return patch;
    }
    std::vector<std::unique_ptr<ImportPatch>> patches_;
};

TEST_P(ScaledScreenTest, DesktopCapturesHoldTheWholePhysicalScreen) {
    Painted(nullptr, WS_POPUP | WS_VISIBLE, 300, 200, 120, 60);
    ASSERT_TRUE(Exec(2, {Path("desk.bmp")}));
    const bmp::Image img = ReadPicture(Path("desk.bmp"));
    EXPECT_EQ(img.width, kPhysicalW);
    EXPECT_EQ(img.height, kPhysicalH);
    if (GetParam() == System::DesktopSize) {  // copied 1:1 from the real screen here
        EXPECT_EQ(bmp::PixelRgb(img, 310, 230), Rgb(kLeftColour));
        EXPECT_EQ(bmp::PixelRgb(img, 410, 230), Rgb(kRightColour));
    }
    ASSERT_TRUE(Exec(1, {Path("desk.jpg"), "80"}));
    const JpegInfo info = ParseJpeg(ReadBytes(Path("desk.jpg")));
    EXPECT_EQ(info.width, kPhysicalW);
    EXPECT_EQ(info.height, kPhysicalH);
}

// A window at physical (15, 30), 60 x 90: its left half spans x 15..44, its right half 45..74.
TEST_P(ScaledScreenTest, RectangleAndPixelAreReadWhereTheAuthorPointed) {
    Painted(nullptr, WS_POPUP | WS_VISIBLE, 15, 30, 60, 90);
    // Logical (10, 20) 30 x 40 is physical (15, 30) 45 x 60.
    ASSERT_TRUE(Exec(5, {Path("r.bmp"), "10", "20", "30", "40"}));
    const bmp::Image img = ReadPicture(Path("r.bmp"));
    ASSERT_EQ(img.width, 45);
    ASSERT_EQ(img.height, 60);
    for (int y : {0, 59})
        for (int x = 0; x < 45; ++x) ASSERT_EQ(bmp::PixelRgb(img, x, y), Rgb(x < 30 ? kLeftColour : kRightColour));

    const struct {
        const char *x, *y, *rgb;
    } pixels[] = {
        {"10", "20", "220,30,40"},  // physical (15, 30): the window's corner
        {"29", "59", "220,30,40"},  // physical (44, 89): the left half's last column
        {"30", "20", "20,60,200"},  // physical (45, 30): the right half's first column
        {"49", "79", "20,60,200"},  // physical (74, 119): the window's last pixel
    };
    for (const auto& c : pixels) {
        Exec(27, {c.x, c.y, "[Pixel]"});
        EXPECT_EQ(host().Var("[Pixel]"), c.rgb) << c.x << "," << c.y;
    }
}

INSTANTIATE_TEST_SUITE_P(Systems, ScaledScreenTest, ::testing::Values(System::ThreadContext, System::DesktopSize),
                         [](const auto& info) {
                             return info.param == System::ThreadContext ? "ThreadContext" : "DesktopSize";
                         });

// The library must load where the DPI functions do not exist.
TEST_F(CaptureTest, ImportTableNamesNoDpiFunction) {
    const std::set<std::string> newer = {
        "SetThreadDpiAwarenessContext", "GetThreadDpiAwarenessContext", "SetProcessDpiAwarenessContext",
        "IsValidDpiAwarenessContext",   "GetDpiForWindow",              "GetDpiForSystem",
        "GetSystemMetricsForDpi",       "SetProcessDpiAwareness",       "GetDpiForMonitor",
        "LogicalToPhysicalPointForPerMonitorDPI", "PhysicalToLogicalPointForPerMonitorDPI"};
    auto* base = reinterpret_cast<const BYTE*>(host().Module());
    auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const auto& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* imp = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); imp->Name; ++imp) {
        auto* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + imp->OriginalFirstThunk);
        for (; imp->OriginalFirstThunk && names->u1.AddressOfData; ++names) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            const char* name = reinterpret_cast<const char*>(
                reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData)->Name);
            EXPECT_FALSE(newer.count(name)) << "imports " << name;
        }
    }
}

}  // namespace
