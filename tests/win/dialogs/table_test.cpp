// The editor table against the catalogue, every built dialog's design against
// its row, and the section header geometry the skeleton builds.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "form/gradient.h"
#include "editors/editor_form.h"
#include "editors/editor_table.h"
#include "plugin/catalogue.h"
#include "plugin/dispatch.h"
#include "base/error.h"

namespace {

using hq::editors::EditorForm;
using hq::editors::kEditorTable;

TEST(EditorTable, HasExactlyTheActionsWithParameters) {
    // Every action has one procedure, and nothing else has one.
    std::set<int> actions;
    for (const hq::CatalogueRow& row : hq::kCatalogue)
        if (row.id != 0) actions.insert(row.id);
    for (int id = -1; id <= 200; ++id) {
        EXPECT_EQ(hq::FindExecRow(id) != nullptr, actions.count(id) == 1) << id;
        EXPECT_EQ(hq::FindAction(id) != nullptr, actions.count(id) == 1) << id;
    }
    std::set<int> withParameters, inTable;
    for (const hq::CatalogueRow& row : hq::kCatalogue)
        if (row.id != 0 && row.count > 0) withParameters.insert(row.id);
    for (const auto& row : kEditorTable) {
        inTable.insert(row.id);
    }
    EXPECT_EQ(inTable, withParameters);
    EXPECT_EQ(inTable.size(), 26u);
}

TEST(EditorTable, EveryBuiltDesignMatchesItsRow) {
    int built = 0;
    for (const auto& row : kEditorTable) {
        ASSERT_NE(row.design, nullptr) << row.dialogClass;
        ++built;
        const hq::editors::DialogDesign& design = row.design();
        const hq::CatalogueRow* action = hq::FindAction(row.id);
        ASSERT_NE(action, nullptr) << row.id;
        EXPECT_EQ(design.action, action->name);
        EditorForm form(design);
        EXPECT_EQ(form.ParameterCount(), action->count) << row.dialogClass;
        std::set<std::string> holders;
        for (int n = 1; n <= action->count; ++n) holders.insert(form.Holder(n).Name());
        EXPECT_EQ(holders.size(), static_cast<size_t>(action->count)) << "one holder per parameter";
        EXPECT_EQ(form.ClientWidth(), 399);
    }
    EXPECT_EQ(built, hq::editors::kEditorCount);
}

TEST(Skeleton, SectionHeadersSitAtTheirCornerOffsets) {
    static const hq::editors::DialogDesign design{
        .action = "fzProbe",
        .height = 256,
        .sections = {{8, 8, "Первая:"}, {216, 70, "Вторая:", 143, 150, 77}},
        .description = {"Текст.", 100, 16},
    };
    EditorForm form(design);
    struct Expect {
        const char* name;
        hq::ui::Rect bounds;
        hq::GradientStyle style;
    };
    const Expect expected[] = {
        {"Gradient1", {10, 8, 255, 2}, hq::GradientStyle::LinearH},
        {"Gradient2", {10, 10, 215, 18}, hq::GradientStyle::LinearH},
        {"Gradient3", {10, 28, 255, 1}, hq::GradientStyle::LinearH},
        {"Gradient4", {8, 10, 2, 55}, hq::GradientStyle::LinearV},
        {"Gradient5", {218, 70, 150, 2}, hq::GradientStyle::LinearH},
        {"Gradient6", {218, 72, 143, 18}, hq::GradientStyle::LinearH},
        {"Gradient7", {218, 90, 150, 1}, hq::GradientStyle::LinearH},
        {"Gradient8", {216, 72, 2, 77}, hq::GradientStyle::LinearV},
    };
    for (const Expect& e : expected) {
        hq::TGradient& g = form.gradient(e.name);
        EXPECT_EQ(g.Bounds(), e.bounds) << e.name;
        EXPECT_EQ(g.Style(), e.style) << e.name;
        EXPECT_EQ(g.Rebuilds(), 1) << e.name << ": one rebuild at the end of loading";
    }
    hq::TGradient& bar = form.gradient("Gradient2");
    EXPECT_EQ(bar.Shift(), 53);
    EXPECT_EQ(bar.ColorBegin(), hq::ui::clHighlight);
    EXPECT_EQ(bar.ColorEnd(), hq::ui::clBtnFace);
    EXPECT_EQ(bar.BorderColor(), hq::ui::cl3DDkShadow);
    EXPECT_EQ(bar.BorderWidth(), 0);
    EXPECT_EQ(form.gradient("Gradient1").ColorBegin(), hq::ui::HexColor(0xA8A7AB));
    EXPECT_EQ(form.label("LabelSection2").Bounds().left, 222);
    EXPECT_EQ(form.label("LabelSection2").Bounds().top, 73);
    EXPECT_EQ(form.label("LabelSection2").Font().height, 12);
    // Info panel and buttons follow the client height.
    EXPECT_EQ(form.image("Image1").Bounds(), (hq::ui::Rect{12, 256 - 119 + 2, 17, 17}));
    EXPECT_EQ(form.label("LabelNameComand").Bounds().left, 33);
    EXPECT_EQ(form.label("LabelNameComand").Bounds().top, 256 - 119 + 3);
    EXPECT_EQ(form.label("LabelDescription").Bounds(), (hq::ui::Rect{13, 256 - 119 + 24, 100, 16}));
    EXPECT_EQ(form.button("Button1").Bounds(), (hq::ui::Rect{250, 222, 69, 25}));
    EXPECT_EQ(form.button("Button2").Bounds(), (hq::ui::Rect{322, 222, 69, 25}));
    EXPECT_EQ(form.Caption(), "Свойства fzProbe");
}

TEST(Skeleton, ADuplicateControlNameIsRefused) {
    static const hq::editors::DialogDesign design{
        .action = "fzProbe",
        .controls = {hq::editors::EditField("Edit1", 16, 36, 100), hq::editors::EditField("Edit1", 16, 70, 100)},
    };
    EXPECT_THROW(EditorForm form(design), hq::Error);
}

}  // namespace
