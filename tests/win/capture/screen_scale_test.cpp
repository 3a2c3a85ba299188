// Captures and the pixel query on a display scaled to 150 % seen from a host
// that is not DPI-aware, with the system's answers substituted (the screen
// here is 1024 x 768, unscaled): once through the DPI-aware thread context of
// newer systems, once through the screen context's desktop size of older ones.
#include "capture_support.h"

#include <utility>

#include "import_patch.h"

namespace {

using namespace captest;

constexpr int kLogicalW = 1024, kLogicalH = 768, kPhysicalW = 1536, kPhysicalH = 1152;
const HANDLE kUnaware = reinterpret_cast<HANDLE>(static_cast<intptr_t>(-1));

struct {
    bool offerContext = false;  // whether SetThreadDpiAwarenessContext exists
    HANDLE context = kUnaware;  // the thread's context as the substitute keeps it
    std::vector<intptr_t> contextCalls;
    void *getProcAddress = nullptr, *getSystemMetrics = nullptr, *getDeviceCaps = nullptr;
} fake;

HANDLE WINAPI FakeSetThreadDpiAwarenessContext(HANDLE context) {
    fake.contextCalls.push_back(reinterpret_cast<intptr_t>(context));
    return std::exchange(fake.context, context);
}

FARPROC WINAPI SpyGetProcAddress(HMODULE module, LPCSTR name) {
    if (HIWORD(reinterpret_cast<uintptr_t>(name)) && std::string(name) == "SetThreadDpiAwarenessContext")
        return fake.offerContext ? reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&FakeSetThreadDpiAwarenessContext))
                                 : nullptr;
    return reinterpret_cast<decltype(&::GetProcAddress)>(fake.getProcAddress)(module, name);
}

// Scaled-down metrics unless the thread is DPI-aware.
int WINAPI SpyGetSystemMetrics(int index) {
    const bool aware = fake.context != kUnaware;
    if (index == SM_CXSCREEN) return aware ? kPhysicalW : kLogicalW;
    if (index == SM_CYSCREEN) return aware ? kPhysicalH : kLogicalH;
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

}  // namespace
