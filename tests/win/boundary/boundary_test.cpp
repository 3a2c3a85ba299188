// The export boundary under a hostile or careless host: errors raised to a
// host that unwinds, allocations that fail at any point of an action, null
// pointers and callbacks the host never registered.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

extern "C" {
#include <jpeglib.h>
#include <jerror.h>
}

#include "fixture.h"
#include "import_patch.h"
#include "raw_host.h"

namespace {

using hqtest::ImportPatch;

// ---- the plug-in's C heap, seen through its imports

struct HeapState {
    void*(__cdecl* malloc_)(size_t) = nullptr;
    void*(__cdecl* calloc_)(size_t, size_t) = nullptr;
    void*(__cdecl* realloc_)(void*, size_t) = nullptr;
    void(__cdecl* free_)(void*) = nullptr;
    char*(__cdecl* strdup_)(const char*) = nullptr;
    struct Block {
        size_t size;
        void* caller;  // return address in the plug-in, for the failure message
    };
    std::map<void*, Block> live;
    std::set<void*> freed;
    size_t allocations = 0;
    size_t failAt = 0;  // 1-based allocation number that fails, 0 for none
    size_t doubleFrees = 0;

    bool NextFails() { return ++allocations == failAt; }
    void Made(void* p, size_t size, void* caller) {
        if (!p) return;
        live[p] = {size, caller};
        freed.erase(p);
    }
    void Gone(void* p) {
        live.erase(p);
        freed.insert(p);
    }
} g_heap;

void* __cdecl SpyMalloc(size_t n) {
    if (g_heap.NextFails()) return nullptr;
    void* p = g_heap.malloc_(n);
    g_heap.Made(p, n, __builtin_return_address(0));
    return p;
}

void* __cdecl SpyCalloc(size_t n, size_t size) {
    if (g_heap.NextFails()) return nullptr;
    void* p = g_heap.calloc_(n, size);
    g_heap.Made(p, n * size, __builtin_return_address(0));
    return p;
}

void* __cdecl SpyRealloc(void* old, size_t n) {
    if (n && g_heap.NextFails()) return nullptr;
    void* p = g_heap.realloc_(old, n);
    if (old && (p || n == 0) && p != old) g_heap.Gone(old);
    g_heap.Made(p, n, __builtin_return_address(0));
    return p;
}

// The C library's own allocation that the plug-in frees with free().
char* __cdecl SpyStrdup(const char* text) {
    if (g_heap.NextFails()) return nullptr;
    char* p = g_heap.strdup_(text);
    g_heap.Made(p, p ? std::strlen(p) + 1 : 0, __builtin_return_address(0));
    return p;
}

void __cdecl SpyFree(void* p) {
    if (!p) return;
    if (g_heap.live.count(p)) {
        g_heap.Gone(p);
        g_heap.free_(p);
    } else if (g_heap.freed.count(p)) {
        ++g_heap.doubleFrees;  // kept from the heap: it would be corrupted
    } else {
        g_heap.free_(p);  // a block from before the spy
    }
}

// Routes the plug-in's malloc, calloc, realloc, _strdup and free through g_heap while alive.
class HeapSpy {
public:
    explicit HeapSpy(HMODULE plugin)
        : malloc_(plugin, "malloc", reinterpret_cast<void*>(&SpyMalloc)),
          calloc_(plugin, "calloc", reinterpret_cast<void*>(&SpyCalloc)),
          realloc_(plugin, "realloc", reinterpret_cast<void*>(&SpyRealloc)),
          strdup_(plugin, "_strdup", reinterpret_cast<void*>(&SpyStrdup)),
          free_(plugin, "free", reinterpret_cast<void*>(&SpyFree)) {
        g_heap = HeapState{};
        g_heap.malloc_ = reinterpret_cast<decltype(g_heap.malloc_)>(malloc_.previous());
        g_heap.calloc_ = reinterpret_cast<decltype(g_heap.calloc_)>(calloc_.previous());
        g_heap.realloc_ = reinterpret_cast<decltype(g_heap.realloc_)>(realloc_.previous());
        g_heap.strdup_ = reinterpret_cast<decltype(g_heap.strdup_)>(strdup_.previous());
        g_heap.free_ = reinterpret_cast<decltype(g_heap.free_)>(free_.previous());
    }
    bool installed() const { return malloc_.installed() && free_.installed(); }
    // Blocks allocated while the spy is installed and not freed.
    size_t Live() const { return g_heap.live.size(); }
    size_t DoubleFrees() const { return g_heap.doubleFrees; }
    // Counts allocations from now; the k-th fails (0: none does).
    void FailAt(size_t k) {
        g_heap.allocations = 0;
        g_heap.failAt = k;
    }
    size_t Allocations() const { return g_heap.allocations; }
    std::set<void*> LiveBlocks() const {
        std::set<void*> blocks;
        for (const auto& [p, block] : g_heap.live) blocks.insert(p);
        return blocks;
    }
    // The blocks alive now but not in `before`: size and the allocating
    // call's offset in the plug-in image (look it up in the DLL's symbols).
    std::string Describe(const std::set<void*>& before, HMODULE plugin) const {
        std::ostringstream out;
        for (const auto& [p, block] : g_heap.live) {
            if (before.count(p)) continue;
            out << " [" << block.size << " bytes from +0x" << std::hex
                << (reinterpret_cast<uintptr_t>(block.caller) - reinterpret_cast<uintptr_t>(plugin)) << std::dec
                << "]";
        }
        return out.str();
    }

private:
    ImportPatch malloc_, calloc_, realloc_, strdup_, free_;
};

// A 24-bit bottom-up BMP of pseudo-random pixels (compresses badly as JPEG).
void WriteNoiseBmp(const std::string& path, int width, int height) {
    const int stride = (width * 3 + 3) & ~3;
    const uint32_t imageSize = static_cast<uint32_t>(stride * height);
    std::vector<uint8_t> file(54 + imageSize);
    auto put32 = [&](size_t at, uint32_t v) { std::memcpy(&file[at], &v, 4); };
    auto put16 = [&](size_t at, uint16_t v) { std::memcpy(&file[at], &v, 2); };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, static_cast<uint32_t>(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(width));
    put32(22, static_cast<uint32_t>(height));
    put16(26, 1);
    put16(28, 24);
    put32(34, imageSize);
    uint32_t seed = 12345;
    for (size_t i = 54; i < file.size(); ++i) {
        seed = seed * 1103515245u + 12345u;
        file[i] = static_cast<uint8_t>(seed >> 16);
    }
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr) << path;
    std::fwrite(file.data(), 1, file.size(), f);
    std::fclose(f);
}

bool FileExists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

class Boundary : public hqtest::PluginTest {
protected:
    // Runs `call` with every allocation in turn failing (the k-th for k = 1
    // .. one past the count of a clean run). Each run must end in success or
    // in one of `errors` and free every block it made exactly once. The
    // runtime sets some things up once, on the first path that needs them
    // (a thread's exception globals, a lazily made lock), so each failure is
    // run twice: the second run must hold no block more than the first.
    template <typename Call>
    void SweepFailedAllocations(Call call, const std::set<std::string>& errors) {
        HeapSpy heap(host().Module());
        ASSERT_TRUE(heap.installed());
        call();
        heap.FailAt(0);
        call();
        const size_t total = heap.Allocations();
        ASSERT_GT(total, 0u);
        for (size_t k = 1; k <= total + 1; ++k) {
            heap.FailAt(k);
            call();
            const size_t held = heap.Live();
            const std::set<void*> heldBlocks = heap.LiveBlocks();
            heap.FailAt(k);
            call();
            const std::optional<std::string>& error = host().LastError();
            if (error) {
                EXPECT_TRUE(errors.count(*error)) << "allocation " << k << ": " << *error;
            }
            EXPECT_EQ(heap.DoubleFrees(), 0u) << "allocation " << k;
            EXPECT_EQ(heap.Live(), held) << "blocks left behind when allocation " << k << " failed:"
                                         << heap.Describe(heldBlocks, host().Module());
            if (::testing::Test::HasFailure()) return;
        }
    }
};

const std::string kLongTextError = "'" + std::string(299, '7') + "x' is not a valid integer value";

TEST_F(Boundary, ErrorsRaisedToAHostThatUnwindsLeaveNoHeapBlockBehind) {
    // The stand-in host never returns into RaiseException: it lands at its
    // own frame, as a host with try/except would unwind.
    HeapSpy heap(host().Module());
    ASSERT_TRUE(heap.installed());
    const std::string text = std::string(299, '7') + "x";
    ASSERT_EQ(ExecError(21, {text, "0", "0"}), kLongTextError);
    const size_t settled = heap.Live();
    for (int i = 0; i < 200; ++i) ASSERT_EQ(ExecError(21, {text, "0", "0"}), kLongTextError);
    EXPECT_EQ(heap.Live(), settled) << "each error left its message on the heap";
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
    ASSERT_TRUE(FileExists(out));
    SweepFailedAllocations([&] { host().Exec(41, params); },
                           {"Out of memory", "JPEG error #" + std::to_string(JERR_OUT_OF_MEMORY)});
    ::DeleteFileA(mainBmp.c_str());
    ::DeleteFileA(overlayBmp.c_str());
    ::DeleteFileA(out.c_str());
}

TEST_F(Boundary, NullPointersFromTheHostAreReadAsNothing) {
    using hqtest::Bits;
    using hqtest::InvokeRaw;
    // hqEditAction without a list: no dialog, false.
    EXPECT_FALSE(host().EditRaw(1, nullptr));
    EXPECT_FALSE(host().LastError().has_value());
    // hqInitPlugIn with null slot pointers: those slots are not written, the others are.
    char* description = nullptr;
    InvokeRaw("hqInitPlugIn", {Bits(host().MainWindow()), 0u, 0u, Bits(&description)});
    ASSERT_NE(description, nullptr);
    EXPECT_STREQ(description, "Несколько различных функций.");
    ledger().Take(description);
    InvokeRaw("hqInitPlugIn", {Bits(host().MainWindow()), 0u, 0u, 0u});
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
    InvokeRaw("hqRegisterPlugIn", {0u, 0u, Bits(reinterpret_cast<void*>(&hqcb_get_variable)),
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
            EXPECT_FALSE(FileExists(out)) << label;
        }
    }
    ::DeleteFileA(mainBmp.c_str());
}

}  // namespace
