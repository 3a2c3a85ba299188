// TMBox11Form (fzSetWatermark): the mode check-box pair, the format radio
// buttons that hide and show the quality controls, the quality slider and
// label, and what an opening shows whatever was stored.
#include <gtest/gtest.h>

#include "driver.h"
#include "fixture.h"

namespace {

using hqtest::Driver;
using hqtest::OpenForm;

constexpr const char* kQuality[] = {"Label9", "Label10", "Label11", "Label12", "TrackBar1"};
constexpr size_t kMode = 4, kFormat = 7, kQualityText = 8;  // parameters 5, 8 and 9

class Watermark : public hqtest::PluginTest {
protected:
    std::vector<std::string> Params(std::string mode, std::string format, std::string quality) {
        return {"main.bmp", "mark.bmp", "10", "20", std::move(mode), "128", "255,0,255", std::move(format),
                std::move(quality), "out.bmp"};
    }
    static std::string Boxes(OpenForm& f) {
        return std::string(f.Query("CheckBox1").checked ? "1" : "0") + (f.Query("CheckBox2").checked ? "1" : "0");
    }
    // A click through the button's own window, as the mouse gives it.
    static void MouseClick(OpenForm& f, const char* name) { ::SendMessageW(f.Query(name).hwnd, BM_CLICK, 0, 0); }
    static int VisibleQuality(OpenForm& f) {
        int n = 0;
        for (const char* name : kQuality) n += f.Query(name).visible != 0;
        return n;
    }
};

TEST_F(Watermark, TheBoxClickedLastGivesTheModeEvenWhenItIsCleared) {
    struct Step {
        const char* box;
        const char* boxes;  // CheckBox1, CheckBox2 after the click
        const char* mode;
    };
    const Step steps[] = {
        {"CheckBox1", "10", "Tr"},
        {"CheckBox2", "01", "TrColor"},  // the partner is cleared, its handler runs first
        {"CheckBox1", "10", "Tr"},       // ... so the clicked box's keyword is the one left
        {"CheckBox1", "00", "Tr"},       // clearing a box still writes its keyword
        {"CheckBox2", "01", "TrColor"},
        {"CheckBox2", "00", "TrColor"},
    };
    std::vector<std::string> boxes, modes;
    std::string boxesAtStart;
    Driver d([&](OpenForm& f) {
        boxesAtStart = Boxes(f);
        for (const Step& s : steps) {
            MouseClick(f, s.box);
            boxes.push_back(Boxes(f));
            modes.push_back(f.Text("Edit9"));
        }
        f.Ok();
    });
    auto params = Params("Tr", "Bmp", "75");
    EXPECT_TRUE(host().Edit(41, params));
    EXPECT_EQ(boxesAtStart, "00") << "no box reflects the stored mode";
    for (size_t i = 0; i < std::size(steps); ++i) {
        EXPECT_EQ(boxes[i], steps[i].boxes) << "step " << i;
        EXPECT_EQ(modes[i], steps[i].mode) << "step " << i;
    }
    EXPECT_EQ(params[kMode], "TrColor");
    EXPECT_EQ(params[kFormat], "Bmp");
    EXPECT_EQ(params[kQualityText], "75");
}

TEST_F(Watermark, FormatButtonsHideAndShowTheQualityControls) {
    int visibleAtStart = -1, visibleAfterBmp = -1, visibleAfterJpg = -1;
    std::string formatAfterBmp, qualityAfterBmp, formatAfterJpg, qualityAfterJpg, qualityAfterSlide;
    Driver d([&](OpenForm& f) {
        visibleAtStart = VisibleQuality(f);
        MouseClick(f, "RadioButton1");
        visibleAfterBmp = VisibleQuality(f);
        formatAfterBmp = f.Text("Edit7");
        qualityAfterBmp = f.Text("Label12");
        f.Click("RadioButton2");
        visibleAfterJpg = VisibleQuality(f);
        formatAfterJpg = f.Text("Edit7");
        qualityAfterJpg = f.Text("Label12");
        f.Slide("TrackBar1", 40);
        qualityAfterSlide = f.Text("Label12");
        f.Ok();
    });
    auto params = Params("", "", "[Quality]");
    EXPECT_TRUE(host().Edit(41, params));
    EXPECT_EQ(visibleAtStart, 5);
    EXPECT_EQ(visibleAfterBmp, 0);
    EXPECT_EQ(formatAfterBmp, "Bmp");
    EXPECT_EQ(qualityAfterBmp, "[Quality]") << "BMP leaves the stored quality alone";
    EXPECT_EQ(visibleAfterJpg, 5);
    EXPECT_EQ(formatAfterJpg, "Jpg");
    EXPECT_EQ(qualityAfterJpg, "100") << "JPEG puts the untouched slider's number in the label";
    EXPECT_EQ(qualityAfterSlide, "40");
    EXPECT_EQ(params[kFormat], "Jpg");
    EXPECT_EQ(params[kQualityText], "40");
    EXPECT_EQ(params[kMode], "") << "no mode clicked: the empty mode stays";
}

TEST_F(Watermark, ReopenedAfterJpgShowsNoChoiceAndKeepsWhatWasStored) {
    bool anyChoice = true;
    int visible = -1, position = -1;
    Driver d([&](OpenForm& f) {
        anyChoice = f.Query("RadioButton1").checked || f.Query("RadioButton2").checked ||
                    f.Query("CheckBox1").checked || f.Query("CheckBox2").checked;
        visible = VisibleQuality(f);
        position = f.Query("TrackBar1").position;
        f.Ok();
    });
    auto params = Params("TrColor", "Jpg", "60");
    EXPECT_TRUE(host().Edit(41, params));
    EXPECT_FALSE(anyChoice);
    EXPECT_EQ(visible, 5);
    EXPECT_EQ(position, 100) << "the slider starts at its design position, not at the stored quality";
    EXPECT_EQ(params, Params("TrColor", "Jpg", "60"));
}

TEST_F(Watermark, NewActionStoresEmptyTextsAndTheSliderRunsFromOneToAHundred) {
    std::string quality, atLowEnd;
    Driver d(std::vector<Driver::Step>{
        [&](OpenForm& f) {
            quality = f.Text("Label12");
            f.Key("TrackBar1", VK_HOME);
        },
        [&](OpenForm& f) {
            atLowEnd = f.Text("Label12");
            f.Ok();
        }});
    std::vector<std::string> params(10);
    EXPECT_TRUE(host().Edit(41, params));
    EXPECT_EQ(quality, "") << "the loaded empty quality replaces the creation-time caption";
    EXPECT_EQ(atLowEnd, "1");
    for (size_t i = 0; i < params.size(); ++i) {
        if (i != kQualityText) {
            EXPECT_EQ(params[i], "") << "parameter " << i + 1;
        }
    }
    EXPECT_EQ(params[kQualityText], "1");
}

TEST_F(Watermark, ModeBoxesAreNoTabStopsAndTheHoldersStayHidden) {
    int tab1 = 0, tab2 = 0;
    bool modeHolderShown = true, formatHolderShown = true;
    std::string bmpCaption, jpgCaption;
    Driver d([&](OpenForm& f) {
        tab1 = f.Query("CheckBox1").tabIndex;
        tab2 = f.Query("CheckBox2").tabIndex;
        f.Click("RadioButton2");
        f.Click("CheckBox1");
        modeHolderShown = f.Query("Edit9").visible != 0;
        formatHolderShown = f.Query("Edit7").visible != 0;
        bmpCaption = f.Text("RadioButton1");
        jpgCaption = f.Text("RadioButton2");
        f.Cancel();
    });
    auto params = Params("", "", "");
    EXPECT_FALSE(host().Edit(41, params));
    EXPECT_EQ(tab1, -1);
    EXPECT_EQ(tab2, -1);
    EXPECT_FALSE(modeHolderShown);
    EXPECT_FALSE(formatHolderShown);
    EXPECT_EQ(bmpCaption, " bmp");
    EXPECT_EQ(jpgCaption, " jpg");
}

}  // namespace
