// Writing output files through the stand-in host when the system gets in the
// way: writes failing half way, replaces refused for a moment, targets with
// attributes of their own, and paths too long for the 8-bit file calls.
#include "capture_support.h"

#include <algorithm>

#include "image/image_file.h"
#include "import_patch.h"
#include "base/system_text.h"

namespace {

using namespace captest;
using hqtest::ImportPatch;

// What the spies saw and what they are told to do; one test at a time.
struct Spies {
    int writeCalls = 0, failWriteAt = 0;              // WriteFile: fail the n-th call
    int replaceCalls = 0, moveCalls = 0;              // ReplaceFileA, MoveFileExA attempts
    int refusals = 0;                                 // that many replace/move attempts fail...
    DWORD refusal = ERROR_SUCCESS;                    // ...with this code
    bool halfSwap = false;                            // ReplaceFileA stops half way
    std::vector<DWORD> pauses;                        // Sleep requests (none really taken)
    std::string replacedName, backupName;             // ReplaceFileA's first and third arguments
    uint64_t bytesRead = 0;                           // ReadFile: bytes asked for
    void* realWrite = nullptr;
    void* realRead = nullptr;
    void* realReplace = nullptr;
    void* realMove = nullptr;
};
Spies g;

bool Refuse() {
    if (g.refusals == 0) return false;
    if (g.refusals > 0) --g.refusals;  // negative: refuse for ever
    ::SetLastError(g.refusal);
    return true;
}

BOOL WINAPI SpyWriteFile(HANDLE file, LPCVOID data, DWORD size, LPDWORD wrote, LPOVERLAPPED overlapped) {
    if (++g.writeCalls == g.failWriteAt) {
        ::SetLastError(ERROR_DISK_FULL);
        return FALSE;
    }
    return reinterpret_cast<decltype(&::WriteFile)>(g.realWrite)(file, data, size, wrote, overlapped);
}

BOOL WINAPI SpyReadFile(HANDLE file, LPVOID data, DWORD size, LPDWORD got, LPOVERLAPPED overlapped) {
    g.bytesRead += size;
    return reinterpret_cast<decltype(&::ReadFile)>(g.realRead)(file, data, size, got, overlapped);
}

BOOL WINAPI SpyReplaceFileA(LPCSTR replaced, LPCSTR replacement, LPCSTR backup, DWORD flags, LPVOID exclude,
                            LPVOID reserved) {
    ++g.replaceCalls;
    g.replacedName = replaced ? replaced : "";
    g.backupName = backup ? backup : "";
    if (g.halfSwap) {
        // The old file moved to the backup name, ours failing to take its place.
        ::MoveFileA(replaced, backup);
        ::SetLastError(ERROR_UNABLE_TO_MOVE_REPLACEMENT_2);
        return FALSE;
    }
    if (Refuse()) return FALSE;
    return reinterpret_cast<decltype(&::ReplaceFileA)>(g.realReplace)(replaced, replacement, backup, flags, exclude,
                                                                      reserved);
}

BOOL WINAPI SpyMoveFileExA(LPCSTR from, LPCSTR to, DWORD flags) {
    ++g.moveCalls;
    if (Refuse()) return FALSE;
    return reinterpret_cast<decltype(&::MoveFileExA)>(g.realMove)(from, to, flags);
}

VOID WINAPI SpySleep(DWORD ms) { g.pauses.push_back(ms); }

class FileWriteTest : public CaptureTest {
protected:
    void SetUp() override {
        CaptureTest::SetUp();
        g = Spies();
        write_ = std::make_unique<ImportPatch>(host().Module(), "WriteFile", reinterpret_cast<void*>(&SpyWriteFile));
        read_ = std::make_unique<ImportPatch>(host().Module(), "ReadFile", reinterpret_cast<void*>(&SpyReadFile));
        replace_ = std::make_unique<ImportPatch>(host().Module(), "ReplaceFileA",
                                                 reinterpret_cast<void*>(&SpyReplaceFileA));
        move_ = std::make_unique<ImportPatch>(host().Module(), "MoveFileExA", reinterpret_cast<void*>(&SpyMoveFileExA));
        sleep_ = std::make_unique<ImportPatch>(host().Module(), "Sleep", reinterpret_cast<void*>(&SpySleep));
        g.realWrite = write_->previous();
        ASSERT_TRUE(write_->installed() && read_->installed() && replace_->installed() && move_->installed() &&
                    sleep_->installed());
        g.realRead = read_->previous();
        g.realReplace = replace_->previous();
        g.realMove = move_->previous();
    }
    void TearDown() override {
        write_.reset(), read_.reset(), replace_.reset(), move_.reset(), sleep_.reset();
        CaptureTest::TearDown();
    }
    // A 3 x 2 capture of the screen's corner written to `path` (ID 5).
    std::vector<std::string> Shot(const std::string& path) { return {path, "0", "0", "3", "2"}; }
    // The create error as it names a path: in full where the system can resolve it.
    std::string CreateError(const std::string& path, DWORD code) {
        return "Cannot create file \"" + hq::FullPath(path) + "\". " + hq::SystemErrorText(code);
    }
    std::unique_ptr<ImportPatch> write_, read_, replace_, move_, sleep_;
};

TEST_F(FileWriteTest, AWriteFailingHalfWayLeavesTheTargetAndNoTemporaryFile) {
    const Bytes old = {'o', 'l', 'd'};
    WriteBytes(Path("shot.bmp"), old);
    g.failWriteAt = 2;  // the headers go, the pixel rows fail
    EXPECT_EQ(ExecError(2, {Path("shot.bmp")}), CreateError(Path("shot.bmp"), ERROR_DISK_FULL));
    EXPECT_EQ(g.writeCalls, 2);
    EXPECT_EQ(ReadBytes(Path("shot.bmp")), old);
    EXPECT_EQ(FolderFiles(dir_), std::vector<std::string>{"shot.bmp"});
}

TEST_F(FileWriteTest, TransientRefusalsOfTheReplaceAreRetriedForAboutASecond) {
    struct Case {
        const char* name;
        bool targetExists;
        int refusals;  // -1: for ever
        DWORD code;
        bool written;
    };
    const Case cases[] = {
        {"replace refused twice by a scanner", true, 2, ERROR_SHARING_VIOLATION, true},
        {"replace denied twice", true, 2, ERROR_ACCESS_DENIED, true},
        {"replaced file held open twice", true, 2, ERROR_UNABLE_TO_REMOVE_REPLACED, true},
        {"new file's move refused twice", false, 2, ERROR_SHARING_VIOLATION, true},
        {"replace always denied", true, -1, ERROR_ACCESS_DENIED, false},
        {"move always refused", false, -1, ERROR_SHARING_VIOLATION, false},
        {"a lasting error is not retried", true, -1, ERROR_INVALID_PARAMETER, false},
    };
    const Bytes old = {'o', 'l', 'd'};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ::DeleteFileA(Path("r.bmp").c_str());
        if (c.targetExists) WriteBytes(Path("r.bmp"), old);
        g.replaceCalls = g.moveCalls = 0;
        g.refusals = c.refusals, g.refusal = c.code;
        g.pauses.clear();
        if (c.written) {
            EXPECT_TRUE(Exec(5, Shot(Path("r.bmp"))));
            EXPECT_EQ(ReadPicture(Path("r.bmp")).width, 3);
        } else {
            EXPECT_EQ(ExecError(5, Shot(Path("r.bmp"))), CreateError(Path("r.bmp"), c.code));
            if (c.targetExists) EXPECT_EQ(ReadBytes(Path("r.bmp")), old);
            else EXPECT_FALSE(Exists(Path("r.bmp")));
        }
        const int attempts = c.targetExists ? g.replaceCalls : g.moveCalls;
        EXPECT_EQ(attempts, static_cast<int>(g.pauses.size()) + 1) << "one pause between two attempts";
        const bool lasting = c.code == ERROR_INVALID_PARAMETER;
        EXPECT_EQ(attempts, c.refusals > 0 ? c.refusals + 1 : lasting ? 1 : attempts);
        EXPECT_LE(attempts, 10);
        DWORD total = 0;
        for (DWORD ms : g.pauses) total += ms;
        EXPECT_LE(total, 1000u);
        EXPECT_GE(total, c.refusals < 0 && !lasting ? 500u : 0u) << "long enough to outlast a scanner";
        EXPECT_EQ(FolderFiles(dir_), c.targetExists || c.written ? std::vector<std::string>{"r.bmp"}
                                                                  : std::vector<std::string>{});
    }
}

TEST_F(FileWriteTest, AReplaceStoppedHalfWayPutsTheOldFileBack) {
    const Bytes old = {'o', 'l', 'd'};
    WriteBytes(Path("half.bmp"), old);
    g.halfSwap = true;
    EXPECT_EQ(ExecError(5, Shot(Path("half.bmp"))), CreateError(Path("half.bmp"), ERROR_UNABLE_TO_MOVE_REPLACEMENT));
    EXPECT_EQ(g.replaceCalls, 1);
    EXPECT_EQ(ReadBytes(Path("half.bmp")), old);
    EXPECT_EQ(FolderFiles(dir_), std::vector<std::string>{"half.bmp"});
}

TEST_F(FileWriteTest, AnExistingTargetIsReplacedKeepingItsAttributes) {
    WriteBytes(Path("kept.bmp"), {'o', 'l', 'd'});
    const DWORD attributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE;
    ASSERT_TRUE(::SetFileAttributesA(Path("kept.bmp").c_str(), attributes));
    ASSERT_EQ(::GetFileAttributesA(Path("kept.bmp").c_str()) & attributes, attributes)
        << "the folder's file system keeps no hidden attribute";
    EXPECT_TRUE(Exec(5, Shot(Path("kept.bmp"))));
    EXPECT_EQ(ReadPicture(Path("kept.bmp")).width, 3);
    // The system's replace is the call used, with the target first and a
    // backup name of its own in the same folder.
    EXPECT_EQ(g.replaceCalls, 1);
    EXPECT_EQ(g.moveCalls, 0);
    EXPECT_EQ(g.replacedName, Path("kept.bmp"));
    EXPECT_EQ(g.backupName.rfind(dir_, 0), 0u) << g.backupName;
    EXPECT_EQ(g.backupName.find('\\', dir_.size()), std::string::npos) << g.backupName;
    EXPECT_EQ(::GetFileAttributesA(Path("kept.bmp").c_str()) & (attributes | FILE_ATTRIBUTE_READONLY), attributes);
    ::SetFileAttributesA(Path("kept.bmp").c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(FolderFiles(dir_), std::vector<std::string>{"kept.bmp"}) << "the backup is gone";
    // A new file is moved into place.
    EXPECT_TRUE(Exec(5, Shot(Path("new.bmp"))));
    EXPECT_EQ(g.replaceCalls, 1);
    EXPECT_EQ(g.moveCalls, 1);
}

TEST_F(FileWriteTest, APathTooLongForTheSystemIsRefusedBeforeAnythingIsWritten) {
    ASSERT_LT(dir_.size() + 20, size_t{MAX_PATH});
    char old[MAX_PATH];
    ::GetCurrentDirectoryA(MAX_PATH, old);
    ASSERT_TRUE(::SetCurrentDirectoryA(dir_.c_str()));
    WriteBytes(Path("main.bmp"), bmp::Encode(Solid(4, 4, 0x102030)));
    for (const size_t length : {size_t{MAX_PATH}, size_t{300}, size_t{1000000}}) {
        for (const std::string& path : {std::string(length, 'a'), dir_ + std::string(length - dir_.size(), 'b'),
                                        std::string(length - 4, 'c') + ".bmp"}) {
            SCOPED_TRACE(std::to_string(length) + " " + path.substr(0, 40));
            // The host gets at most 4095 bytes: a longer text ends in "...".
            std::string error = CreateError(path, ERROR_FILENAME_EXCED_RANGE);
            if (error.size() > 4095) error = error.substr(0, 4092) + "...";
            EXPECT_EQ(ExecError(1, {path, "85"}), error);
            EXPECT_EQ(ExecError(2, {path}), error);
            EXPECT_EQ(ExecError(5, Shot(path)), error);
            EXPECT_EQ(ExecError(41, {Path("main.bmp"), Path("main.bmp"), "0", "0", "Tr", "9", "", "Bmp", "75", path}),
                      error);
            EXPECT_FALSE(Exec(100, {path, "8"}));
            EXPECT_EQ(g.writeCalls, 0);
            EXPECT_EQ(FolderFiles(dir_), std::vector<std::string>{"main.bmp"});
        }
    }
    ::SetCurrentDirectoryA(old);
    // The longest path the 8-bit calls take still works.
    const std::string longest = dir_ + std::string(MAX_PATH - 1 - dir_.size(), 'd');
    EXPECT_TRUE(Exec(5, Shot(longest)));
    EXPECT_TRUE(Exists(longest));
}

TEST_F(FileWriteTest, AFileLongerThanAnyPictureIsJudgedByItsHeadersAlone) {
    // Files one byte longer than the largest picture within the ceiling needs
    // (sparse: nothing but their start is stored).
    struct Case {
        const char* name;
        Bytes start;
        std::string error;
    };
    Bytes hugeHeader = bmp::Encode(Solid(2, 2, 0));  // made a sound header of a picture beyond the ceiling
    hugeHeader[18] = 0, hugeHeader[19] = 0x40;  // width 16384
    hugeHeader[22] = 0, hugeHeader[23] = 0x40;  // height 16384
    const Case cases[] = {
        {"a picture too large for the system", hugeHeader, "Out of system resources"},
        {"a small picture with a long tail", bmp::Encode(Solid(2, 2, 0)), "Bitmap image is not valid"},
        {"no picture at all", Bytes(64, 'x'), "Bitmap image is not valid"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(Path("big.bmp"), c.start);
        HANDLE file = ::CreateFileA(Path("big.bmp").c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        LARGE_INTEGER size;
        size.QuadPart = static_cast<LONGLONG>(bmp::kMaxFileBytes + 1);
        ASSERT_TRUE(::SetFilePointerEx(file, size, nullptr, FILE_BEGIN) && ::SetEndOfFile(file));
        ::CloseHandle(file);
        g.bytesRead = 0;
        EXPECT_EQ(ExecError(100, {Path("big.bmp"), "24"}), c.error);
        EXPECT_LE(g.bytesRead, 65536u);
        g.bytesRead = 0;
        EXPECT_EQ(ExecError(20, {Path("big.bmp")}), c.error) << "the window mask reads the same way";
        EXPECT_LE(g.bytesRead, 65536u);
        ::DeleteFileA(Path("big.bmp").c_str());
    }
}

}  // namespace
