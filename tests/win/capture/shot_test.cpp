// The screen capture actions through the stand-in host: what each captures,
// at which size and depth, and which error wins where.
#include "capture_support.h"

#include <algorithm>
#include <thread>

#include "image/image_file.h"
#include "image/jpeg_writer.h"
#include "import_patch.h"

namespace {

using namespace captest;

class ShotTest : public CaptureTest {
protected:
    int ScreenW() const { return ::GetSystemMetrics(SM_CXSCREEN); }
    int ScreenH() const { return ::GetSystemMetrics(SM_CYSCREEN); }
    int DisplayBits() const {
        HDC dc = ::GetDC(nullptr);
        const int bits = ::GetDeviceCaps(dc, BITSPIXEL) * ::GetDeviceCaps(dc, PLANES);
        ::ReleaseDC(nullptr, dc);
        return bits;
    }
    std::string Handle(HWND hwnd) const { return std::to_string(reinterpret_cast<uintptr_t>(hwnd)); }
};

// The screen is read and the file written a band of rows at a time: windows
// high and low on the screen land in different bands.
TEST_F(ShotTest, DesktopBmpIsTheScreenAtTheDisplayDepth) {
    Painted(nullptr, WS_POPUP | WS_VISIBLE, 300, 200, 120, 60);
    Painted(nullptr, WS_POPUP | WS_VISIBLE, 600, ScreenH() - 100, 120, 60);
    EXPECT_TRUE(Exec(2, {Path("desk.bmp")}));
    const Bytes file = ReadBytes(Path("desk.bmp"));
    ASSERT_GT(file.size(), 54u);
    EXPECT_EQ(file[30], 0) << "BI_RGB";
    const bmp::Image img = bmp::Decode(file);
    EXPECT_EQ(img.width, ScreenW());
    EXPECT_EQ(img.height, ScreenH());
    EXPECT_EQ(img.bitsPerPixel, DisplayBits());
    EXPECT_EQ(bmp::PixelRgb(img, 310, 230), Rgb(kLeftColour));
    EXPECT_EQ(bmp::PixelRgb(img, 410, 230), Rgb(kRightColour));
    EXPECT_EQ(bmp::PixelRgb(img, 610, ScreenH() - 70), Rgb(kLeftColour));
    EXPECT_EQ(bmp::PixelRgb(img, 710, ScreenH() - 70), Rgb(kRightColour));
    EXPECT_EQ(FolderFiles(dir_).size(), 1u) << "no temporary file left";
}

TEST_F(ShotTest, DesktopJpgIsABaselineColourJpegOfTheScreen) {
    Painted(nullptr, WS_POPUP | WS_VISIBLE, 0, 0, 200, 100);
    ASSERT_TRUE(Exec(1, {Path("desk.jpg"), "85"}));
    const JpegInfo info = ParseJpeg(ReadBytes(Path("desk.jpg")));
    EXPECT_EQ(info.frameMarker, 0xC0) << "baseline, sequential";
    EXPECT_EQ(info.components, 3);
    EXPECT_EQ(info.width, ScreenW());
    EXPECT_EQ(info.height, ScreenH());
    EXPECT_EQ(info.quantTables, ReferenceQuantTables(85));
}

TEST_F(ShotTest, JpegQualityKeepsTheLowByteAndIsLimitedToOneToHundred) {
    const std::pair<const char*, int> cases[] = {{"0", 1},   {"1", 1},    {"100", 100}, {"150", 100},
                                                 {"300", 44}, {"256", 1}, {"-1", 100},  {"$155", 85}};
    for (const auto& [text, quality] : cases) {
        SCOPED_TRACE(text);
        ASSERT_TRUE(Exec(1, {Path("q.jpg"), text}));
        EXPECT_EQ(ParseJpeg(ReadBytes(Path("q.jpg"))).quantTables, ReferenceQuantTables(quality));
    }
}

TEST_F(ShotTest, BadQualityFailsAfterTheCaptureAndWritesNothing) {
    EXPECT_EQ(ExecError(1, {Path("none.jpg"), ""}), "'' is not a valid integer value");
    EXPECT_EQ(ExecError(1, {Path("none.jpg"), "8 5"}), "'8 5' is not a valid integer value");
    EXPECT_FALSE(Exists(Path("none.jpg")));
    WriteBytes(Path("old.jpg"), {1, 2, 3});
    EXPECT_EQ(ExecError(1, {Path("old.jpg"), "high"}), "'high' is not a valid integer value");
    EXPECT_EQ(ReadBytes(Path("old.jpg")), (Bytes{1, 2, 3}));
}

TEST_F(ShotTest, MissingFolderGivesTheCreateErrorWithFullPathAndSystemText) {
    const std::string target = Path("no such folder\\desk.bmp");
    const std::string expected =
        "Cannot create file \"" + target + "\". " + hq::SystemErrorText(ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(ExecError(2, {target}), expected);
    EXPECT_EQ(ExecError(1, {target, "50"}), expected);
    EXPECT_EQ(ExecError(5, {target, "0", "0", "4", "4"}), expected);
    EXPECT_TRUE(FolderFiles(dir_).empty());
}

TEST_F(ShotTest, ExistingFileIsReplacedWhateverItsExtension) {
    WriteBytes(Path("shot.txt"), Bytes(10000, 'x'));
    ASSERT_TRUE(Exec(5, {Path("shot.txt"), "0", "0", "3", "2"}));
    const Bytes file = ReadBytes(Path("shot.txt"));
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(bmp::Decode(file).width, 3);
    ASSERT_TRUE(Exec(1, {Path("shot.txt"), "50"}));
    EXPECT_EQ(ReadBytes(Path("shot.txt"))[0], 0xFF);
}

TEST_F(ShotTest, LockedOrReadOnlyTargetIsReportedAndKept) {
    WriteBytes(Path("locked.bmp"), {1, 2, 3});
    HANDLE lock = ::CreateFileA(Path("locked.bmp").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    EXPECT_EQ(ExecError(5, {Path("locked.bmp"), "0", "0", "4", "4"}),
              "Cannot create file \"" + Path("locked.bmp") + "\". " + hq::SystemErrorText(ERROR_SHARING_VIOLATION));
    ::CloseHandle(lock);
    EXPECT_EQ(ReadBytes(Path("locked.bmp")), (Bytes{1, 2, 3}));
    WriteBytes(Path("ro.jpg"), {4, 5});
    ::SetFileAttributesA(Path("ro.jpg").c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(ExecError(1, {Path("ro.jpg"), "50"}),
              "Cannot create file \"" + Path("ro.jpg") + "\". " + hq::SystemErrorText(ERROR_ACCESS_DENIED));
    ::SetFileAttributesA(Path("ro.jpg").c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadBytes(Path("ro.jpg")), (Bytes{4, 5}));
    EXPECT_EQ(FolderFiles(dir_).size(), 2u) << "no temporary file left";
}

TEST_F(ShotTest, RectCopiesTheScreenFromItsCorner) {
    Painted(nullptr, WS_POPUP | WS_VISIBLE, 10, 20, 40, 60);  // halves at x 10..29 and 30..49
    ASSERT_TRUE(Exec(5, {Path("r.bmp"), "10", "20", "30", "40"}));
    const bmp::Image img = ReadPicture(Path("r.bmp"));
    ASSERT_EQ(img.width, 30);
    ASSERT_EQ(img.height, 40);
    EXPECT_EQ(img.bitsPerPixel, DisplayBits());
    for (int y : {0, 39})
        for (int x = 0; x < 30; ++x) ASSERT_EQ(bmp::PixelRgb(img, x, y), Rgb(x < 20 ? kLeftColour : kRightColour));
}

TEST_F(ShotTest, RectWithZeroOrNegativeSizeWritesAnEmptyFile) {
    for (const auto& [w, h] : {std::pair{"0", "10"}, {"10", "0"}, {"-5", "10"}, {"10", "-1"}}) {
        WriteBytes(Path("e.bmp"), {9, 9});
        ASSERT_TRUE(Exec(5, {Path("e.bmp"), "0", "0", w, h})) << w << "x" << h;
        EXPECT_TRUE(Exists(Path("e.bmp")));
        EXPECT_TRUE(ReadBytes(Path("e.bmp")).empty());
    }
}

TEST_F(ShotTest, RectConvertsSizeFirstThenTopThenLeft) {
    EXPECT_EQ(ExecError(5, {Path("x.bmp"), "L", "T", "W", "H"}), "'W' is not a valid integer value");
    EXPECT_EQ(ExecError(5, {Path("x.bmp"), "L", "T", "4", "H"}), "'H' is not a valid integer value");
    EXPECT_EQ(ExecError(5, {Path("x.bmp"), "L", "T", "4", "4"}), "'T' is not a valid integer value");
    EXPECT_EQ(ExecError(5, {Path("x.bmp"), "L", "0", "4", "4"}), "'L' is not a valid integer value");
    EXPECT_TRUE(FolderFiles(dir_).empty());
}

TEST_F(ShotTest, SizeTheSystemCannotProvideIsAnErrorNotACrash) {
    for (const auto& [w, h] : {std::pair{"100000", "100000"}, {"2147483647", "2"}, {"70000", "70000"}}) {
        EXPECT_EQ(ExecError(5, {Path("huge.bmp"), "0", "0", w, h}), "Out of system resources") << w << "x" << h;
    }
    EXPECT_FALSE(Exists(Path("huge.bmp")));
}

TEST_F(ShotTest, WindowIsCapturedWholeEvenPartlyOffScreen) {
    HWND hwnd = Painted(nullptr, WS_POPUP | WS_VISIBLE, -30, 100, 80, 50);
    ASSERT_TRUE(Exec(3, {Handle(hwnd), Path("w.bmp")}));
    const bmp::Image img = ReadPicture(Path("w.bmp"));
    ASSERT_EQ(img.width, 80);
    ASSERT_EQ(img.height, 50);
    EXPECT_EQ(img.bitsPerPixel, DisplayBits());
    EXPECT_EQ(bmp::PixelRgb(img, 5, 25), Rgb(kLeftColour)) << "the part beyond the screen is drawn too";
    EXPECT_EQ(bmp::PixelRgb(img, 75, 25), Rgb(kRightColour));
}

TEST_F(ShotTest, WindowWithFrameHasTheSizeOfItsWindowRectangle) {
    HWND hwnd = Painted(nullptr, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 240, 160);
    RECT r;
    ::GetWindowRect(hwnd, &r);
    ASSERT_TRUE(Exec(3, {Handle(hwnd), Path("w.bmp")}));
    const bmp::Image img = ReadPicture(Path("w.bmp"));
    EXPECT_EQ(img.width, r.right - r.left);
    EXPECT_EQ(img.height, r.bottom - r.top);
}

TEST_F(ShotTest, ObjectIsPrintedAndHiddenObjectIsWhite) {
    HWND parent = Painted(nullptr, WS_POPUP | WS_VISIBLE, 0, 0, 300, 200);
    HWND object = CreatePaintedWindow(parent, WS_CHILD | WS_VISIBLE, 10, 10, 64, 32);
    ASSERT_TRUE(Exec(4, {Handle(object), Path("o.bmp")}));
    bmp::Image img = ReadPicture(Path("o.bmp"));
    ASSERT_EQ(img.width, 64);
    ASSERT_EQ(img.height, 32);
    EXPECT_EQ(bmp::PixelRgb(img, 0, 0), Rgb(kLeftColour));
    EXPECT_EQ(bmp::PixelRgb(img, 63, 31), Rgb(kRightColour));

    ::ShowWindow(object, SW_HIDE);
    ASSERT_TRUE(Exec(4, {Handle(object), Path("h.bmp")}));
    img = ReadPicture(Path("h.bmp"));
    ASSERT_EQ(img.width, 64);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 64; ++x) ASSERT_EQ(bmp::PixelRgb(img, x, y), 0xFFFFFFu);
}

TEST_F(ShotTest, TextEntryObjectTwiceInARow) {
    HWND edit = host().CreateTextEntry("Entry", 10, 10, 120, 24);
    ::ShowWindow(host().MainWindow(), SW_SHOWNOACTIVATE);
    RECT r;
    ::GetWindowRect(edit, &r);
    for (const char* name : {"e1.bmp", "e2.bmp"}) {
        ASSERT_TRUE(Exec(4, {Handle(edit), Path(name)}));
        const bmp::Image img = ReadPicture(Path(name));
        EXPECT_EQ(img.width, r.right - r.left);
        EXPECT_EQ(img.height, r.bottom - r.top);
    }
    EXPECT_EQ(ReadBytes(Path("e1.bmp")), ReadBytes(Path("e2.bmp")));
}

TEST_F(ShotTest, HandleThatIsNoWindowEndsWithAnErrorAndNoFile) {
    const std::string expected = hq::SystemErrorText(ERROR_INVALID_WINDOW_HANDLE);
    for (int id : {3, 4}) {
        EXPECT_EQ(ExecError(id, {"12345", Path("n.bmp")}), expected) << id;
        EXPECT_EQ(ExecError(id, {"0", Path("n.bmp")}), expected) << id;
        EXPECT_EQ(ExecError(id, {"window", Path("n.bmp")}), "'window' is not a valid integer value") << id;
    }
    EXPECT_FALSE(Exists(Path("n.bmp")));
}

TEST_F(ShotTest, WindowWhoseThreadStoppedAnsweringIsReportedWithoutWaitingForever) {
    // A window on a thread that stops handling messages once the window exists.
    HANDLE ready = ::CreateEventW(nullptr, TRUE, FALSE, nullptr), release = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HWND stopped = nullptr;
    std::thread owner([&] {
        stopped = CreatePaintedWindow(nullptr, WS_POPUP | WS_VISIBLE, 500, 400, 60, 40);
        ::SetEvent(ready);
        ::WaitForSingleObject(release, INFINITE);
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
        ::DestroyWindow(stopped);
    });
    ::WaitForSingleObject(ready, INFINITE);
    for (int id : {3, 4})
        EXPECT_EQ(ExecError(id, {Handle(stopped), Path("hung.bmp")}), "Window is not responding") << id;
    EXPECT_FALSE(Exists(Path("hung.bmp")));
    ::SetEvent(release);
    owner.join();
    ::CloseHandle(ready), ::CloseHandle(release);
}

// Spies that make one GDI step fail without an error code of its own.
BOOL WINAPI FailBlt(HDC, int, int, int, int, HDC, int, int, DWORD) { return FALSE; }
BOOL WINAPI FailPatBlt(HDC, int, int, int, int, DWORD) { return FALSE; }
BOOL WINAPI FailPrintWindow(HWND, HDC, UINT) { return FALSE; }
HBITMAP WINAPI FailCompatibleBitmap(HDC, int, int) { return nullptr; }
HBITMAP WINAPI FailDibSection(HDC, const BITMAPINFO*, UINT, void**, HANDLE, DWORD) { return nullptr; }

TEST_F(ShotTest, FailedGdiStepIsOutOfSystemResourcesAndKeepsTheOldFile) {
    const std::string window = Handle(Painted(nullptr, WS_POPUP | WS_VISIBLE, 300, 200, 40, 30)), out = Path("old.bmp");
    const std::vector<std::string> desktopJpg{"1", out, "80"}, desktopBmp{"2", out}, shotWindow{"3", window, out},
        object{"4", window, out}, rect{"5", out, "0", "0", "8", "8"};
    // The desktop is copied in bands of BitBlt; StretchBlt serves only a scaled display.
    const std::pair<const char*, void*> imports[] = {
        {"BitBlt", reinterpret_cast<void*>(&FailBlt)},         {"PatBlt", reinterpret_cast<void*>(&FailPatBlt)},
        {"PrintWindow", reinterpret_cast<void*>(&FailPrintWindow)},
        {"CreateCompatibleBitmap", reinterpret_cast<void*>(&FailCompatibleBitmap)},
        {"CreateDIBSection", reinterpret_cast<void*>(&FailDibSection)}};
    const std::vector<std::vector<std::string>> calls[] = {{desktopJpg, desktopBmp, rect},
                                                          {desktopBmp, shotWindow, object, rect}, {shotWindow},
                                                          {desktopBmp, shotWindow, object, rect}, {desktopJpg}};
    WriteBytes(out, {1, 2, 3});
    for (size_t k = 0; k < std::size(imports); ++k) {
        hqtest::ImportPatch patch(host().Module(), imports[k].first, imports[k].second);
        ASSERT_TRUE(patch.installed()) << imports[k].first;
        for (const auto& call : calls[k])
            EXPECT_EQ(ExecError(std::stoi(call[0]), {call.begin() + 1, call.end()}), "Out of system resources")
                << imports[k].first << " " << call[0];
    }
    EXPECT_EQ(ReadBytes(out), (Bytes{1, 2, 3}));
    EXPECT_EQ(FolderFiles(dir_).size(), 1u) << "no temporary file left";
}

BOOL WINAPI BlitNothing(HDC, int, int, int, int, HDC, int, int, DWORD) { return TRUE; }

TEST_F(ShotTest, DesktopJpegIsWhiteWhereTheCopyPaintsNothing) {
    hqtest::ImportPatch patch(host().Module(), "BitBlt", reinterpret_cast<void*>(&BlitNothing));
    ASSERT_TRUE(patch.installed());
    ASSERT_TRUE(Exec(1, {Path("blank.jpg"), "90"}));
    const std::vector<uint8_t> white(static_cast<size_t>(ScreenW()) * ScreenH() * 4, 0xFF);
    EXPECT_EQ(ReadBytes(Path("blank.jpg")), hq::EncodeJpeg32(white.data(), ScreenW(), ScreenH(), ScreenW() * 4u, 90));
}

// PrintWindow as scripted by the test: every call's flags recorded; the
// system's own print, a refusal of the full-content flag (as Windows 7 gives,
// optionally after drawing black into the picture), or a print that paints
// nothing.
enum class PrintAnswer { System, RefuseFullContent, RefuseFullContentAfterDrawing, PaintNothing, RefuseAll };
PrintAnswer g_printAnswer = PrintAnswer::System;
std::vector<UINT> g_printFlags;
void* g_printWindow = nullptr;
BOOL WINAPI SpyPrintWindow(HWND hwnd, HDC dc, UINT flags) {
    g_printFlags.push_back(flags);
    const bool fullContent = (flags & 2) != 0;
    switch (g_printAnswer) {
    case PrintAnswer::System:
        break;
    case PrintAnswer::RefuseFullContentAfterDrawing:
        if (fullContent) ::PatBlt(dc, 0, 0, 10000, 10000, BLACKNESS);
        [[fallthrough]];
    case PrintAnswer::RefuseFullContent:
        if (fullContent) {
            ::SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        break;
    case PrintAnswer::PaintNothing:
        return TRUE;
    case PrintAnswer::RefuseAll:
        return FALSE;
    }
    return reinterpret_cast<decltype(&::PrintWindow)>(g_printWindow)(hwnd, dc, flags);
}

TEST_F(ShotTest, WindowIsPrintedWithFullContentOrAgainWithoutItOnWhite) {
    // A captioned window: Wine's print draws no frame, so part of the picture
    // shows what it held before the print.
    const HWND hwnd = Painted(nullptr, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 60, 200, 120);
    RECT win{};
    ::GetWindowRect(hwnd, &win);
    const int w = win.right - win.left, h = win.bottom - win.top;

    hqtest::ImportPatch spy(host().Module(), "PrintWindow", reinterpret_cast<void*>(&SpyPrintWindow));
    ASSERT_TRUE(spy.installed());
    g_printWindow = spy.previous();
    struct Case {
        const char* what;
        PrintAnswer answer;
        std::vector<UINT> flags;
        bool painted;  // the system's print, else white throughout
        bool fails;
    };
    // The first case is the system's own print, the picture the others are compared with.
    const Case table[] = {
        {"full content accepted", PrintAnswer::System, {2}, true, false},
        {"full content refused", PrintAnswer::RefuseFullContent, {2, 0}, true, false},
        {"refused after drawing", PrintAnswer::RefuseFullContentAfterDrawing, {2, 0}, true, false},
        {"nothing painted", PrintAnswer::PaintNothing, {2}, false, false},
        {"every print refused", PrintAnswer::RefuseAll, {2, 0}, false, true},
    };
    Bytes printed;
    for (const Case& c : table) {
        g_printAnswer = c.answer;
        g_printFlags.clear();
        const std::string out = Path("print.bmp");
        ::DeleteFileA(out.c_str());
        if (c.fails) {
            EXPECT_EQ(ExecError(3, {Handle(hwnd), out}), "Out of system resources") << c.what;
            EXPECT_FALSE(Exists(out)) << c.what;
            EXPECT_EQ(g_printFlags, c.flags) << c.what;
            continue;
        }
        ASSERT_TRUE(Exec(3, {Handle(hwnd), out})) << c.what;
        EXPECT_EQ(g_printFlags, c.flags) << c.what;
        const bmp::Image img = ReadPicture(out);
        ASSERT_EQ(img.width, w) << c.what;
        ASSERT_EQ(img.height, h) << c.what;
        size_t white = 0, left = 0, right = 0, other = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const uint32_t px = bmp::PixelRgb(img, x, y);
                (px == 0xFFFFFFu ? white : px == Rgb(kLeftColour) ? left : px == Rgb(kRightColour) ? right : other)++;
            }
        if (!c.painted) {
            EXPECT_EQ(white, static_cast<size_t>(w) * h) << c.what << ": not white where nothing was painted";
        } else if (printed.empty()) {
            printed = ReadBytes(out);
            EXPECT_GT(left, 0u) << c.what;
            EXPECT_GT(right, 0u) << c.what;
            EXPECT_GT(white, 0u) << c.what << ": the frame Wine does not draw is white";
        } else {
            EXPECT_EQ(ReadBytes(out), printed) << c.what << ": differs from the system's own print";
        }
    }
}

// The object's process as the plug-in sees it: another one for `g_foreign`.
HWND g_foreign = nullptr;
void* g_threadProcess = nullptr;
DWORD WINAPI SpyWindowThreadProcessId(HWND hwnd, LPDWORD process) {
    const DWORD thread = reinterpret_cast<decltype(&::GetWindowThreadProcessId)>(g_threadProcess)(hwnd, process);
    if (hwnd == g_foreign && process) *process += 4;
    return thread;
}
std::vector<UINT> g_sentMessages;
void* g_sendTimeout = nullptr;
LRESULT WINAPI SpySendMessageTimeoutW(HWND hwnd, UINT message, WPARAM w, LPARAM l, UINT flags, UINT ms,
                                      PDWORD_PTR result) {
    g_sentMessages.push_back(message);
    return reinterpret_cast<decltype(&::SendMessageTimeoutW)>(g_sendTimeout)(hwnd, message, w, l, flags, ms, result);
}

TEST_F(ShotTest, ObjectOfAnotherProcessIsPrintedByTheSystemNotHandedOurContext) {
    const HWND hwnd = Painted(nullptr, WS_POPUP | WS_VISIBLE, 100, 100, 40, 20);  // halves at x 0..19, 20..39
    hqtest::ImportPatch process(host().Module(), "GetWindowThreadProcessId",
                                reinterpret_cast<void*>(&SpyWindowThreadProcessId));
    hqtest::ImportPatch print(host().Module(), "PrintWindow", reinterpret_cast<void*>(&SpyPrintWindow));
    hqtest::ImportPatch send(host().Module(), "SendMessageTimeoutW", reinterpret_cast<void*>(&SpySendMessageTimeoutW));
    ASSERT_TRUE(process.installed() && print.installed() && send.installed());
    g_threadProcess = process.previous();
    g_printWindow = print.previous();
    g_sendTimeout = send.previous();
    struct Case {
        const char* what;
        bool foreign;
        PrintAnswer answer;
        std::vector<UINT> printFlags;
        bool wmPrint;
    };
    const Case table[] = {
        {"a window of this process", false, PrintAnswer::System, {}, true},
        {"a window of another process", true, PrintAnswer::System, {PW_CLIENTONLY | 2}, false},
        {"another process, full content refused", true, PrintAnswer::RefuseFullContent,
         {PW_CLIENTONLY | 2, PW_CLIENTONLY}, false},
    };
    for (const Case& c : table) {
        g_foreign = c.foreign ? hwnd : nullptr;
        g_printAnswer = c.answer;
        g_printFlags.clear();
        g_sentMessages.clear();
        const std::string out = Path("object.bmp");
        ASSERT_TRUE(Exec(4, {Handle(hwnd), out})) << c.what;
        EXPECT_EQ(g_printFlags, c.printFlags) << c.what;
        EXPECT_EQ(std::count(g_sentMessages.begin(), g_sentMessages.end(), UINT{WM_PRINT}), c.wmPrint ? 1 : 0)
            << c.what;
        const bmp::Image img = ReadPicture(out);
        EXPECT_EQ(bmp::PixelRgb(img, 5, 5), Rgb(kLeftColour)) << c.what;
        EXPECT_EQ(bmp::PixelRgb(img, 30, 5), Rgb(kRightColour)) << c.what;
    }
    g_foreign = nullptr;
}

}  // namespace
