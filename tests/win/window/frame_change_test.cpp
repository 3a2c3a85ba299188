// Every write of a frame style (caption, system menu, sizing frame, the
// minimize and maximize boxes, the tool-window caption) is followed by exactly
// one SetWindowPos(SWP_FRAMECHANGED) on the same window, so the system draws
// the new frame at once instead of keeping the cached one; and a window
// leaving layered mode is repainted with all its child windows.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "bmp_craft.h"
#include "fixture.h"
#include "import_patch.h"

namespace {

using hqtest::ImportPatch;

constexpr UINT kFrameFlags = SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;

// What the plug-in did to windows, in order: "style" and "ex" (a style word
// written), "frame" (the frame change with exactly its arguments), "pos" (any
// other SetWindowPos), "redraw <flags in hex>"; a call on a window other than
// `target` reads "other ...".
struct {
    HWND target = nullptr;
    std::vector<std::string> events;
    void* setLong = nullptr;
    void* setPos = nullptr;
    void* redraw = nullptr;
} g_spy;

void Record(HWND w, std::string what) {
    g_spy.events.push_back(w == g_spy.target ? what : "other " + what);
}

LONG WINAPI SpySetWindowLongW(HWND w, int index, LONG value) {
    if (index == GWL_STYLE) Record(w, "style");
    if (index == GWL_EXSTYLE) Record(w, "ex");
    return reinterpret_cast<decltype(&::SetWindowLongW)>(g_spy.setLong)(w, index, value);
}

BOOL WINAPI SpySetWindowPos(HWND w, HWND after, int x, int y, int cx, int cy, UINT flags) {
    const bool frame = after == nullptr && x == 0 && y == 0 && cx == 0 && cy == 0 && flags == kFrameFlags;
    Record(w, frame ? "frame" : "pos");
    return reinterpret_cast<decltype(&::SetWindowPos)>(g_spy.setPos)(w, after, x, y, cx, cy, flags);
}

BOOL WINAPI SpyRedrawWindow(HWND w, const RECT* rect, HRGN region, UINT flags) {
    char text[32];
    std::snprintf(text, sizeof text, "redraw %x", flags);
    Record(w, text);
    return reinterpret_cast<decltype(&::RedrawWindow)>(g_spy.redraw)(w, rect, region, flags);
}

class FrameChange : public hqtest::PluginTest {
protected:
    void SpyOnWindowCalls() {
        setLong_ = std::make_unique<ImportPatch>(host().Module(), "SetWindowLongW",
                                                 reinterpret_cast<void*>(&SpySetWindowLongW));
        setPos_ = std::make_unique<ImportPatch>(host().Module(), "SetWindowPos",
                                                reinterpret_cast<void*>(&SpySetWindowPos));
        redraw_ = std::make_unique<ImportPatch>(host().Module(), "RedrawWindow",
                                                reinterpret_cast<void*>(&SpyRedrawWindow));
        g_spy.setLong = setLong_->previous();
        g_spy.setPos = setPos_->previous();
        g_spy.redraw = redraw_->previous();
    }
    void Unpatch() {
        setLong_.reset();
        setPos_.reset();
        redraw_.reset();
    }
    void TearDown() override {
        Unpatch();
        hqtest::PluginTest::TearDown();
    }

    std::unique_ptr<ImportPatch> setLong_, setPos_, redraw_;
};

struct FrameCase {
    int id;
    std::vector<std::string> params;
    bool external;  // on the external window "Ext" instead of the main window
    std::vector<std::string> events;
};

TEST_F(FrameChange, EachFrameStyleWriteIsFollowedByOneFrameChange) {
    const std::string mask = hqtest::ExeDirPath("frame_change_mask.bmp");
    {
        const std::vector<uint8_t> bytes = bmptest::MakeBmp(40, 30, [](int, int) { return 0u; });
        FILE* f = std::fopen(mask.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    using V = std::vector<std::string>;
    const V one{"style", "frame"};
    // Out of layered mode: erased, invalidated, frame and all child windows (0x485).
    const V unlayered{"ex", "redraw 485"};
    const FrameCase table[] = {
        {6, {}, false, {"style", "frame", "ex", "frame"}},   // WS_CAPTION, then the tool-window caption
        {7, {}, false, {"style", "frame", "ex", "frame"}},
        {8, {}, false, one},
        {9, {}, false, one},
        {10, {}, false, one},
        {11, {}, false, one},
        {12, {}, false, one},
        {13, {}, false, one},
        {14, {}, false, one},
        {15, {}, false, one},
        {16, {}, false, one},
        {17, {}, false, {}},  // the close item only: no style changes
        {18, {}, false, {}},
        {19, {}, false, {"style", "frame", "style", "frame"}},  // two writes, each applied
        {20, {mask}, false, one},                                 // the mask clears frame and caption
        {21, {"1", "2", "3"}, false, {"style", "frame", "ex"}},   // WS_EX_LAYERED changes no frame
        {22, {}, false, unlayered},
        {23, {"Ext"}, true, {"style", "frame", "pos"}},           // then its own topmost resize
        {24, {"Ext", "1", "2", "3"}, true, {"style", "frame", "ex"}},
        {25, {"Ext"}, true, unlayered},
    };
    for (const FrameCase& c : table) {
        host().ResetWindows();
        host().InitPlugIn();
        host().CreateExternalWindow("Ext", 560, 300, 200, 150);
        g_spy.target = c.external ? host().Object("Ext") : host().MainWindow();
        g_spy.events.clear();
        SpyOnWindowCalls();
        EXPECT_TRUE(Exec(c.id, c.params)) << "ID " << c.id;
        Unpatch();
        EXPECT_EQ(g_spy.events, c.events) << "ID " << c.id;
    }
    ::DeleteFileA(mask.c_str());
}

}  // namespace
