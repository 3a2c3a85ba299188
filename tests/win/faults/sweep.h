// The fault sweep: each case (an action, a message or a dialog's OK path) runs
// once clean, recording the patched calls it makes; then once per recorded
// call with that call failing. Every run must end with the plug-in's error
// text reaching the host or on the case's documented silent path, and leave
// no foreign exception, double free, leaked object, block, handle or heap
// memory, and a usable main window, cursor and clipboard behind.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "faults.h"
#include "fixture.h"
#include "hqhost.h"

namespace faultsweep {

// How one run ended.
struct RunResult {
    bool returned = false;            // the export's Boolean
    std::string error;                // the plug-in's error text, empty if none
    std::optional<std::string> foreign;  // a fault no handler caught
    std::string site;                 // the failed call ("" in the clean run)
    unsigned call = 0;
    bool clean() const { return site.empty(); }
};

struct Case {
    std::string name;                 // "1 fzShotDesktopToJpg"
    std::function<void()> prepare;    // before every run, not counted
    std::function<bool()> run;        // the call through the host
    // After every run: problems specific to the case (files, windows, values).
    std::function<void(const RunResult&, std::vector<std::string>&)> verify;
    // USER objects a run that raised no error may hand over (negative) or keep.
    int userDeltaWithoutError = 0;
};

// Calls swept per site: every call up to `everyCallUpTo`, then `samplesBeyond`
// spread evenly over the rest, and the last `lastCalls` (where an action
// finishes: writing its file, storing a dialog's fields).
// Where the run is emulated and slow, HQ_SWEEP_CALLS=N caps each of the three
// at N (the first calls, where most set-up fails, stay in).
// HQ_SWEEP_PROGRESS=1 names each case on standard error as it starts, and
// its failure points and time when it ends.
struct Plan {
    unsigned everyCallUpTo = 48;
    unsigned samplesBeyond = 12;
    unsigned lastCalls = 8;
};
// Heap memory allocated in a run and still live after it that counts as a leak.
inline constexpr size_t kHeapLeakBytes = 4096;

class SweepTest : public ::testing::Test {
protected:
    void SetUp() override;
    void WarmUp();
    void TearDown() override;

    hqhost::Host& host() { return hqhost::Host::Instance(); }
    // Sweeps every case; prints and returns the number of (case, call) failure points.
    size_t Sweep(const char* subsystem, const std::vector<Case>& cases, Plan plan = {});
    // A path in this test's scratch folder.
    std::string Path(const std::string& name) const { return folder_ + name; }
    const std::string& Folder() const { return folder_; }
    // Names of the files in the scratch folder.
    std::vector<std::string> FolderFiles() const;
    // After an abandoned call: destroys the plug-in's windows, loads it afresh
    // and re-creates the host's main window.
    void Reload();

private:
    // Problems every run is checked for.
    void CommonChecks(const RunResult& r, std::vector<std::string>& problems);
    std::string folder_;
};

// File helpers.
using hqtest::Exists;
using hqtest::ReadBytes;
using hqtest::WriteBytes;
// A complete BMP file (header sizes agree with the file) / JPEG (SOI ... EOI).
bool CompleteBmp(const std::vector<uint8_t>& bytes);
bool CompleteJpeg(const std::vector<uint8_t>& bytes);

// The clipboard can be opened by another thread (nobody holds it open).
bool ClipboardFree();

}  // namespace faultsweep
