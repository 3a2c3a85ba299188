// The handle owners: a release never replaces the last-error value that the
// code after a failed call is about to read, and a file owner holding null
// (what some creators return on failure) owns nothing.
#include <windows.h>
#include <gtest/gtest.h>

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

}  // namespace
