// The export boundary under a hostile or careless host: errors raised to a
// host that unwinds, allocations that fail at any point of an action, null
// pointers and callbacks the host never registered.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

extern "C" {
#include <jpeglib.h>
#include <jerror.h>
}

#include "bmp_craft.h"
#include "fixture.h"
#include "faults.h"
#include "raw_host.h"

namespace {

namespace faults = hqhost::faults;

bool IsAllocator(const std::string& site) {
    return site == "malloc" || site == "calloc" || site == "realloc" || site == "_strdup";
}

// A 24-bit bottom-up BMP of pseudo-random pixels (compresses badly as JPEG).
void WriteNoiseBmp(const std::string& path, int width, int height) {
    bmptest::Craft bmp;
    bmp.width = width, bmp.height = height, bmp.pelsPerMeter = 0;
    bmp.pixels.resize(bmptest::Stride(width, 24) * height);
    bmp.sizeImage = static_cast<uint32_t>(bmp.pixels.size());
    uint32_t seed = 12345;
    for (uint8_t& b : bmp.pixels) {
        seed = seed * 1103515245u + 12345u;
        b = static_cast<uint8_t>(seed >> 16);
    }
    hqtest::WriteBytes(path, bmp.Build());
    ASSERT_TRUE(hqtest::Exists(path)) << path;
}

class Boundary : public hqtest::PluginTest {
protected:
    // Runs `call` with every allocation in turn failing (each call of each C
    // allocator that a clean run makes). Each run must end in success or in
    // one of `errors` and free every block it made exactly once. The runtime
    // sets some things up once, on the first path that needs them (a thread's
    // exception globals, a lazily made lock), so each failure is run twice:
    // the second run must leave no block of its own.
    template <typename Call>
    void SweepFailedAllocations(Call call, const std::set<std::string>& errors) {
        call();
        faults::Arm();
        call();
        const std::vector<hqhost::SiteCalls> plan = faults::Calls();
        faults::Disarm();
        size_t points = 0;
        for (const hqhost::SiteCalls& s : plan) {
            if (!IsAllocator(s.site)) continue;
            for (unsigned k = 1; k <= s.calls; ++k, ++points) {
                for (int run = 0; run < 2; ++run) {
                    faults::ClearHeapFaults();
                    faults::Arm(s.site, k);
                    call();
                    faults::Disarm();
                }
                const std::string where = s.site + " #" + std::to_string(k);
                const std::optional<std::string>& error = host().LastError();
                if (error) {
                    EXPECT_TRUE(errors.count(*error)) << where << ": " << *error;
                }
                EXPECT_TRUE(faults::HeapFaults().empty()) << where << ": " << faults::HeapFaults().front();
                EXPECT_EQ(faults::HeapBlocksSinceArm(), 0u)
                    << "blocks left behind when " << where << " failed:" << faults::DescribeHeapSinceArm(host().Module());
                if (::testing::Test::HasFailure()) return;
            }
        }
        EXPECT_GT(points, 0u);
    }
};

const std::string kLongTextError = "'" + std::string(299, '7') + "x' is not a valid integer value";

TEST_F(Boundary, ErrorsRaisedToAHostThatUnwindsLeaveNoHeapBlockBehind) {
    // The stand-in host never returns into RaiseException: it lands at its
    // own frame, as a host with try/except would unwind.
    const std::string text = std::string(299, '7') + "x";
    ExpectNoLeak("errors raised to a host that unwinds",
                 [&](int) { ASSERT_EQ(ExecError(21, {text, "0", "0"}), kLongTextError); });
}

TEST_F(Boundary, EveryFailedAllocationOfAnErroringActionStillReportsAnError) {
    // A failure while the error is being reported must still reach the host
    // as an error, never end the process.
    const std::string text = std::string(299, '7') + "x";
    SweepFailedAllocations([&] { host().Exec(21, {text, "0", "0"}); }, {kLongTextError, "Out of memory"});
}

TEST_F(Boundary, JpegEncodingFailingAtAnyAllocationFreesEveryBlockOnce) {
    // A 512 x 512 noise picture at quality 100 makes the encoder's output grow
    // many times; each allocation in turn fails.
    const std::string mainBmp = hqtest::ExeDirPath("boundary_noise.bmp");
    const std::string overlayBmp = hqtest::ExeDirPath("boundary_overlay.bmp");
    const std::string out = hqtest::ExeDirPath("boundary_noise.jpg");
    WriteNoiseBmp(mainBmp, 512, 512);
    WriteNoiseBmp(overlayBmp, 16, 16);
    const std::vector<std::string> params = {mainBmp, overlayBmp, "0", "0", "Tr", "128", "", "Jpg", "100", out};
    ASSERT_TRUE(Exec(41, params));
    ASSERT_TRUE(hqtest::Exists(out));
    SweepFailedAllocations([&] { host().Exec(41, params); },
                           {"Out of memory", "JPEG error #" + std::to_string(JERR_OUT_OF_MEMORY)});
    ::DeleteFileA(mainBmp.c_str());
    ::DeleteFileA(overlayBmp.c_str());
    ::DeleteFileA(out.c_str());
}

TEST_F(Boundary, NullPointersFromTheHostAreReadAsNothing) {
    using hqtest::Bits;
    using hqtest::Word;
    using hqtest::InvokeRaw;
    // hqEditAction without a list: no dialog, false.
    EXPECT_FALSE(host().EditRaw(1, nullptr));
    EXPECT_FALSE(host().LastError().has_value());
    // hqInitPlugIn with null slot pointers: those slots are not written, the others are.
    char* description = nullptr;
    InvokeRaw("hqInitPlugIn", {Bits(host().MainWindow()), Word{0}, Word{0}, Bits(&description)});
    ASSERT_NE(description, nullptr);
    EXPECT_STREQ(description, "Несколько различных функций.");
    ledger().Take(description);
    InvokeRaw("hqInitPlugIn", {Bits(host().MainWindow()), Word{0}, Word{0}, Word{0}});
    // hqExecAction without a list reads every parameter as empty text, as null slots do.
    const char* nullSlots[3] = {nullptr, nullptr, nullptr};
    host().ExecRaw(21, nullSlots);
    const std::optional<std::string> withNullSlots = host().LastError();
    ASSERT_TRUE(withNullSlots.has_value());
    host().ExecRaw(21, nullptr);
    EXPECT_EQ(host().LastError(), withNullSlots);
    EXPECT_TRUE(host().ExecRaw(26, nullptr));  // "" is no switch value: nothing happens
    EXPECT_FALSE(host().LastError().has_value());
    // hqRegisterPlugIn without a register-action callback registers nothing
    // and still keeps the variable callbacks.
    InvokeRaw("hqRegisterPlugIn", {Word{0}, Word{0}, Bits(reinterpret_cast<void*>(&hqcb_get_variable)),
                                   Bits(reinterpret_cast<void*>(&hqcb_set_variable))});
    EXPECT_FALSE(Exec(46, {"5", "[Sys]"}));  // the action's own result is false
    EXPECT_FALSE(host().Var("[Sys]").empty());
}

// ---- callbacks the host never registered

struct WindowState {
    LONG style = 0, exStyle = 0;
    bool operator==(const WindowState&) const = default;
};
WindowState StateOf(HWND h) { return {::GetWindowLongW(h, GWL_STYLE), ::GetWindowLongW(h, GWL_EXSTYLE)}; }

TEST_F(Boundary, ActionsNeedingAMissingCallbackRaiseBeforeChangingAnything) {
    using hqtest::kGet;
    using hqtest::kScript;
    using hqtest::kSet;
    const std::string mainBmp = hqtest::ExeDirPath("boundary_main.bmp");
    const std::string out = hqtest::ExeDirPath("boundary_trcolor.jpg");
    WriteNoiseBmp(mainBmp, 8, 8);
    ::DeleteFileA(out.c_str());
    const HWND edit = host().CreateTextEntry("Edit1", 10, 10, 100, 24);
    const HWND external = host().CreateExternalWindow("Ext", 600, 400, 200, 150);
    struct Case {
        int id;  // 0: message 6 with options pending
        std::vector<std::string> params;
        unsigned needs;
    };
    const Case cases[] = {
        {6, {}, kScript},
        {7, {}, kScript},
        {8, {}, kScript},
        {11, {}, kScript},
        {12, {}, kScript},
        {19, {}, kScript},
        {23, {"Ext"}, kGet},
        {24, {"Ext", "1", "2", "3"}, kGet},
        {25, {"Ext"}, kGet},
        {27, {"1", "1", "[Pixel]"}, kSet},
        {32, {"[Under]"}, kSet},
        {36, {}, kSet},
        {38, {"Edit1", "1", "1"}, kGet | kSet | kScript},
        {40, {"1", "10", "10", "1", "0", "0", "[R]", "[H]", "[F]", "[T]"}, kGet | kSet},
        {41, {mainBmp, mainBmp, "0", "0", "TrColor", "", "255,0,0", "Jpg", "75", out}, kGet | kSet | kScript},
        {45, {"missing.png"}, kSet},
        {46, {"5", "[Sys]"}, kSet},
        {0, {}, kGet | kSet | kScript},
    };
    for (const Case& c : cases) {
        for (unsigned missing : {kGet, kSet, kScript}) {
            if (!(c.needs & missing)) continue;
            const std::string label = "action " + std::to_string(c.id) + " without callback " + std::to_string(missing);
            hqtest::RegisterCallbacks(0);
            if (c.id == 0) {
                ASSERT_TRUE(Exec(38, {"Edit1", "0", ""})) << label;
            }
            hqtest::RegisterCallbacks(missing);
            host().CallLog().clear();
            const size_t scripts = host().Scripts().size();
            const WindowState mainBefore = StateOf(host().MainWindow());
            const WindowState externalBefore = StateOf(external);
            const WindowState editBefore = StateOf(edit);
            if (c.id == 0)
                host().Message(6);
            else
                host().Exec(c.id, c.params);
            EXPECT_EQ(host().LastError().value_or("(none)"), "Host callback is not registered") << label;
            EXPECT_TRUE(host().CallLog().empty()) << label << ": " << host().CallLog().front();
            EXPECT_EQ(host().Scripts().size(), scripts) << label;
            EXPECT_TRUE(StateOf(host().MainWindow()) == mainBefore) << label;
            EXPECT_TRUE(StateOf(external) == externalBefore) << label;
            EXPECT_TRUE(StateOf(edit) == editBefore) << label;
            EXPECT_FALSE(hqtest::Exists(out)) << label;
        }
    }
    ::DeleteFileA(mainBmp.c_str());
}

}  // namespace
