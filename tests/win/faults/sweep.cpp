#include "sweep.h"

#include <algorithm>
#include <cstdio>
#include <set>

#include "image/bmp_image.h"
#include "fixture.h"
#include "base/error.h"
#include "pubscript.h"

namespace faultsweep {

namespace {

// Message boxes the plug-in shows during a run are answered at once.
int g_boxesClosed = 0;

BOOL CALLBACK CloseBox(HWND h, LPARAM) {
    wchar_t cls[16] = {};
    ::GetClassNameW(h, cls, 16);
    if (std::wcscmp(cls, L"#32770") == 0 && ::IsWindowVisible(h)) {
        ::PostMessageW(h, WM_COMMAND, IDOK, 0);
        ++g_boxesClosed;
    }
    return TRUE;
}

void CALLBACK CloserTick(HWND, UINT, UINT_PTR, DWORD) {
    ::EnumThreadWindows(::GetCurrentThreadId(), &CloseBox, 0);
}

DWORD WINAPI TryClipboard(void*) {
    if (!::OpenClipboard(nullptr)) return 0;
    ::CloseClipboard();
    return 1;
}

// Destroys the top-level windows of the thread whose procedure lies in the
// module given as [begin, end).
BOOL CALLBACK DestroyModuleWindow(HWND h, LPARAM range) {
    const auto* r = reinterpret_cast<const uintptr_t*>(range);
    const auto proc = static_cast<uintptr_t>(::GetWindowLongPtrW(h, GWLP_WNDPROC));
    if (proc >= r[0] && proc < r[1]) ::DestroyWindow(h);
    return TRUE;
}

Plan Capped(Plan plan) {
    const int cap = hqtest::EnvCount("HQ_SWEEP_CALLS");
    if (cap > 0) {
        const unsigned c = static_cast<unsigned>(cap);
        plan = {std::min(plan.everyCallUpTo, c), std::min(plan.samplesBeyond, c), std::min(plan.lastCalls, c)};
    }
    return plan;
}

std::vector<unsigned> CallsToFail(unsigned calls, Plan plan) {
    plan = Capped(plan);
    std::set<unsigned> ks;
    for (unsigned k = 1; k <= calls && k <= plan.everyCallUpTo; ++k) ks.insert(k);
    if (calls > plan.everyCallUpTo) {
        const unsigned span = calls - plan.everyCallUpTo;
        for (unsigned i = 1; i <= plan.samplesBeyond; ++i)
            ks.insert(plan.everyCallUpTo + (span * i + plan.samplesBeyond - 1) / plan.samplesBeyond);
    }
    for (unsigned i = 0; i < plan.lastCalls && i < calls; ++i) ks.insert(calls - i);
    return {ks.begin(), ks.end()};
}

bool IsTemporaryName(const std::string& name) {
    return name.rfind('~', 0) == 0 || (name.size() > 4 && name.compare(name.size() - 4, 4, ".tmp") == 0);
}

std::string Join(const std::vector<std::string>& items) {
    std::string s;
    for (const std::string& i : items) s += (s.empty() ? "" : "; ") + i;
    return s;
}

}  // namespace

bool CompleteBmp(const std::vector<uint8_t>& bytes) {
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') return false;
    const uint32_t declared = bytes[2] | bytes[3] << 8 | bytes[4] << 16 | static_cast<uint32_t>(bytes[5]) << 24;
    if (declared != bytes.size()) return false;
    try {
        return !hq::bmp::Decode(bytes).Empty();
    } catch (const hq::Error&) {
        return false;
    }
}

bool CompleteJpeg(const std::vector<uint8_t>& bytes) {
    return bytes.size() > 4 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[bytes.size() - 2] == 0xFF &&
           bytes.back() == 0xD9;
}

bool ClipboardFree() {
    HANDLE t = ::CreateThread(nullptr, 0, &TryClipboard, nullptr, 0, nullptr);
    ::WaitForSingleObject(t, 5000);
    DWORD code = 0;
    ::GetExitCodeThread(t, &code);
    ::CloseHandle(t);
    return code == 1;
}

void SweepTest::SetUp() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = hqtest::ExeDirPath(std::string("faults_") + info->name() + "\\");
    ::CreateDirectoryA(folder_.c_str(), nullptr);
    for (const std::string& f : FolderFiles()) ::DeleteFileA((folder_ + f).c_str());
    host().SetInteractive(false);
    ASSERT_TRUE(host().Load(hqtest::PluginPath()));
    WarmUp();
}

void SweepTest::WarmUp() {
    // The first exception the plug-in throws after it is loaded makes the
    // C++ runtime set up what it then keeps until unload (the unwinder's
    // sorted frame table, this thread's exception globals): about 11 KB.
    // One error raised here keeps that out of every run's heap count.
    host().Exec(21, {"x", "0", "0"});
}

void SweepTest::TearDown() {
    host().ResetWindows();
    host().Unload();
}

void SweepTest::Reload() {
    host().ResetWindows();
    if (const HMODULE m = host().Module()) {
        const auto base = reinterpret_cast<uintptr_t>(m);
        const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<const IMAGE_DOS_HEADER*>(m)->e_lfanew);
        const uintptr_t range[2] = {base, base + nt->OptionalHeader.SizeOfImage};
        ::EnumThreadWindows(::GetCurrentThreadId(), &DestroyModuleWindow, reinterpret_cast<LPARAM>(range));
    }
    ASSERT_TRUE(host().Load(hqtest::PluginPath()));
    WarmUp();
}

std::vector<std::string> SweepTest::FolderFiles() const { return hqtest::FolderFiles(folder_); }

void SweepTest::CommonChecks(const RunResult& r, std::vector<std::string>& problems) {
    if (r.foreign) problems.push_back("foreign exception: " + *r.foreign);
    for (const std::string& f : host().ledger().Faults()) problems.push_back(f);
    for (const std::string& f : hqhost::faults::HeapFaults()) problems.push_back(f);
    const size_t heapBytes = hqhost::faults::HeapBytesSinceArm();
    if (heapBytes > kHeapLeakBytes)
        problems.push_back("heap memory leaked: " + std::to_string(hqhost::faults::HeapBlocksSinceArm()) +
                           " blocks, " + std::to_string(heapBytes) + " bytes");
    const HWND main = host().MainWindow();
    if (!::IsWindowVisible(main)) problems.push_back("the main window is hidden");
    const int left = ::GetSystemMetrics(SM_XVIRTUALSCREEN), top = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
    const RECT screen{left, top, left + ::GetSystemMetrics(SM_CXVIRTUALSCREEN),
                      top + ::GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    RECT clip{};
    ::GetClipCursor(&clip);
    if (!::EqualRect(&clip, &screen)) problems.push_back("the cursor is left confined");
    if (!ClipboardFree()) problems.push_back("the clipboard is left open");
}

size_t SweepTest::Sweep(const char* subsystem, const std::vector<Case>& cases, Plan plan) {
    namespace faults = hqhost::faults;
    size_t points = 0, untripped = 0;

    auto runOnce = [&](const Case& c, const std::string& site, unsigned call) {
        RunResult r;
        r.site = site;
        r.call = call;
        if (c.prepare) c.prepare();
        const hqhost::ObjectCounts objects = host().LiveObjects();
        const size_t blocks = host().ledger().Live();
        const size_t files = faults::LiveFiles();
        const std::vector<std::string> before = FolderFiles();
        host().ledger().ClearFaults();
        faults::ClearHeapFaults();
        g_boxesClosed = 0;
        const UINT_PTR closer = ::SetTimer(nullptr, 0, 20, &CloserTick);
        faults::Arm(site, call);
        r.returned = c.run();
        faults::Disarm();
        ::KillTimer(nullptr, closer);
        r.error = host().LastError().value_or("");
        r.foreign = host().LastForeignFault();

        std::vector<std::string> problems;
        CommonChecks(r, problems);
        if (!r.foreign) {  // after an abandoned call the counts say nothing more
            hqhost::ObjectCounts expected = objects;
            if (r.error.empty()) expected.user += c.userDeltaWithoutError;
            if (host().LiveObjects() != objects && host().LiveObjects() != expected)
                problems.push_back("GDI/USER objects " + std::to_string(objects.gdi) + "/" +
                                   std::to_string(objects.user) + " became " +
                                   std::to_string(host().LiveObjects().gdi) + "/" +
                                   std::to_string(host().LiveObjects().user));
            if (host().ledger().Live() != blocks)
                problems.push_back("global blocks " + std::to_string(blocks) + " became " +
                                   std::to_string(host().ledger().Live()));
            if (faults::LiveFiles() != files) problems.push_back("a file handle is left open");
        }
        // A temporary file may stay only when the system refused to delete it.
        if (site != "DeleteFileA" && site != "DeleteFileW")
            for (const std::string& f : FolderFiles())
                if (IsTemporaryName(f) && std::find(before.begin(), before.end(), f) == before.end())
                    problems.push_back("temporary file left: " + f);
        if (c.verify) c.verify(r, problems);

        if (r.foreign) Reload();
        if (problems.empty()) return;
        const std::string where = c.name + (site.empty() ? " (clean run)" : " failing " + site + " #" + std::to_string(call));
        ADD_FAILURE() << where << ": " << Join(problems) << (r.error.empty() ? "" : " [error: " + r.error + "]");
    };

    const bool progress = hqtest::EnvCount("HQ_SWEEP_PROGRESS") > 0;
    for (const Case& c : cases) {
        if (progress) std::fprintf(stderr, "[ case     ] %s\n", c.name.c_str());
        const size_t pointsBefore = points;
        const DWORD started = ::GetTickCount();
        // One unchecked run first: what a case's first run sets up and keeps
        // (a dialog's design, built when it first opens) is no leak of a run.
        if (c.prepare) c.prepare();
        c.run();
        if (host().LastForeignFault()) Reload();
        runOnce(c, "", 0);
        const std::vector<hqhost::SiteCalls> calls = faults::Calls();
        for (const hqhost::SiteCalls& s : calls)
            for (unsigned k : CallsToFail(s.calls, plan)) {
                runOnce(c, s.site, k);
                ++points;
                if (!faults::Tripped()) ++untripped;
            }
        if (progress)
            std::fprintf(stderr, "[ case     ] %s: %zu failure points, %lu ms\n", c.name.c_str(), points - pointsBefore,
                         static_cast<unsigned long>(::GetTickCount() - started));
    }
    std::printf("[ swept    ] %s: %zu failure points over %zu cases (%zu not reached again)\n", subsystem, points,
                cases.size(), untripped);
    return points;
}

}  // namespace faultsweep
