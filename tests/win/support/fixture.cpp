#include "fixture.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "counting.h"
#include "faults.h"

namespace hqtest {

std::string ExeDirPath(const std::string& name) {
    char buf[MAX_PATH];
    const DWORD n = ::GetModuleFileNameA(nullptr, buf, MAX_PATH);
    std::string path(buf, n);
    return path.substr(0, path.find_last_of("\\/") + 1) + name;
}

std::string TempDirPath(const std::string& name) {
    char buf[MAX_PATH + 1];
    const DWORD n = ::GetTempPathA(sizeof buf, buf);
    return std::string(buf, n < sizeof buf ? n : 0) + name;
}

int EnvCount(const char* name) {
    char buf[16];
    const DWORD n = ::GetEnvironmentVariableA(name, buf, sizeof buf);
    const int count = n > 0 && n < sizeof buf ? std::atoi(buf) : 0;
    return count > 0 ? count : 0;
}

int LeakRounds() {
    const int rounds = EnvCount("HQ_LEAK_ROUNDS");
    return rounds > 0 ? rounds : 1000;
}

std::vector<std::string> FolderFiles(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = ::FindFirstFileA((folder + "*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(data.cFileName);
    } while (::FindNextFileA(find, &data));
    ::FindClose(find);
    return names;
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

COLORREF ScreenPixel(int x, int y) {
    const HDC screen = ::GetDC(nullptr);
    const COLORREF c = ::GetPixel(screen, x, y);
    ::ReleaseDC(nullptr, screen);
    return c;
}

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    while (!done()) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        const ULONGLONG now = ::GetTickCount64();
        if (now >= deadline) return done();
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, 10)),
                                    QS_ALLINPUT);
    }
    return true;
}

Holdings Held() {
    return Holdings{hqhost::LiveObjects(), hqhost::Host::Instance().ledger().Live(), hqhost::faults::LiveFiles(),
                    hqhost::faults::LiveHeapBlocks()};
}

std::ostream& operator<<(std::ostream& out, const Holdings& h) {
    return out << "GDI " << h.objects.gdi << ", USER " << h.objects.user << ", global blocks " << h.globalBlocks
               << ", files " << h.files << ", heap blocks " << h.heapBlocks;
}

std::string PluginPath() { return ExeDirPath("zeZoreredur.hqp"); }

void PluginTest::SetUp() {
    ASSERT_TRUE(host().Load(PluginPath())) << "cannot load " << PluginPath();
    host().ScriptErrors().clear();
    host().PickAnswers().clear();
    host().PickRequests().clear();
    host().CallLog().clear();
    ledger().ClearFaults();
    liveBlocksAtStart_ = ledger().Live();
}

void PluginTest::TearDown() {
    host().ResetWindows();
    host().Unload();
    EXPECT_EQ(ledger().Live(), liveBlocksAtStart_) << "global blocks leaked";
    EXPECT_TRUE(ledger().Faults().empty()) << ledger().Faults().front();
    EXPECT_TRUE(host().ScriptErrors().empty()) << host().ScriptErrors().front();
    EXPECT_EQ(host().StackFaults(), 0u) << "a call did not remove its stack arguments";
}

bool PluginTest::Exec(int id, const std::vector<std::string>& params) {
    const bool r = host().Exec(id, params);
    EXPECT_FALSE(host().LastError().has_value()) << "action " << id << " raised: " << *host().LastError();
    return r;
}

std::string PluginTest::ExecError(int id, const std::vector<std::string>& params) {
    host().Exec(id, params);
    return host().LastError().value_or("");
}

}  // namespace hqtest
