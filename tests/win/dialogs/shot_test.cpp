// `hqhost shot`: a dialog and the About box rendered to PNG files without input.
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "driver.h"
#include "fixture.h"
#include "shot.h"

namespace {

class Shot : public hqtest::PluginTest {};

// Width and height from a PNG file's header, or {0, 0}.
std::pair<uint32_t, uint32_t> PngSize(const std::string& path) {
    const std::vector<uint8_t> b = hqtest::ReadBytes(path);
    if (b.size() < 24 || b[1] != 'P' || b[2] != 'N' || b[3] != 'G') return {0, 0};
    auto be = [&](size_t at) { return uint32_t(b[at]) << 24 | uint32_t(b[at + 1]) << 16 | uint32_t(b[at + 2]) << 8 | b[at + 3]; };
    return {be(16), be(20)};
}

TEST_F(Shot, WritesTheDialogAndTheAboutBoxAndClosesThem) {
    const std::string dialog = hqtest::ExeDirPath("shot-1.png"), about = hqtest::ExeDirPath("shot-about.png");
    std::remove(dialog.c_str());
    std::remove(about.c_str());
    EXPECT_EQ(hqhost::ShotCommand(host(), "1", dialog), 0);
    EXPECT_EQ(hqhost::ShotCommand(host(), "about", about), 0);
    EXPECT_EQ(hqtest::FindOpenForm(), nullptr);
    const auto [w1, h1] = PngSize(dialog);
    EXPECT_GE(w1, 399u);  // client width plus the frame
    EXPECT_GE(h1, 256u);
    EXPECT_LT(w1, 420u);
    const auto [w2, h2] = PngSize(about);
    EXPECT_GE(w2, 204u);
    EXPECT_GE(h2, 185u);
}

TEST_F(Shot, AnActionWithoutADialogWritesNothing) {
    const std::string path = hqtest::ExeDirPath("shot-22.png");
    std::remove(path.c_str());
    EXPECT_EQ(hqhost::ShotCommand(host(), "22", path), 1);
    EXPECT_EQ(PngSize(path).first, 0u);
}

}  // namespace
