// The buffer that carries an error's text to the host: whole texts up to its
// size, longer ones cut with "...", always NUL-terminated with the length the
// host is told.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/error_text.h"

namespace {

using hq::kErrorTextCapacity;

TEST(ErrorText, KeepsWholeTextsAndCutsLongerOnesToTheBuffer) {
    const size_t fits = kErrorTextCapacity - 1;
    struct Case {
        size_t length;
        bool whole;
    };
    const Case cases[] = {{0, true}, {1, true}, {fits - 1, true}, {fits, true},
                          {fits + 1, false}, {kErrorTextCapacity * 5, false}};
    for (const Case& c : cases) {
        std::string text(c.length, 'a');
        for (size_t i = 0; i < text.size(); ++i) text[i] = static_cast<char>('\xC0' + i % 64);  // Cyrillic in 1251
        hq::KeepErrorText(text.c_str());
        const std::string kept = hq::KeptErrorText();
        EXPECT_EQ(hq::KeptErrorLength(), kept.size()) << c.length;
        if (c.whole) {
            EXPECT_EQ(kept, text) << c.length;
        } else {
            EXPECT_EQ(kept.size(), fits) << c.length;
            EXPECT_EQ(kept.substr(0, fits - 3), text.substr(0, fits - 3)) << c.length;
            EXPECT_EQ(kept.substr(fits - 3), "...") << c.length;
        }
    }
}

TEST(ErrorText, NullReadsAsEmptyAndAShorterTextLeavesNoTailOfTheLongerOne) {
    hq::KeepErrorText(std::string(100, 'x').c_str());
    hq::KeepErrorText("short");
    EXPECT_STREQ(hq::KeptErrorText(), "short");
    EXPECT_EQ(hq::KeptErrorLength(), 5u);
    hq::KeepErrorText(nullptr);
    EXPECT_STREQ(hq::KeptErrorText(), "");
    EXPECT_EQ(hq::KeptErrorLength(), 0u);
}

}  // namespace
