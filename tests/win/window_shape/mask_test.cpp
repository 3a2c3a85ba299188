// fzSetWindowMask on the stand-in host's main window: the region it sets,
// compared rectangle for rectangle with the run-by-run reference.
#include <gtest/gtest.h>

#include <memory>

#include "../../../bench/win/region_reference.h"
#include "bmp_craft.h"
#include "import_patch.h"
#include "shape_files.h"

namespace {

// Region calls of the plug-in that fail on their n-th call.
struct RegionSpies {
    int combineCalls = 0, createCalls = 0;
    int failCombineAt = 0, failCreateAt = 0;
    void* realCombine = nullptr;
    void* realCreate = nullptr;
};
RegionSpies g;

int WINAPI SpyCombineRgn(HRGN dst, HRGN a, HRGN b, int mode) {
    if (++g.combineCalls == g.failCombineAt) return ERROR;
    return reinterpret_cast<decltype(&::CombineRgn)>(g.realCombine)(dst, a, b, mode);
}

HRGN WINAPI SpyExtCreateRegion(const XFORM* xform, DWORD size, const RGNDATA* data) {
    if (++g.createCalls == g.failCreateAt) return nullptr;
    return reinterpret_cast<decltype(&::ExtCreateRegion)>(g.realCreate)(xform, size, data);
}

class MaskTest : public hqtest::PluginTest {
protected:
    HWND Main() { return host().MainWindow(); }
    DWORD Style() { return static_cast<DWORD>(::GetWindowLongW(Main(), GWL_STYLE)); }
    // The window's region as GetRegionData bytes; empty when it has none.
    std::vector<char> WindowRegion(int* type = nullptr) {
        HRGN r = ::CreateRectRgn(0, 0, 0, 0);
        const int t = ::GetWindowRgn(Main(), r);
        if (type) *type = t;
        std::vector<char> bytes = t == ERROR ? std::vector<char>() : hqref::RegionBytes(r);
        ::DeleteObject(r);
        return bytes;
    }
    void ExpectSameAsReference(const std::string& path) {
        HRGN ref = hqref::ReferenceMaskRegion(path);
        ASSERT_NE(ref, nullptr);
        EXPECT_EQ(WindowRegion(), hqref::RegionBytes(ref)) << path;
        ::DeleteObject(ref);
    }
};

TEST_F(MaskTest, AllWhiteGivesAnEmptyRegionAndClearsTheFrame) {
    const std::string path = shapetest::WriteMask("mask_white.bmp", {"....", "....", "...."});
    const DWORD before = Style();
    EXPECT_TRUE(Exec(20, {path}));
    int type = 0;
    WindowRegion(&type);
    EXPECT_EQ(type, NULLREGION);
    EXPECT_TRUE(::IsWindow(Main()));
    EXPECT_EQ(Style(), before & ~static_cast<DWORD>(WS_THICKFRAME | WS_CAPTION));
}

TEST_F(MaskTest, AllBlackGivesTheBitmapsRectangle) {
    const std::string path = shapetest::WriteMask("mask_black.bmp", 120, 90, [](int, int) { return 0u; });
    EXPECT_TRUE(Exec(20, {path}));
    HRGN r = ::CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(::GetWindowRgn(Main(), r), SIMPLEREGION);
    RECT box;
    ::GetRgnBox(r, &box);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.right, 120);
    EXPECT_EQ(box.bottom, 90);
    ::DeleteObject(r);
}

TEST_F(MaskTest, RunsMatchTheReferenceRectangleForRectangle) {
    // Single pixels, runs reaching the right edge, equal rows that the system joins into one band.
    const std::string path =
        shapetest::WriteMask("mask_runs.bmp", {"#.#.#.#", "..#####", "~......", "###.###", "###.###", "......#"});
    ASSERT_TRUE(Exec(20, {path}));
    ExpectSameAsReference(path);
}

TEST_F(MaskTest, ShapesAndDitherMatchTheReference) {
    const std::string disc = shapetest::WriteMask("mask_disc.bmp", 160, 120, [](int x, int y) {
        const int dx = x - 80, dy = y - 60;
        return dx * dx + dy * dy < 55 * 55 ? 0x000000u : 0xFFFFFFu;
    });
    ASSERT_TRUE(Exec(20, {disc}));
    ExpectSameAsReference(disc);
    // More runs than one chunk of the builder, in odd counts per row.
    const std::string dither = shapetest::WriteMask("mask_dither.bmp", 203, 67, [](int x, int y) {
        return ((x * 7 + y * 13) % 5 < 2) ? 0x102030u : 0xFFFFFFu;
    });
    ASSERT_TRUE(Exec(20, {dither}));
    ExpectSameAsReference(dither);
}

TEST_F(MaskTest, EveryBitDepthReadsAsTheSystemReadsIt) {
    for (int bpp : {1, 4, 8, 16, 24, 32}) {
        const std::string path = shapetest::WriteFileBytes(
            "mask_depth" + std::to_string(bpp) + ".bmp", bmptest::MakeBmp(37, 23, [bpp](int x, int y) {
                const int k = (x * 5 + y * 3 + x * y) % 7;
                if (bpp == 1) return k < 3 ? 0x000000u : 0xFFFFFFu;
                return k < 2 ? 0x000000u : k < 4 ? 0xFFFFFFu : k < 5 ? 0xFEFFFFu : 0x808080u;
            }, bpp));
        ASSERT_TRUE(Exec(20, {path})) << bpp;
        ExpectSameAsReference(path);
    }
}

TEST_F(MaskTest, ARunLengthMaskGivesTheShapeOfItsPixels) {
    // 8-bit run-length rows, bottom row first: encoded runs, a row of one run, an
    // absolute run; palette entry 0 black, 1 white.
    bmptest::Craft rle;
    rle.width = 6, rle.height = 4, rle.bpp = 8, rle.compression = 1, rle.colorsUsed = 2;
    rle.palette = {0x000000, 0xFFFFFF};
    rle.pixels = {1, 0, 4, 1, 1, 0, 0, 0,  // "#....#"
                  1, 1, 4, 0, 1, 1, 0, 0,  // ".####."
                  6, 1, 0, 0,              // "......"
                  0, 6, 0, 0, 1, 1, 0, 0,  // "##..##", absolute
                  0, 1};
    const std::string path = shapetest::WriteFileBytes("mask_rle8.bmp", rle.Build());
    ASSERT_TRUE(Exec(20, {path}));
    ExpectSameAsReference(shapetest::WriteMask("mask_rle8_plain.bmp", {"##..##", "......", ".####.", "#....#"}));
}

TEST_F(MaskTest, NearWhiteIsInside) {
    const std::string path = shapetest::WriteMask("mask_near.bmp", {"~.", ".."});
    ASSERT_TRUE(Exec(20, {path}));
    HRGN r = ::CreateRectRgn(0, 0, 0, 0);
    ::GetWindowRgn(Main(), r);
    EXPECT_TRUE(::PtInRegion(r, 0, 0));
    EXPECT_FALSE(::PtInRegion(r, 1, 0));
    ::DeleteObject(r);
}

TEST_F(MaskTest, CapitalExtensionAndMissingFilesAreRefusedWithoutChange) {
    const std::string upper = shapetest::WriteMask("mask_case.BMP", {"#."});
    const std::string lower = shapetest::WriteMask("mask_case.bmp", {"#."});
    const DWORD before = Style();
    EXPECT_FALSE(Exec(20, {upper}));
    EXPECT_FALSE(Exec(20, {hqtest::ExeDirPath("no_such_mask.bmp")}));
    EXPECT_FALSE(Exec(20, {hqtest::ExeDirPath("")}));  // a folder
    EXPECT_FALSE(Exec(20, {""}));
    EXPECT_EQ(Style(), before);
    int type = 0;
    WindowRegion(&type);
    EXPECT_EQ(type, ERROR) << "no region may be set";
    EXPECT_TRUE(Exec(20, {lower}));
    WindowRegion(&type);
    EXPECT_EQ(type, SIMPLEREGION);
}

TEST_F(MaskTest, AnInvalidBitmapRaisesAndLeavesTheWindowUnchanged) {
    const std::string path = shapetest::WriteFileBytes("mask_bad.bmp", {'B', 'M', 1, 2, 3});
    const DWORD before = Style();
    EXPECT_EQ(ExecError(20, {path}), "Bitmap image is not valid");
    EXPECT_EQ(Style(), before);
    int type = 0;
    WindowRegion(&type);
    EXPECT_EQ(type, ERROR);
}

TEST_F(MaskTest, ALockedFileRaisesCannotOpenWithTheFullPath) {
    const std::string path = shapetest::WriteMask("mask_locked.bmp", {"#"});
    HANDLE lock = ::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    const std::string error = ExecError(20, {path});
    ::CloseHandle(lock);
    EXPECT_EQ(error.rfind("Cannot open file \"" + path + "\". ", 0), 0u) << error;
    EXPECT_GT(error.size(), path.size() + 20) << "the system's reason follows";
}

TEST_F(MaskTest, AFileOfZeroBytesIsAnEmptyShape) {
    const std::string path = shapetest::WriteFileBytes("mask_zero.bmp", {});
    EXPECT_TRUE(Exec(20, {path}));
    int type = 0;
    WindowRegion(&type);
    EXPECT_EQ(type, NULLREGION);
}

TEST_F(MaskTest, ARegionTheSystemRefusesIsAnErrorAndTheWindowStaysAsItWas) {
    // Far more runs than one list of the builder, so lists are created and merged.
    const std::string path = shapetest::WriteMask("mask_refused.bmp", 203, 67, [](int x, int y) {
        return ((x * 7 + y * 13) % 5 < 2) ? 0x102030u : 0xFFFFFFu;
    });
    const struct {
        const char* name;
        int failCombineAt, failCreateAt;
    } cases[] = {{"first merge", 1, 0}, {"a later merge", 40, 0}, {"a later list", 0, 7}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        g = RegionSpies{0, 0, c.failCombineAt, c.failCreateAt};
        hqtest::ImportPatch combine(host().Module(), "CombineRgn", reinterpret_cast<void*>(&SpyCombineRgn));
        hqtest::ImportPatch create(host().Module(), "ExtCreateRegion", reinterpret_cast<void*>(&SpyExtCreateRegion));
        ASSERT_TRUE(combine.installed() && create.installed());
        g.realCombine = combine.previous(), g.realCreate = create.previous();
        const DWORD before = Style();
        EXPECT_EQ(ExecError(20, {path}), "Out of system resources");
        EXPECT_GE(c.failCombineAt ? g.combineCalls : g.createCalls, c.failCombineAt + c.failCreateAt);
        EXPECT_EQ(Style(), before);
        int type = 0;
        WindowRegion(&type);
        EXPECT_EQ(type, ERROR) << "no region may be set";
    }
}

}  // namespace
