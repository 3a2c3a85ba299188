// Fault sweep of the capture and image-file actions: on any failed call the
// target keeps its old bytes and an error reaches the host, or the action
// completes with a whole new file.
#include <memory>
#include <string>
#include <vector>

#include "image/bmp_image.h"
#include "pubscript.h"
#include "sweep.h"

namespace {

using namespace faultsweep;
namespace bmp = hq::bmp;

const std::vector<uint8_t> kOld = {'o', 'l', 'd', ' ', 'b', 'y', 't', 'e', 's'};

std::vector<uint8_t> Picture(int w, int h, uint32_t rgb) {
    bmp::Image img = bmp::Blank(w, h, 24);
    for (size_t i = 0; i + 2 < img.pixels.size(); i += 3) {
        img.pixels[i] = rgb & 0xFF;
        img.pixels[i + 1] = (rgb >> 8) & 0xFF;
        img.pixels[i + 2] = (rgb >> 16) & 0xFF;
    }
    return bmp::Encode(img);
}

LRESULT CALLBACK RedProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_ERASEBKGND || msg == WM_PRINTCLIENT) {
        RECT r;
        ::GetClientRect(h, &r);
        HBRUSH b = ::CreateSolidBrush(RGB(200, 20, 20));
        ::FillRect(reinterpret_cast<HDC>(wp), &r, b);
        ::DeleteObject(b);
        return 1;
    }
    return ::DefWindowProcW(h, msg, wp, lp);
}

class CaptureSweep : public SweepTest {
protected:
    void SetUp() override {
        SweepTest::SetUp();
        WNDCLASSW wc{};
        wc.lpfnWndProc = RedProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"FaultSweepRed";
        ::RegisterClassW(&wc);
        window_ = ::CreateWindowExW(0, L"FaultSweepRed", L"red", WS_POPUP | WS_VISIBLE, 600, 400, 80, 60, nullptr,
                                    nullptr, wc.hInstance, nullptr);
        ::UpdateWindow(window_);
    }
    void TearDown() override {
        ::DestroyWindow(window_);
        SweepTest::TearDown();
    }

    // A case writing `target`: the old bytes stay on an error; otherwise the
    // file is whole and holds what the clean run wrote (the screen is still).
    Case Writer(std::string name, int id, std::vector<std::string> params, std::string target, bool jpeg) {
        auto clean = std::make_shared<std::vector<uint8_t>>();
        Case c;
        c.name = std::move(name);
        c.prepare = [target] { WriteBytes(target, kOld); };
        c.run = [this, id, params] { return host().Exec(id, params); };
        c.verify = [target, jpeg, clean](const RunResult& r, std::vector<std::string>& problems) {
            const std::vector<uint8_t> bytes = ReadBytes(target);
            if (r.clean()) *clean = bytes;
            if (!r.error.empty()) {
                if (bytes != kOld) problems.push_back("the target changed although an error was raised");
            } else if (!(jpeg ? CompleteJpeg(bytes) : CompleteBmp(bytes))) {
                problems.push_back("no error, but the target is not a complete new file");
            } else if (bytes != *clean) {
                problems.push_back("no error, but the picture differs from the clean run's");
            }
        };
        return c;
    }

    // fzChangeColorBmp: the file rewritten in place at `depth`, or left as it was with an error.
    Case Depth(const std::string& depth) {
        const std::string path = Path("depth" + depth + ".bmp");
        const std::vector<uint8_t> old = Picture(40, 30, 0x3080C0);
        Case c;
        c.name = "100 fzChangeColorBmp " + depth;
        c.prepare = [path, old] { WriteBytes(path, old); };
        c.run = [this, path, depth] { return host().Exec(100, {path, depth}); };
        c.verify = [path, old, depth](const RunResult& r, std::vector<std::string>& problems) {
            const std::vector<uint8_t> bytes = ReadBytes(path);
            if (!r.error.empty()) {
                if (bytes != old) problems.push_back("the file changed although an error was raised");
            } else if (!CompleteBmp(bytes) || bytes[28] != std::stoi(depth)) {
                problems.push_back("no error, but the file is not a complete " + depth + "-bit picture");
            }
        };
        return c;
    }

    HWND window_ = nullptr;
};

TEST_F(CaptureSweep, EveryFailedCallEndsInAnErrorOrAWholeFile) {
    WriteBytes(Path("main.bmp"), Picture(64, 48, 0x204060));
    WriteBytes(Path("over.bmp"), Picture(16, 12, 0xFF00FF));
    const std::string handle = std::to_string(reinterpret_cast<uintptr_t>(window_));
    const std::vector<Case> cases = {
        Writer("1 fzShotDesktopToJpg", 1, {Path("desk.jpg"), "75"}, Path("desk.jpg"), true),
        Writer("2 fzShotDesktopToBmp", 2, {Path("desk.bmp")}, Path("desk.bmp"), false),
        Writer("3 fzShotWindow", 3, {handle, Path("win.bmp")}, Path("win.bmp"), false),
        Writer("4 fzShotObject", 4, {handle, Path("obj.bmp")}, Path("obj.bmp"), false),
        Writer("5 fzShotRect", 5, {Path("rect.bmp"), "10", "20", "64", "48"}, Path("rect.bmp"), false),
        Writer("41 fzSetWatermark Tr Bmp", 41,
               {Path("main.bmp"), Path("over.bmp"), "4", "4", "Tr", "128", "", "Bmp", "", Path("mark.bmp")},
               Path("mark.bmp"), false),
        Writer("41 fzSetWatermark TrColor Jpg", 41,
               {Path("main.bmp"), Path("over.bmp"), "4", "4", "TrColor", "", "255,0,255", "Jpg", "80",
                Path("mark.jpg")},
               Path("mark.jpg"), true),
        Depth("8"),
        Depth("16"),
        Depth("4"),
    };
    EXPECT_GT(Sweep("capture and image files", cases), 0u);
}

}  // namespace
