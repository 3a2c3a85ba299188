#include "actions/capture/image_file.h"

#include "plugin/error.h"
#include "plugin/handles.h"

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

// Deletes the temporary file unless it was moved into place.
class TempFile {
public:
    explicit TempFile(std::string path) : path_(std::move(path)) {}
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    ~TempFile() {
        if (!path_.empty()) ::DeleteFileA(path_.c_str());
    }
    const std::string& path() const { return path_; }
    void Keep() { path_.clear(); }

private:
    std::string path_;
};

}  // namespace

std::vector<uint8_t> ReadWholeFile(const std::string& path) {
    UniqueFile file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) FailFile("Cannot open file", path, ::GetLastError());
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size)) FailFile("Cannot open file", path, ::GetLastError());
    if (size.QuadPart > 0x7FFFFFFF) FailFile("Cannot open file", path, ERROR_NOT_ENOUGH_MEMORY);
    std::vector<uint8_t> bytes(static_cast<size_t>(size.QuadPart));
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        const DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 24));
        if (!::ReadFile(file.get(), bytes.data() + done, want, &got, nullptr))
            FailFile("Cannot open file", path, ::GetLastError());
        if (got == 0) break;
        done += got;
    }
    bytes.resize(done);
    return bytes;
}

void WriteFileAtomic(const std::string& path, const std::vector<uint8_t>& bytes) {
    WriteFileAtomic(path, {ByteRange{bytes.data(), bytes.size()}});
}

void WriteFileAtomic(const std::string& path, std::initializer_list<ByteRange> pieces) {
    // An existing target must be one we could re-create in place: a read-only,
    // inaccessible or locked file is refused before anything is written (a
    // rename alone would replace a read-only file on some systems).
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        FailFile("Cannot create file", path, ERROR_ACCESS_DENIED);  // also where the system would let it pass
    {
        UniqueFile existing(::CreateFileA(path.c_str(), GENERIC_WRITE,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!existing) {
            const DWORD code = ::GetLastError();
            if (code != ERROR_FILE_NOT_FOUND && code != ERROR_PATH_NOT_FOUND) FailFile("Cannot create file", path, code);
        }
    }
    const size_t slash = path.find_last_of("\\/");
    std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    if (slash == std::string::npos && path.size() >= 2 && path[1] == ':') folder = path.substr(0, 2);
    // A name of our own in the target's folder: same volume, so the move is a rename.
    static unsigned counter = 0;
    UniqueFile file;
    std::string tempPath;
    for (int attempt = 0; attempt < 100 && !file; ++attempt) {
        char name[64];
        wsprintfA(name, "~hq%08lX%04X.tmp", ::GetCurrentProcessId(), (++counter) & 0xFFFF);
        tempPath = folder + name;
        file.reset(::CreateFileA(tempPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                 nullptr));
        if (!file && ::GetLastError() != ERROR_FILE_EXISTS && ::GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
    if (!file) FailFile("Cannot create file", path, ::GetLastError());
    TempFile temp(tempPath);
    for (const ByteRange& piece : pieces) {
        size_t done = 0;
        while (done < piece.size) {
            DWORD wrote = 0;
            const DWORD want = static_cast<DWORD>(std::min<size_t>(piece.size - done, 1u << 24));
            if (!::WriteFile(file.get(), piece.data + done, want, &wrote, nullptr) || wrote == 0)
                FailFile("Cannot create file", path, ::GetLastError());
            done += wrote;
        }
    }
    file.reset();
    if (!::MoveFileExA(tempPath.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING))
        FailFile("Cannot create file", path, ::GetLastError());
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

bmp::Image ReadBmpFile(const std::string& path) {
    const std::vector<uint8_t> bytes = ReadWholeFile(path);
    return bmp::Decode(bytes);
}

}  // namespace hq
