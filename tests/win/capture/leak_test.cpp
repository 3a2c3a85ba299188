// Each action run 1,000 times (hqtest::LeakRounds), on its success and failure paths, leaves the
// plug-in's live GDI and USER objects and the global-block ledger unchanged.
#include "capture_support.h"

namespace {

using namespace captest;

class CaptureLeakTest : public CaptureTest {
protected:
    void SetUp() override {
        CaptureTest::SetUp();
        WriteBytes(Path("main.bmp"), bmp::Encode(Solid(64, 48, 0x123456)));
        WriteBytes(Path("over.bmp"), bmp::Encode(Solid(16, 8, 0xFF00FF)));
        window_ = Painted(nullptr, WS_POPUP | WS_VISIBLE, 0, 0, 64, 32);
    }
    std::string Handle() const { return std::to_string(reinterpret_cast<uintptr_t>(window_)); }
    HWND window_ = nullptr;
};

TEST_F(CaptureLeakTest, DesktopJpg) {
    ExpectNoLeak("DesktopJpg", [&](int i) {
        if (i % 2) EXPECT_TRUE(Exec(1, {Path("d.jpg"), "60"}));
        else EXPECT_FALSE(ExecError(1, {Path("d.jpg"), "bad"}).empty());
    });
}

TEST_F(CaptureLeakTest, DesktopBmp) {
    ExpectNoLeak("DesktopBmp", [&](int i) {
        if (i % 2) EXPECT_TRUE(Exec(2, {Path("d.bmp")}));
        else EXPECT_FALSE(ExecError(2, {Path("missing\\d.bmp")}).empty());
    });
}

TEST_F(CaptureLeakTest, WindowAndObject) {
    ExpectNoLeak("WindowAndObject", [&](int i) {
        EXPECT_TRUE(Exec(3 + i % 2, {Handle(), Path("w.bmp")}));
        EXPECT_FALSE(ExecError(3 + i % 2, {Handle(), Path("missing\\w.bmp")}).empty());
    });
}

TEST_F(CaptureLeakTest, Rect) {
    ExpectNoLeak("Rect", [&](int i) {
        EXPECT_TRUE(Exec(5, {Path("r.bmp"), "0", "0", "40", "30"}));
        EXPECT_FALSE(ExecError(5, {Path("r.bmp"), i % 2 ? "x" : "0", "0", i % 2 ? "40" : "w", "30"}).empty());
        EXPECT_FALSE(ExecError(5, {Path("r.bmp"), "0", "0", "100000", "100000"}).empty());
    });
}

TEST_F(CaptureLeakTest, Watermark) {
    ExpectNoLeak("Watermark", [&](int i) {
        const char* format = i % 2 ? "Bmp" : "Jpg";
        EXPECT_TRUE(Exec(41, {Path("main.bmp"), Path("over.bmp"), "3", "4", "Tr", "100", "", format, "50", Path("o")}));
        EXPECT_TRUE(Exec(41, {Path("main.bmp"), Path("over.bmp"), "3", "4", "TrColor", "", "255,0,255", format, "50",
                              Path("o")}));
        // A bad component after the host strings were handed over: they are still released.
        EXPECT_FALSE(ExecError(41, {Path("main.bmp"), Path("over.bmp"), "3", "4", "TrColor", "", "1,2,x", format,
                                    "50", Path("o")})
                         .empty());
    });
}

TEST_F(CaptureLeakTest, ChangeColor) {
    const Bytes source = bmp::Encode(Solid(32, 16, 0x2565CB));
    ExpectNoLeak("ChangeColor", [&](int i) {
        WriteBytes(Path("c.bmp"), source);
        static const char* const kDepths[] = {"32", "24", "16", "8", "4"};
        EXPECT_FALSE(Exec(100, {Path("c.bmp"), kDepths[i % 5]}));
        if (i % 10 == 0) {
            WriteBytes(Path("c.bmp"), {'B', 'X'});
            EXPECT_EQ(ExecError(100, {Path("c.bmp"), "8"}), "Bitmap image is not valid");
        }
    });
}

}  // namespace
