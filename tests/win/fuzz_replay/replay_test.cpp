// The fuzz corpora replayed in the 32-bit Windows build (32-bit size_t and
// pointers): every file through the same checks the native fuzz targets run,
// the BMP files also with the system's palette matching and through the
// colour-depth action of the real plug-in.
#include <windows.h>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "image/gdi_image.h"
#include "actions/window/region_build.h"
#include "bmp_roundtrip.h"
#include "color_text_check.h"
#include "fixture.h"
#include "int_text_check.h"
#include "mask_runs_check.h"
#include "base/handles.h"

namespace {

namespace bmp = hq::bmp;
using Bytes = std::vector<uint8_t>;

// The corpus folder of a fuzz target in the source tree; Wine shows the Linux
// root as drive Z:.
std::filesystem::path CorpusDir(const std::string& target) {
    std::string root = HQ_SOURCE_DIR;
    if (!root.empty() && root[0] == '/') root = "Z:" + root;
    return std::filesystem::path(root) / "fuzz" / "corpus" / target;
}

struct Input {
    std::string name;
    Bytes bytes;
};

std::vector<Input> Corpus(const std::string& target) {
    std::vector<Input> inputs;
    for (const auto& entry : std::filesystem::directory_iterator(CorpusDir(target))) {
        if (!entry.is_regular_file()) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        inputs.push_back({entry.path().filename().string(),
                          Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>())});
    }
    return inputs;
}

// A failed check aborts the process; this names the input it was reading.
std::string g_current;
extern "C" void NameFailingInput(int) {
    std::fprintf(stderr, "failing input: %s\n", g_current.c_str());
    std::fflush(stderr);
}

template <typename Check>
size_t Replay(const std::string& target, Check check) {
    std::signal(SIGABRT, NameFailingInput);
    const std::vector<Input> inputs = Corpus(target);
    for (const Input& input : inputs) {
        g_current = target + "/" + input.name;
        check(input.bytes.data(), input.bytes.size());
    }
    return inputs.size();
}

hq::UniquePalette Standard16() {
    static const uint8_t kColours[16][3] = {{0, 0, 0},       {128, 0, 0},     {0, 128, 0},   {128, 128, 0},
                                            {0, 0, 128},     {128, 0, 128},   {0, 128, 128}, {128, 128, 128},
                                            {192, 192, 192}, {255, 0, 0},     {0, 255, 0},   {255, 255, 0},
                                            {0, 0, 255},     {255, 0, 255},   {0, 255, 255}, {255, 255, 255}};
    struct {
        WORD version, count;
        PALETTEENTRY entries[16];
    } log{0x300, 16, {}};
    for (int i = 0; i < 16; ++i) log.entries[i] = {kColours[i][0], kColours[i][1], kColours[i][2], 0};
    return hq::UniquePalette(::CreatePalette(reinterpret_cast<LOGPALETTE*>(&log)));
}

TEST(FuzzCorpusReplay, EveryTargetsCorpusPassesItsChecks) {
    const struct {
        const char* target;
        void (*check)(const uint8_t*, size_t);
    } kTargets[] = {
        {"bmp_reader", [](const uint8_t* d, size_t n) { hqfuzz::CheckBmp(d, n, hqfuzz::QuantisePortable); }},
        {"mask_runs", [](const uint8_t* d, size_t n) { hqfuzz::CheckMask(d, n); }},
        {"int_text", hqfuzz::CheckInt},
        {"color_text", hqfuzz::CheckColour},
    };
    for (const auto& t : kTargets) EXPECT_GT(Replay(t.target, t.check), 0u) << t.target;
}

TEST(FuzzCorpusReplay, BmpRoundTripWithTheSystemsPaletteMatching) {
    hq::WindowDc screen(nullptr);
    const hq::UniquePalette halftone(::CreateHalftonePalette(screen.get()));
    const hq::UniquePalette standard = Standard16();
    ASSERT_TRUE(halftone && standard);
    const hqfuzz::PaletteConvert gdi = [&](const bmp::Image& image, int bits) {
        bmp::Image out = hq::ConvertToPalette(image, bits, bits == 8 ? halftone.get() : standard.get());
        // Every index the system chose names an entry of the table.
        for (int32_t y = 0; y < out.height; ++y)
            for (int32_t x = 0; x < out.width; ++x) {
                const uint8_t* row = out.pixels.data() + static_cast<size_t>(y) * out.Stride();
                const unsigned index = bits == 8 ? row[x] : (row[x / 2] >> ((x & 1) ? 0 : 4)) & 15;
                FUZZ_CHECK(index < out.palette.size());
            }
        return out;
    };
    EXPECT_GT(Replay("bmp_reader", [&](const uint8_t* d, size_t n) { hqfuzz::CheckBmp(d, n, gdi); }), 0u);
}

// The region the mask action gives the window, built from the runs of each
// mask in the corpus, holds exactly the pixels that are not white.
TEST(FuzzCorpusReplay, MaskRegionsHoldExactlyThePixelsThatAreNotWhite) {
    const hqfuzz::RunsHook inRegion = [](const std::vector<hq::RunRect>& runs, const std::vector<uint8_t>& inside,
                                         int32_t width, int32_t height) {
        const hq::UniqueRegion region = hq::RegionFromRects(runs);
        const DWORD size = ::GetRegionData(region.get(), 0, nullptr);
        FUZZ_CHECK(size >= sizeof(RGNDATAHEADER));
        std::vector<uint8_t> buffer(size);
        auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
        FUZZ_CHECK(::GetRegionData(region.get(), size, data) == size);
        const RECT* rects = reinterpret_cast<const RECT*>(data->Buffer);
        std::vector<uint8_t> cover(inside.size(), 0);
        for (DWORD i = 0; i < data->rdh.nCount; ++i) {
            const RECT& r = rects[i];
            FUZZ_CHECK(r.left >= 0 && r.top >= 0 && r.left < r.right && r.top < r.bottom && r.right <= width &&
                       r.bottom <= height);
            for (LONG y = r.top; y < r.bottom; ++y)
                for (LONG x = r.left; x < r.right; ++x) ++cover[static_cast<size_t>(y) * width + x];
        }
        FUZZ_CHECK(cover == inside);
    };
    EXPECT_GT(Replay("mask_runs", [&](const uint8_t* d, size_t n) { hqfuzz::CheckMask(d, n, inRegion); }), 0u);
}

class FuzzCorpusAction : public hqtest::PluginTest {};

// Each corpus file through fzChangeColorBmp at each depth: a file that does
// not read stays as it was with the reader's error; one that reads comes back at
// the depth asked for, its size kept and, at 32 and 24 bits, its colours.
// HQ_CORPUS_DEPTHS=1 (the emulated run) takes one depth per file, in turn, so
// every file and every depth still run.
TEST_F(FuzzCorpusAction, ColourDepthActionOnEveryCorpusFile) {
    const std::string path = hqtest::ExeDirPath("fuzz_replay.bmp");
    const char* const kDepths[] = {"32", "24", "16", "8", "4"};
    const int asked = hqtest::EnvCount("HQ_CORPUS_DEPTHS");
    const size_t perFile = asked > 0 && asked < 5 ? static_cast<size_t>(asked) : 5;
    size_t turn = 0;
    for (const Input& input : Corpus("bmp_reader")) {
        SCOPED_TRACE(input.name);
        bmp::Image source;
        bool valid = true;
        std::string refusal;  // the error the action must raise for a file that does not read
        try {
            source = bmp::Decode(input.bytes);
        } catch (const hq::Error& e) {
            valid = false;
            refusal = e.what();
        }
        if (valid && static_cast<uint64_t>(source.width) * static_cast<uint64_t>(source.height) >
                         hqfuzz::kDepthCheckPixels)
            continue;
        for (size_t d = 0; d < perFile; ++d) {
            const char* depth = kDepths[turn++ % 5];
            {
                std::ofstream out(path, std::ios::binary | std::ios::trunc);
                out.write(reinterpret_cast<const char*>(input.bytes.data()), static_cast<std::streamsize>(input.bytes.size()));
            }
            if (!valid) {
                EXPECT_EQ(ExecError(100, {path, depth}), refusal);
            } else {
                Exec(100, {path, depth});
            }
            std::ifstream in(path, std::ios::binary);
            const Bytes written((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            if (!valid || source.Empty()) {
                EXPECT_EQ(written, input.bytes) << depth;
                continue;
            }
            const bmp::Image back = bmp::Decode(written);
            EXPECT_EQ(back.bitsPerPixel, std::stoi(depth));
            EXPECT_EQ(back.width, source.width);
            EXPECT_EQ(back.height, source.height);
            if (back.bitsPerPixel >= 24) {
                EXPECT_EQ(hqfuzz::Colours(bmp::Convert(back, bmp::Format::Bgrx32)),
                          hqfuzz::Colours(bmp::Convert(source, bmp::Format::Bgrx32)))
                    << depth;
            }
        }
    }
    std::filesystem::remove(path);
}

}  // namespace
