// The object counting that leak tests rely on must see what a module creates
// and releases, and the PE tables of the built plug-in must be what hosts expect.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "fixture.h"
#include "hq_version.h"

namespace {

using LeakFn = void(__cdecl*)(int);

TEST(ObjectCounting, CatchesADeliberateGdiAndUserLeak) {
    HMODULE leaky = ::LoadLibraryA(hqtest::ExeDirPath("leaky.dll").c_str());
    ASSERT_NE(leaky, nullptr);
    hqhost::Ledger ledger;
    hqhost::InstallCountingHooks(leaky, &ledger);
    auto leak = reinterpret_cast<LeakFn>(reinterpret_cast<void*>(::GetProcAddress(leaky, "Leak")));
    auto clean = reinterpret_cast<LeakFn>(reinterpret_cast<void*>(::GetProcAddress(leaky, "NoLeak")));
    ASSERT_TRUE(leak && clean);

    const hqhost::ObjectCounts before = hqhost::LiveObjects();
    clean(0);
    EXPECT_EQ(hqhost::LiveObjects(), before) << "balanced create/release counted as a leak";
    leak(0);  // a brush, a memory DC, a screen DC and a window, none released
    const hqhost::ObjectCounts after = hqhost::LiveObjects();
    EXPECT_EQ(after.gdi - before.gdi, 3u);
    EXPECT_EQ(after.user - before.user, 1u);
    leak(1);  // a global block never freed, then a double free
    EXPECT_EQ(ledger.Live(), 1u);
    EXPECT_EQ(ledger.Faults().size(), 1u);
    ::FreeLibrary(leaky);
}

// Reads the loaded plug-in image's export and import directories.
class PeTablesTest : public hqtest::PluginTest {};

TEST_F(PeTablesTest, ExportsExactlyTheEightNamesWithTheirOrdinals) {
    auto* base = reinterpret_cast<const BYTE*>(host().Module());
    auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const auto& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    auto* exp = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + dir.VirtualAddress);
    EXPECT_STREQ(reinterpret_cast<const char*>(base + exp->Name), "zeZoreredur.hqp");
    ASSERT_EQ(exp->NumberOfNames, 8u);
    ASSERT_EQ(exp->NumberOfFunctions, 8u);
    auto* names = reinterpret_cast<const DWORD*>(base + exp->AddressOfNames);
    auto* ordinals = reinterpret_cast<const WORD*>(base + exp->AddressOfNameOrdinals);
    std::map<std::string, int> got;
    for (DWORD i = 0; i < exp->NumberOfNames; ++i)
        got[reinterpret_cast<const char*>(base + names[i])] = ordinals[i] + static_cast<int>(exp->Base);
    const std::map<std::string, int> expected = {
        {"hqAbout", 1}, {"hqMessage", 2}, {"hqRegisterInterfaceAccess", 3}, {"hqRegisterScriptProcessor", 4},
        {"hqRegisterPlugIn", 5}, {"hqInitPlugIn", 6}, {"hqExecAction", 7}, {"hqEditAction", 8}};
    EXPECT_EQ(got, expected);
}

TEST_F(PeTablesTest, ImportsOnlySystemLibraries) {
    const std::set<std::string> system = {"KERNEL32.DLL", "USER32.DLL", "GDI32.DLL", "MSIMG32.DLL", "GDIPLUS.DLL",
                                          "COMDLG32.DLL", "COMCTL32.DLL", "WINMM.DLL", "SHELL32.DLL", "MSVCRT.DLL",
                                          "OLE32.DLL", "ADVAPI32.DLL", "OLEAUT32.DLL", "UXTHEME.DLL"};
    auto* base = reinterpret_cast<const BYTE*>(host().Module());
    auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const auto& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    int count = 0;
    for (auto* imp = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); imp->Name; ++imp) {
        std::string name = reinterpret_cast<const char*>(base + imp->Name);
        for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        EXPECT_TRUE(system.count(name)) << "imports " << name;
        ++count;
    }
    EXPECT_GT(count, 0);
}

TEST_F(PeTablesTest, CarriesTheProjectVersionInItsVersionResource) {
    DWORD handle = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(hqtest::PluginPath().c_str(), &handle);
    ASSERT_GT(size, 0u);
    std::vector<char> data(size);
    ASSERT_TRUE(::GetFileVersionInfoA(hqtest::PluginPath().c_str(), 0, size, data.data()));

    const std::string version = HQ_VERSION_TEXT ".0";
    const struct {
        const char* key;
        std::string expected;
    } strings[] = {{"OriginalFilename", "zeZoreredur.hqp"}, {"FileVersion", version}, {"ProductVersion", version}};
    for (const auto& s : strings) {
        char* text = nullptr;
        UINT len = 0;
        const std::string path = std::string("\\StringFileInfo\\041904E3\\") + s.key;
        ASSERT_TRUE(::VerQueryValueA(data.data(), path.c_str(), reinterpret_cast<void**>(&text), &len)) << s.key;
        EXPECT_EQ(std::string(text), s.expected) << s.key;
    }

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT len = 0;
    ASSERT_TRUE(::VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &len));
    ASSERT_GE(len, sizeof(VS_FIXEDFILEINFO));
    const DWORD ms = MAKELONG(HQ_VERSION_MINOR, HQ_VERSION_MAJOR), ls = MAKELONG(0, HQ_VERSION_PATCH);
    EXPECT_EQ(fixed->dwFileVersionMS, ms);
    EXPECT_EQ(fixed->dwFileVersionLS, ls);
    EXPECT_EQ(fixed->dwProductVersionMS, ms);
    EXPECT_EQ(fixed->dwProductVersionLS, ls);
}

}  // namespace
