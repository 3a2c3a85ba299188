// The plug-in spine through the stand-in host: identity, dispatch, the error
// boundary, the process code page, and the object counting later tests use.
#include <gtest/gtest.h>

#include <cstring>

#include "fixture.h"

namespace {

using hqtest::PluginTest;

class SpineTest : public PluginTest {};

// The address of a local one call below the caller: equal at equal depth.
__attribute__((noinline)) uintptr_t StackDepthProbe() {
    volatile int local = 0;
    return reinterpret_cast<uintptr_t>(&local);
}

TEST_F(SpineTest, ProcessRunsWithTheWindows1251CodePage) { EXPECT_EQ(::GetACP(), 1251u); }

TEST_F(SpineTest, IdentityFillsEmptySlotsWithNewBlocks) {
    const hqhost::Identity id = host().InitPlugIn();
    EXPECT_EQ(id.name, "zeZoreredur");
    EXPECT_FALSE(id.author.empty());
    EXPECT_EQ(id.description, "Несколько различных функций.");
}

TEST_F(SpineTest, IdentityFreesPrefilledSlotsBeforeReplacingThem) {
    // The ledger fails the test if a pre-filled block is leaked or freed twice.
    const hqhost::Identity id = host().InitPlugIn({"old name", "old author", "old description, longer"});
    EXPECT_EQ(id.name, "zeZoreredur");
    EXPECT_EQ(id.description, "Несколько различных функций.");
}

TEST_F(SpineTest, IdentityBlocksAreFixedGlobalMemoryOfLengthPlusOne) {
    char* slots[3] = {nullptr, nullptr, nullptr};
    host().InitPlugInRaw(slots);
    for (char* block : slots) {
        ASSERT_NE(block, nullptr);
        EXPECT_TRUE(ledger().IsLive(block));
        EXPECT_EQ(::GlobalSize(block), std::strlen(block) + 1);
        EXPECT_EQ(::GlobalHandle(block), static_cast<HGLOBAL>(block)) << "not GMEM_FIXED";
    }
    EXPECT_STREQ(slots[0], "zeZoreredur");
    for (char* block : slots) ledger().Take(block);
}

TEST_F(SpineTest, UnknownActionIdsReturnFalseAndCallNoCallback) {
    for (int id : {0, 47, 99, 101, -1, 1000}) {
        EXPECT_FALSE(host().Exec(id, {"x", "y"})) << id;
        EXPECT_FALSE(host().LastError().has_value()) << id;
    }
    EXPECT_TRUE(host().CallLog().empty());
    EXPECT_TRUE(host().Scripts().empty());
}

TEST_F(SpineTest, EditOfAnActionWithoutDialogTouchesNoSlot) {
    char* slots[2] = {ledger().Give("a"), ledger().Give("b")};
    char* const before[2] = {slots[0], slots[1]};
    for (int id : {0, 6, 19, 22, 29, 34, 36, 37, 42, 43, 47, 101, -5}) {
        EXPECT_FALSE(host().EditRaw(id, slots)) << id;
        EXPECT_EQ(slots[0], before[0]);
        EXPECT_EQ(slots[1], before[1]);
    }
    EXPECT_STREQ(slots[0], "a");
    ledger().Take(slots[0]);
    ledger().Take(slots[1]);
}

TEST_F(SpineTest, MessagesOtherThanSixDoNothing) {
    for (int code : {0, 1, 5, 7, -6, 600}) {
        host().Message(code);
        EXPECT_FALSE(host().LastError().has_value());
    }
    host().Message(6);  // nothing pending: no callback at all
    EXPECT_TRUE(host().CallLog().empty());
    EXPECT_TRUE(host().Scripts().empty());
}

TEST_F(SpineTest, NullParameterReadsAsEmptyText) {
    const char* params[2] = {nullptr, "[Out]"};
    host().ExecRaw(46, params);
    ASSERT_TRUE(host().LastError().has_value());
    EXPECT_EQ(*host().LastError(), "'' is not a valid integer value");
}

TEST_F(SpineTest, ActionResultAndVariableReachTheHost) {
    EXPECT_FALSE(Exec(46, {"15", "[Colour]"}));
    const COLORREF c = ::GetSysColor(15);
    EXPECT_EQ(host().Var("[Colour]"), std::to_string(GetRValue(c)) + "," + std::to_string(GetGValue(c)) + "," +
                                          std::to_string(GetBValue(c)));
    EXPECT_FALSE(Exec(46, {"$F", "[Hex]"}));
    EXPECT_EQ(host().Var("[Hex]"), host().Var("[Colour]"));
}

TEST_F(SpineTest, ErrorReachesTheHostWithItsExactTextAndNothingIsWritten) {
    EXPECT_EQ(ExecError(46, {"12a", "[Out]"}), "'12a' is not a valid integer value");
    EXPECT_EQ(host().Var("[Out]"), "");
    EXPECT_TRUE(host().CallLog().empty());
    // The host goes on: the next call works.
    EXPECT_FALSE(Exec(46, {"5", "[Out]"}));
    EXPECT_FALSE(host().Var("[Out]").empty());
}

TEST_F(SpineTest, ThousandErrorsInARowLeaveStackLedgerAndObjectsUnchanged) {
    const uintptr_t stackMark = StackDepthProbe();
    const size_t errorsBefore = host().ErrorCount();
    size_t raised = 0;
    ExpectNoLeak("errors in a row", [&](int i) {
        ASSERT_EQ(ExecError(46, {"bad" + std::to_string(i), "[Out]"}),
                  "'bad" + std::to_string(i) + "' is not a valid integer value");
        ++raised;
    });
    EXPECT_EQ(host().ErrorCount() - errorsBefore, raised);
    EXPECT_EQ(StackDepthProbe(), stackMark) << "each landing must restore the stack pointer";
    // C++ exceptions still work after the landings.
    EXPECT_THROW(throw std::runtime_error("x"), std::runtime_error);
}

struct RawError {
    DWORD code = 0;
    DWORD flags = 0;
    DWORD parameters = 0;
    std::string message;
    ULONG_PTR length = 0;
};
RawError g_raw;

LONG CALLBACK SeeRawError(EXCEPTION_POINTERS* ep) {
    const EXCEPTION_RECORD* r = ep->ExceptionRecord;
    if (r->ExceptionCode == 0xE07A0001) {
        g_raw.code = r->ExceptionCode;
        g_raw.flags = r->ExceptionFlags;
        g_raw.parameters = r->NumberParameters;
        g_raw.message = reinterpret_cast<const char*>(r->ExceptionInformation[0]);
        g_raw.length = r->ExceptionInformation[1];
    }
    return EXCEPTION_CONTINUE_SEARCH;
}

TEST_F(SpineTest, ExceptionCarriesCodeAndMessageParameters) {
    // A handler of our own, ahead of the host's, sees the raw exception record.
    PVOID h = ::AddVectoredExceptionHandler(1, SeeRawError);
    ExecError(46, {"zz", "[Out]"});
    ::RemoveVectoredExceptionHandler(h);
    EXPECT_EQ(g_raw.code, 0xE07A0001u);
    EXPECT_EQ(g_raw.flags & EXCEPTION_NONCONTINUABLE, 0u);
    EXPECT_EQ(g_raw.parameters, 2u);
    EXPECT_EQ(g_raw.message, "'zz' is not a valid integer value");
    EXPECT_EQ(g_raw.length, g_raw.message.size());
}

}  // namespace
