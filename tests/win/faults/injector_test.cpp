// The injector itself: a planned failure hits exactly the k-th call of its
// site with the documented result, calls are counted per site, and a fault no
// handler inside an export call catches (an access violation, abort) ends
// that call only, not the test process.
#include <stdexcept>
#include <string>

#include "faults.h"
#include "fixture.h"
#include "import_patch.h"

namespace {

namespace faults = hqhost::faults;

int g_spyCalls = 0;

HDC WINAPI CrashingGetDC(HWND) {
    ++g_spyCalls;
    int* volatile nowhere = nullptr;  // read at run time, so the compiler cannot turn it into a trap
    return reinterpret_cast<HDC>(static_cast<intptr_t>(*static_cast<volatile int*>(nowhere)));
}

void __cdecl AbortingFree(void*) { ::RaiseException(0xE0AB0127, 0, 0, nullptr); }

class InjectorTest : public hqtest::PluginTest {
protected:
    std::string Target() { return hqtest::ExeDirPath("faults_injector.bmp"); }
};

TEST_F(InjectorTest, TheKthCallOfASiteFailsWithItsDocumentedResult) {
    faults::Arm();
    EXPECT_TRUE(Exec(2, {Target()}));
    faults::Disarm();
    unsigned creates = 0;
    for (const hqhost::SiteCalls& s : faults::Calls())
        if (s.site == "CreateFileA") creates = s.calls;
    ASSERT_GE(creates, 2u) << "the existing target is probed, then the temporary file made";

    // The last CreateFileA (the temporary file) is refused with access denied.
    const size_t files = faults::LiveFiles();
    faults::Arm("CreateFileA", creates);
    const std::string error = ExecError(2, {Target()});
    faults::Disarm();
    EXPECT_TRUE(faults::Tripped());
    EXPECT_EQ(error.rfind("Cannot create file \"", 0), 0u) << error;
    EXPECT_EQ(faults::LiveFiles(), files);

    // A call number past the run's calls never trips.
    faults::Arm("CreateFileA", creates + 1);
    EXPECT_TRUE(Exec(2, {Target()}));
    faults::Disarm();
    EXPECT_FALSE(faults::Tripped());
    ::DeleteFileA(Target().c_str());
}

TEST_F(InjectorTest, AFaultInsideACallEndsThatCallAndTheHostGoesOn) {
    struct Case {
        const char* import;
        void* spy;
        const char* expected;  // start of the host's report
    };
    const Case cases[] = {
        {"GetDC", reinterpret_cast<void*>(&CrashingGetDC), "access violation (reading "},
        {"free", reinterpret_cast<void*>(&AbortingFree), "exception 0xE0AB0127"},
    };
    for (const Case& c : cases) {
        {
            hqtest::ImportPatch patch(host().Module(), c.import, c.spy);
            ASSERT_TRUE(patch.installed()) << c.import;
            host().Exec(2, {Target()});
        }
        ASSERT_TRUE(host().LastForeignFault().has_value()) << c.import;
        EXPECT_EQ(host().LastForeignFault()->rfind(c.expected, 0), 0u) << *host().LastForeignFault();
        EXPECT_FALSE(host().LastError().has_value());
        // The process, its exceptions and the next call still work.
        EXPECT_THROW(throw std::runtime_error("still unwinding"), std::runtime_error);
        EXPECT_TRUE(Exec(2, {Target()}));
        EXPECT_FALSE(host().LastForeignFault().has_value());
    }
    ::DeleteFileA(Target().c_str());
}

}  // namespace
