// The fixture every Windows test that drives the plug-in uses: a fresh load of
// the real plug-in file in the stand-in host, started in the host's order, and
// checks after each test that no global block leaked or was freed twice, that
// the host ran every script command it was given, and that the calling
// convention held.
#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "hqhost.h"

namespace hqtest {

// What the loaded plug-in holds at one moment: GDI and USER objects, global
// blocks, open files and C heap blocks, as the host's import wrappers see them.
struct Holdings {
    hqhost::ObjectCounts objects;
    size_t globalBlocks = 0;
    size_t files = 0;
    size_t heapBlocks = 0;
    bool operator==(const Holdings&) const = default;
};
Holdings Held();
std::ostream& operator<<(std::ostream& out, const Holdings& h);

// Path of the plug-in file beside the test executable.
std::string PluginPath();
// A path beside the test executable (for output files of tests).
std::string ExeDirPath(const std::string& name);
// NAME in the Windows temporary folder: scratch files of tests that write
// many (a local disk even where the build folder is shared with a VM).
std::string TempDirPath(const std::string& name);
// A positive count from the environment variable `name`, else 0.
int EnvCount(const char* name);
// How many times the leak tests repeat an action: 1,000, or HQ_LEAK_ROUNDS
// where the run is emulated and slow (a per-call leak shows in any count).
int LeakRounds();
// Names of the files in a folder (ending in a backslash), to prove that no
// temporary file was left behind.
std::vector<std::string> FolderFiles(const std::string& folder);
// A whole file's bytes (none when it cannot be read), a whole file written,
// and whether anything exists at a path.
std::vector<uint8_t> ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
bool Exists(const std::string& path);

// The colour the screen shows at (x, y).
COLORREF ScreenPixel(int x, int y);

// Handles this thread's messages until `done()` holds or `timeoutMs` has
// passed (woken by any message, else every 10 ms to look again); returns
// whether it held. The tests wait for anything to happen with this, never
// for a fixed time.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);
// Handles the messages queued for this thread now, waiting for none.
inline void PumpPending() { WaitUntil([] { return false; }, 0); }

class PluginTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    hqhost::Host& host() { return hqhost::Host::Instance(); }
    hqhost::Ledger& ledger() { return host().ledger(); }
    // Runs an action; fails the test when it raised an error.
    bool Exec(int id, const std::vector<std::string>& params = {});
    // Runs an action expected to raise; returns the error text ("" if none).
    std::string ExecError(int id, const std::vector<std::string>& params = {});
    // The leak check: runs body(0) once (so one-time set-up settles), then
    // body(1) .. body(LeakRounds()); fails, naming `what`, when the plug-in
    // then holds anything it did not hold after the first run.
    template <typename Body>
    void ExpectNoLeak(const std::string& what, Body body) {
        body(0);
        const Holdings before = Held();
        for (int i = 1, n = LeakRounds(); i <= n && !HasFatalFailure(); ++i) body(i);
        EXPECT_EQ(Held(), before) << what;
    }

    size_t liveBlocksAtStart_ = 0;
};

}  // namespace hqtest
