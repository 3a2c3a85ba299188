// Replays every file of a corpus folder through a fuzz target once, so the
// corpus doubles as a regression test in builds without libFuzzer. A failed
// check aborts; the abort handler names the input that caused it.
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

std::string current;

extern "C" void OnAbort(int) {
    std::fprintf(stderr, "failing input: %s\n", current.c_str());
    std::fflush(stderr);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    std::signal(SIGABRT, OnAbort);
    size_t count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(argv[1])) {
        if (!entry.is_regular_file()) continue;
        current = entry.path().string();
        std::ifstream in(entry.path(), std::ios::binary);
        std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
        ++count;
    }
    std::printf("replayed %zu inputs\n", count);
    return count > 0 ? 0 : 1;
}
