// The 8-bit file names the host hands over are in the system's ANSI code
// page: the BMP shot (ID 2), the PNG window (ID 45) and the rename (ID 39) find
// the same files for names with bytes 0xC0-0xFF, in the Russian code page
// (1251, the ordinary run) and in the Western one (1252, win_file_names_1252).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "../window_shape/shape_files.h"
#include "base/file_name.h"
#include "base/handles.h"
#include "fixture.h"

namespace {

// Bytes 0xC0 0xC9 0xDF 0xE0 0xE9 0xFF, and the letters each code page reads in them.
constexpr char kBytes[] = "\xC0\xC9\xDF\xE0\xE9\xFF";
struct PageLetters {
    UINT codePage;
    const wchar_t* letters;
};
constexpr PageLetters kPages[] = {
    {1251, L"\u0410\u0419\u042F\u0430\u0439\u044F"},  // А Й Я а й я
    {1252, L"\u00C0\u00C9\u00DF\u00E0\u00E9\u00FF"},  // À É ß à é ÿ
};

// The code page this run was started for: HQ_EXPECT_ACP, else the project's 1251.
UINT ExpectedCodePage() {
    const char* text = std::getenv("HQ_EXPECT_ACP");
    return text && *text ? static_cast<UINT>(std::strtoul(text, nullptr, 10)) : 1251u;
}

bool WideExists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

class FileNames : public hqtest::PluginTest {
protected:
    void SetUp() override {
        PluginTest::SetUp();
        ASSERT_EQ(::GetACP(), ExpectedCodePage()) << "the run is not in the code page it was started for";
        for (const PageLetters& p : kPages)
            if (p.codePage == ::GetACP()) letters_ = p.letters;
        ASSERT_FALSE(letters_.empty());
        folder_ = hqtest::TempDirPath("hq names\\");
        ::CreateDirectoryA(folder_.c_str(), nullptr);
        wideFolder_.assign(folder_.begin(), folder_.end());  // ASCII
    }
    // A name with the test bytes: as the host hands it over, and as the system names the file.
    std::string Narrow(const std::string& stem, const char* extension) const {
        return folder_ + stem + kBytes + extension;
    }
    std::wstring Wide(const std::string& stem, const char* extension) const {
        return wideFolder_ + std::wstring(stem.begin(), stem.end()) + letters_ +
               std::wstring(extension, extension + std::char_traits<char>::length(extension));
    }

    std::wstring letters_;
    std::string folder_;
    std::wstring wideFolder_;
};

TEST_F(FileNames, HelperReadsNamesInTheAnsiCodePage) {
    EXPECT_EQ(hq::WidenFileName(kBytes), letters_);
    EXPECT_EQ(hq::WidenFileName(""), L"");
    EXPECT_EQ(hq::WidenFileName("C:\\plain.png"), L"C:\\plain.png");
}

TEST_F(FileNames, FileActionsFindTheFileTheSystemNamesForTheBytes) {
    struct Case {
        const char* what;
        std::function<void()> prepare;
        std::function<void()> run;
        std::vector<std::wstring> present, absent;
    };
    const std::wstring shot = Wide("shot ", ".bmp"), png = Wide("shape ", ".png"), from = Wide("from ", ".txt"),
                       to = Wide("to ", ".txt");
    const Case table[] = {
        {"2 fzShotDesktopToBmp", [] {}, [&] { EXPECT_TRUE(Exec(2, {Narrow("shot ", ".bmp")})); }, {shot}, {}},
        {"45 fzSetWindowPngMaskShadow",
         [&] {
             const std::string plain = shapetest::WritePng("names_plain.png", 20, 10, [](int, int) { return 0xFFFF0000u; });
             ASSERT_TRUE(::MoveFileExW(std::wstring(plain.begin(), plain.end()).c_str(), png.c_str(),
                                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED));
             Exec(8);  // borderless, as the action's hint asks
         },
         [&] {
             EXPECT_TRUE(Exec(45, {Narrow("shape ", ".png")}));
             EXPECT_EQ(host().Var("[PubHeight]"), "10") << "the picture was not found or not decoded";
         },
         {png}, {}},
        {"39 fzRenameFile",
         [&] {
             hq::UniqueFile file(::CreateFileW(from.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
             ASSERT_TRUE(file);
         },
         [&] { EXPECT_TRUE(Exec(39, {Narrow("from ", ".txt"), Narrow("to ", ".txt")})); }, {to}, {from}},
    };
    for (const Case& c : table) {
        SCOPED_TRACE(c.what);
        for (const std::wstring& name : c.present) ::DeleteFileW(name.c_str());
        c.prepare();
        if (HasFatalFailure()) return;
        c.run();
        for (const std::wstring& name : c.present) EXPECT_TRUE(WideExists(name));
        for (const std::wstring& name : c.absent) EXPECT_FALSE(WideExists(name));
        for (const std::wstring& name : c.present) ::DeleteFileW(name.c_str());
    }
    ::RemoveDirectoryA(folder_.c_str());
}

}  // namespace
