#include "image/image_file.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "base/error.h"
#include "base/handles.h"

namespace hq {

void FailWithLastError() { Fail(SystemErrorText(::GetLastError())); }

std::string FullPath(const std::string& path) {
    char buffer[MAX_PATH * 4];
    const DWORD n = ::GetFullPathNameA(path.c_str(), sizeof buffer, buffer, nullptr);
    return n > 0 && n < sizeof buffer ? std::string(buffer, n) : path;
}

namespace {

[[noreturn]] void FailFile(const char* what, const std::string& path, DWORD code) {
    Fail(std::string(what) + " \"" + FullPath(path) + "\". " + SystemErrorText(code));
}

// Refusals that pass by themselves: a file just written is often opened for a
// moment by virus scanners, indexers and backup agents.
bool IsTransient(DWORD code) {
    return code == ERROR_ACCESS_DENIED || code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION ||
           code == ERROR_UNABLE_TO_REMOVE_REPLACED || code == ERROR_UNABLE_TO_MOVE_REPLACEMENT;
}

// Calls `attempt` until it succeeds, fails for a lasting reason, or about a
// second of pauses has passed. Returns ERROR_SUCCESS or the last error (a
// failure that set none counts as ERROR_GEN_FAILURE).
template <typename Attempt>
DWORD WithRetries(Attempt attempt) {
    static const DWORD kPausesMs[] = {10, 20, 40, 80, 150, 250, 400};
    for (size_t i = 0;; ++i) {
        ::SetLastError(ERROR_SUCCESS);
        if (attempt()) return ERROR_SUCCESS;
        const DWORD code = ::GetLastError();
        if (code == ERROR_SUCCESS) return ERROR_GEN_FAILURE;
        if (!IsTransient(code) || i == std::size(kPausesMs)) return code;
        ::Sleep(kPausesMs[i]);
    }
}

bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The temporary file: its handle is closed before the file is deleted (an
// open file cannot be deleted), and it is deleted unless it was moved into place.
class TempFile {
public:
    TempFile(std::string path, HANDLE file) : path_(std::move(path)), file_(file) {}
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    ~TempFile() {
        KeepLastError keep;  // the caller's error text is read from it
        file_.reset();
        if (!path_.empty()) WithRetries([&] { return ::DeleteFileA(path_.c_str()) != FALSE; });
    }
    HANDLE handle() const { return file_.get(); }
    const std::string& path() const { return path_; }
    void Close() { file_.reset(); }
    void Keep() { path_.clear(); }

private:
    std::string path_;
    UniqueFile file_;
};

// A name of our own in `folder` that no file has yet.
std::string FreshName(const std::string& folder) {
    static unsigned counter = 0;
    char name[32];
    wsprintfA(name, "~hq%05X.tmp", (::GetTickCount() * 31 + ++counter) & 0xFFFFF);
    return folder + name;
}
constexpr size_t kFreshNameLength = 12;

// Moves the finished temporary file over the target. An existing target is
// replaced with ReplaceFileA, which keeps its attributes, security and
// identity; its old content is parked under `backup` during the swap, so that
// none of ReplaceFile's failures leaves the target without it.
DWORD MoveIntoPlace(const std::string& temp, const std::string& target, const std::string& backup) {
    DWORD code = WithRetries([&] {
        if (!Exists(target)) return ::MoveFileExA(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
        return ::ReplaceFileA(target.c_str(), temp.c_str(), backup.c_str(), REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                              nullptr) != FALSE;
    });
    if (code == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) {
        // The old file went to `backup` but ours could not take its name: put
        // the old one back, after which the target is as it was.
        if (WithRetries([&] { return ::MoveFileExA(backup.c_str(), target.c_str(), 0) != FALSE; }) == ERROR_SUCCESS)
            code = ERROR_UNABLE_TO_MOVE_REPLACEMENT;
    } else if (code == ERROR_SUCCESS && Exists(backup)) {
        WithRetries([&] { return ::DeleteFileA(backup.c_str()) != FALSE; });
    }
    return code;
}

// The file's bytes; only its first `head` bytes when it holds more than
// `limit` (`whole` is then false), so that no file makes us allocate more
// than its use can need.
struct FileStart {
    std::vector<uint8_t> bytes;
    bool whole = true;
};

FileStart ReadFileBounded(const std::string& path, uint64_t limit, size_t head) {
    UniqueFile file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) FailFile("Cannot open file", path, ::GetLastError());
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size)) FailFile("Cannot open file", path, ::GetLastError());
    FileStart out;
    uint64_t wanted = static_cast<uint64_t>(size.QuadPart);
    if (wanted > limit) {
        out.whole = false;
        wanted = std::min<uint64_t>(wanted, head);
    }
    out.bytes.resize(static_cast<size_t>(wanted));
    size_t done = 0;
    while (done < out.bytes.size()) {
        DWORD got = 0;
        const DWORD want = static_cast<DWORD>(std::min<size_t>(out.bytes.size() - done, 1u << 24));
        if (!::ReadFile(file.get(), out.bytes.data() + done, want, &got, nullptr))
            FailFile("Cannot open file", path, ::GetLastError());
        if (got == 0) break;
        done += got;
    }
    out.bytes.resize(done);
    return out;
}

}  // namespace

std::vector<uint8_t> ReadWholeFile(const std::string& path) {
    FileStart file = ReadFileBounded(path, 0x7FFFFFFF, 0);
    if (!file.whole) FailFile("Cannot open file", path, ERROR_NOT_ENOUGH_MEMORY);
    return std::move(file.bytes);
}

void WriteFileAtomic(const std::string& path, const std::vector<uint8_t>& bytes) {
    WriteFileAtomic(path, {ByteRange{bytes.data(), bytes.size()}});
}

void WriteFileAtomic(const std::string& path, std::initializer_list<ByteRange> pieces) {
    WriteFileAtomic(path, [&](const ChunkWriter& write) {
        for (const ByteRange& piece : pieces) write(piece.data, piece.size);
    });
}

void WriteFileAtomic(const std::string& path, const std::function<void(const ChunkWriter&)>& produce) {
    // The system's 8-bit file calls take at most MAX_PATH - 1 characters; a
    // longer path would be cut short by some of them and name another file.
    char fullBuffer[MAX_PATH];
    const DWORD fullLength =
        path.size() < MAX_PATH ? ::GetFullPathNameA(path.c_str(), MAX_PATH, fullBuffer, nullptr) : 0;
    if (path.size() >= MAX_PATH || fullLength >= MAX_PATH) FailFile("Cannot create file", path, ERROR_FILENAME_EXCED_RANGE);
    if (fullLength == 0) {
        const DWORD code = ::GetLastError();  // an empty path may set none
        FailFile("Cannot create file", path, code ? code : ERROR_INVALID_NAME);
    }
    const std::string full(fullBuffer, fullLength);
    const std::string folder = full.substr(0, full.find_last_of('\\') + 1);
    if (folder.size() + kFreshNameLength >= MAX_PATH) FailFile("Cannot create file", path, ERROR_FILENAME_EXCED_RANGE);

    // An existing target must be one we could re-create in place: a read-only,
    // inaccessible or locked file is refused before anything is written (a
    // rename alone would replace a read-only file on some systems).
    const DWORD attributes = ::GetFileAttributesA(full.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        FailFile("Cannot create file", path, ERROR_ACCESS_DENIED);  // also where the system would let it pass
    {
        UniqueFile existing(::CreateFileA(full.c_str(), GENERIC_WRITE,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!existing) {
            const DWORD code = ::GetLastError();
            if (code != ERROR_FILE_NOT_FOUND && code != ERROR_PATH_NOT_FOUND) FailFile("Cannot create file", path, code);
        }
    }
    // The temporary file sits in the target's folder: same volume, so the move
    // is a rename. It starts with the target's own attributes (hidden, system
    // and the like), which ReplaceFile keeps as well, so that they survive
    // also where a replace does not merge them.
    const DWORD kCarried =
        FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    const DWORD carried = attributes == INVALID_FILE_ATTRIBUTES ? 0 : attributes & kCarried;
    const DWORD createAttributes = carried ? carried : FILE_ATTRIBUTE_NORMAL;
    HANDLE handle = INVALID_HANDLE_VALUE;
    std::string tempPath;
    for (int attempt = 0; attempt < 100 && handle == INVALID_HANDLE_VALUE; ++attempt) {
        tempPath = FreshName(folder);
        handle = ::CreateFileA(tempPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, createAttributes, nullptr);
        if (handle == INVALID_HANDLE_VALUE && ::GetLastError() != ERROR_FILE_EXISTS &&
            ::GetLastError() != ERROR_ALREADY_EXISTS)
            break;
    }
    if (handle == INVALID_HANDLE_VALUE) FailFile("Cannot create file", path, ::GetLastError());
    // Owned from here: the name is moved in, so taking it allocates nothing
    // and cannot fail with the file open.
    TempFile temp(std::move(tempPath), handle);
    produce([&](const uint8_t* data, size_t size) {
        size_t done = 0;
        while (done < size) {
            DWORD wrote = 0;
            const DWORD want = static_cast<DWORD>(std::min<size_t>(size - done, 1u << 24));
            if (!::WriteFile(temp.handle(), data + done, want, &wrote, nullptr) || wrote == 0)
                FailFile("Cannot create file", path, ::GetLastError());
            done += wrote;
        }
    });
    temp.Close();
    std::string backup;
    do backup = FreshName(folder);
    while (Exists(backup));
    const DWORD code = MoveIntoPlace(temp.path(), full, backup);
    if (code != ERROR_SUCCESS) FailFile("Cannot create file", path, code);
    temp.Keep();
}

void WriteBmpFile(const std::string& path, const bmp::Image& image) {
    if (image.Empty() || !image.sourceBytes.empty()) {
        WriteFileAtomic(path, bmp::Encode(image));
        return;
    }
    const std::vector<uint8_t> headers = bmp::EncodeHeaders(image);
    WriteFileAtomic(path, {ByteRange{headers.data(), headers.size()},
                           ByteRange{image.pixels.data(), image.Stride() * static_cast<size_t>(image.height)}});
}

void WriteBmpFileRows(const std::string& path, const bmp::Image& shape, const RowProducer& rows) {
    if (shape.Empty()) {
        WriteFileAtomic(path, std::vector<uint8_t>());
        return;
    }
    const std::vector<uint8_t> headers = bmp::EncodeHeadersOf(shape);
    const size_t stride = shape.Stride();
    const int32_t band = BandRows(stride, shape.height);
    WriteFileAtomic(path, [&](const ChunkWriter& write) {
        write(headers.data(), headers.size());
        std::vector<uint8_t> buffer(stride * static_cast<size_t>(band));
        for (int32_t y = 0; y < shape.height; y += band) {
            const int32_t end = std::min(shape.height, y + band);
            rows(y, end, buffer.data());
            write(buffer.data(), stride * static_cast<size_t>(end - y));
        }
    });
}

namespace {

// Reads exactly `size` bytes at `offset` into `to`; false when the file ends first.
bool ReadAt(HANDLE file, uint64_t offset, uint8_t* to, size_t size, const std::string& path) {
    LARGE_INTEGER at;
    at.QuadPart = static_cast<LONGLONG>(offset);
    if (!::SetFilePointerEx(file, at, nullptr, FILE_BEGIN)) FailFile("Cannot open file", path, ::GetLastError());
    size_t done = 0;
    while (done < size) {
        DWORD got = 0;
        const DWORD want = static_cast<DWORD>(std::min<size_t>(size - done, 1u << 24));
        if (!::ReadFile(file, to + done, want, &got, nullptr)) FailFile("Cannot open file", path, ::GetLastError());
        if (got == 0) return false;
        done += got;
    }
    return true;
}

}  // namespace

// The headers are judged from the file's first 64 KiB: a run-length picture,
// or headers that reach beyond them, are decoded from the whole file.
// While its rows are read the file may be opened for writing: the writer of
// the converted picture checks the target that way before it writes; the
// file is closed once its last rows are read, before the new one replaces it.
BmpRowReader::BmpRowReader(const std::string& path) : path_(path) {
    constexpr size_t kHead = 65536;
    file_.reset(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file_) FailFile("Cannot open file", path, ::GetLastError());
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file_.get(), &size)) FailFile("Cannot open file", path, ::GetLastError());
    const uint64_t fileSize = static_cast<uint64_t>(size.QuadPart);
    if (fileSize == 0) {  // an empty picture, held whole
        file_.reset();
        return;
    }
    std::vector<uint8_t> head(static_cast<size_t>(std::min<uint64_t>(fileSize, kHead)));
    if (!ReadAt(file_.get(), 0, head.data(), head.size(), path)) head.clear();  // it shrank meanwhile
    if (fileSize > bmp::kMaxFileBytes) bmp::RefuseOversizedFile(head.data(), head.size());
    try {
        plain_ = !head.empty() && bmp::PlainHeaders(head.data(), head.size(), fileSize, picture_);
    } catch (const Error& e) {
        // Judged on the whole file: only a picture beyond the ceiling, or a
        // file held whole, is refused from its head alone.
        if (head.size() == fileSize || std::string(e.what()) == bmp::kTooLargeText) throw;
    }
    if (plain_) {
        band_ = picture_.shape;
        return;
    }
    file_.reset();
    const FileStart whole = ReadFileBounded(path, bmp::kMaxFileBytes, kHead);
    if (!whole.whole) bmp::RefuseOversizedFile(whole.bytes.data(), whole.bytes.size());
    picture_.shape = bmp::Decode(whole.bytes);
}

const bmp::Image& BmpRowReader::Rows(int32_t y0, int32_t y1) {
    const bmp::Image& shape = picture_.shape;
    const size_t stride = shape.Stride();
    band_.height = y1 - y0;
    band_.pixels.resize(stride * static_cast<size_t>(band_.height));
    // The file holds rows bottom-up, or top-down: then stored rows y0 .. y1-1
    // are the file's rows height-y1 .. height-y0-1, in reverse order.
    const int32_t first = picture_.topDown ? shape.height - y1 : y0;
    if (!ReadAt(file_.get(), picture_.rowsOffset + stride * static_cast<uint64_t>(first), band_.pixels.data(),
                band_.pixels.size(), path_))
        FailFile("Cannot open file", path_, ERROR_HANDLE_EOF);  // cut short since its headers were read
    if (y1 == shape.height) file_.reset();
    if (picture_.topDown) {
        std::vector<uint8_t> swap(stride);
        for (int32_t a = 0, b = band_.height - 1; a < b; ++a, --b) {
            uint8_t* ra = band_.pixels.data() + stride * static_cast<size_t>(a);
            uint8_t* rb = band_.pixels.data() + stride * static_cast<size_t>(b);
            std::memcpy(swap.data(), ra, stride);
            std::memcpy(ra, rb, stride);
            std::memcpy(rb, swap.data(), stride);
        }
    }
    return band_;
}

bmp::Image BmpRowReader::TakeWhole() {
    if (!plain_) return std::move(picture_.shape);
    Rows(0, picture_.shape.height);
    bmp::Image image = std::move(band_);
    band_ = picture_.shape;
    return image;
}

// The rows go from the file straight into the picture: the file is not held
// a second time (for a large picture that halves the memory, and fresh
// memory is much of the cost of reading).
bmp::Image ReadBmpFile(const std::string& path) { return BmpRowReader(path).TakeWhole(); }

}  // namespace hq
