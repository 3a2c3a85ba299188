// The handle owners: a release never replaces the last-error value that the
// code after a failed call is about to read, and a file owner holding null
// (what some creators return on failure) owns nothing.
#include <windows.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "base/callback_guard.h"
#include "base/handles.h"

namespace {

TEST(Owners, ReleasingKeepsTheLastErrorAndNullIsNoFile) {
    constexpr DWORD kMarker = 0xBEEF;
    // Each scope ends with the marker set and an owner whose release fails
    // and sets an error of its own (or, for a null file, would if released).
    const struct {
        const char* what;
        void (*scope)(DWORD marker);
    } cases[] = {
        {"file owner holding null",
         [](DWORD marker) {
             hq::UniqueFile f(nullptr);
             ::SetLastError(marker);
         }},
        {"window owner holding no window",
         [](DWORD marker) {
             hq::UniqueWindow w(reinterpret_cast<HWND>(0x7FFF0));
             ::SetLastError(marker);
         }},
        {"bitmap owner holding no bitmap",
         [](DWORD marker) {
             hq::UniqueBitmap b(reinterpret_cast<HBITMAP>(0x7FFF0));
             ::SetLastError(marker);
         }},
        {"memory DC holding a bitmap",
         [](DWORD marker) {
             hq::UniqueBitmap bitmap(::CreateBitmap(4, 4, 1, 32, nullptr));
             hq::MemoryDc dc(nullptr, bitmap.get());
             ::SetLastError(marker);
         }},
        {"scope guard",
         [](DWORD marker) {
             hq::ScopeExit undo([] { ::SetLastError(ERROR_INVALID_HANDLE); });
             ::SetLastError(marker);
         }},
        {"lock of a global block",
         [](DWORD marker) {
             hq::UniqueGlobal g(::GlobalAlloc(GMEM_MOVEABLE, 16));
             hq::GlobalLockScope lock(g.get());  // the last unlock sets NO_ERROR
             ::SetLastError(marker);
         }},
    };
    for (const auto& c : cases) {
        c.scope(kMarker);
        EXPECT_EQ(::GetLastError(), kMarker) << c.what;
    }
    EXPECT_FALSE(hq::UniqueFile(nullptr));
    EXPECT_FALSE(hq::UniqueFile(INVALID_HANDLE_VALUE));
}

// A bitmap can be selected into one DC at a time and is not deleted while
// selected: after the memory DC has gone, both must work.
TEST(Owners, MemoryDcSelectsItsBitmapOutBeforeItGoes) {
    hq::UniqueBitmap bitmap(::CreateBitmap(8, 8, 1, 32, nullptr));
    ASSERT_TRUE(bitmap);
    {
        const hq::MemoryDc first(nullptr, bitmap.get());
        ASSERT_TRUE(first);
        EXPECT_EQ(::GetCurrentObject(first.get(), OBJ_BITMAP), bitmap.get());
    }
    {
        const hq::MemoryDc second(nullptr, bitmap.get());
        EXPECT_TRUE(second) << "the bitmap is still selected into the first DC";
    }
    EXPECT_TRUE(::DeleteObject(bitmap.release()));
    EXPECT_FALSE(hq::MemoryDc(nullptr, nullptr)) << "a DC without its bitmap is no memory DC";
}

// A callback's guard keeps the first error of several and raises it once.
TEST(Owners, CallbackGuardRaisesTheFirstErrorOnce) {
    hq::CallbackGuard guard;
    EXPECT_TRUE(guard.Run([] {}));
    EXPECT_FALSE(guard.Run([] { throw std::runtime_error("first"); }));
    EXPECT_FALSE(guard.Run([] { throw std::runtime_error("second"); }));
    EXPECT_TRUE(guard.Failed());
    try {
        guard.Rethrow();
        ADD_FAILURE() << "nothing raised";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "first");
    }
    EXPECT_FALSE(guard.Failed());
    EXPECT_NO_THROW(guard.Rethrow());
}

}  // namespace
