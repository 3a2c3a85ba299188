// Layout faults of every property dialog the editor table has built, checked
// as rules rather than against each dialog's table, on the forms as built (in
// this process, without showing them): everything lies inside the client
// area, windowed controls never overlap each other, a section header or the
// info panel, a pick button stands right of its field on the same row, each
// section header lines up with its corner and its title fits its bar, and the
// info panel and buttons keep their offsets from the client height.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "form/gradient.h"
#include "editors/editor_form.h"
#include "editors/editor_table.h"
#include "plugin/catalogue.h"

namespace {

using hq::editors::EditorForm;
using hq::ui::Rect;

bool Overlap(const Rect& a, const Rect& b) {
    return a.left < b.right() && b.left < a.right() && a.top < b.bottom() && b.top < a.bottom();
}

bool Inside(const Rect& r, int width, int height) {
    return r.left >= 0 && r.top >= 0 && r.right() <= width && r.bottom() <= height && r.width > 0 && r.height > 0;
}

bool Inside(const Rect& inner, const Rect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right() <= outer.right() &&
           inner.bottom() <= outer.bottom();
}

std::string Show(const Rect& r) {
    return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ") " + std::to_string(r.width) + " x " +
           std::to_string(r.height);
}

// Where the window really is, in the form's client coordinates.
Rect WindowPlace(HWND child) {
    RECT r;
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

// Runs `check` on a form of every dialog built so far.
template <typename Check>
int ForEachBuiltDialog(Check check) {
    int built = 0;
    for (const hq::editors::EditorRow& row : hq::editors::kEditorTable) {
        if (!row.design) continue;
        ++built;
        SCOPED_TRACE(row.dialogClass);
        EditorForm form(row.design());
        check(row, form);
    }
    return built;
}

TEST(DialogStructure, EveryControlLiesInsideTheClientArea) {
    const int built = ForEachBuiltDialog([](const hq::editors::EditorRow& row, EditorForm& form) {
        RECT client;
        ::GetClientRect(form.Handle(), &client);
        EXPECT_EQ(client.right, EditorForm::kClientWidth);
        EXPECT_EQ(client.bottom, row.design().height);
        for (const auto& c : form.Controls()) {
            EXPECT_TRUE(Inside(c->Bounds(), client.right, client.bottom)) << c->Name() << " at " << Show(c->Bounds());
            if (c->Handle()) {
                EXPECT_TRUE(Inside(WindowPlace(c->Handle()), client.right, client.bottom))
                    << c->Name() << "'s window at " << Show(WindowPlace(c->Handle()));
            }
        }
    });
    EXPECT_GE(built, 1);
    std::printf("[          ] %d dialogs built\n", built);
}

TEST(DialogStructure, NoTwoWindowedControlsOverlapAndNoButtonCoversOne) {
    ForEachBuiltDialog([](const hq::editors::EditorRow&, EditorForm& form) {
        std::vector<const hq::ui::Control*> windowed, buttons;
        for (const auto& c : form.Controls()) {
            if (c->Handle()) windowed.push_back(c.get());
            if (std::string(c->Kind()) == "SpeedButton") buttons.push_back(c.get());
        }
        for (size_t i = 0; i < windowed.size(); ++i) {
            const Rect a = WindowPlace(windowed[i]->Handle());
            for (size_t k = i + 1; k < windowed.size(); ++k) {
                const Rect b = WindowPlace(windowed[k]->Handle());
                EXPECT_FALSE(Overlap(a, b)) << windowed[i]->Name() << " " << Show(a) << " and " << windowed[k]->Name()
                                            << " " << Show(b);
            }
            for (const hq::ui::Control* s : buttons)
                EXPECT_FALSE(windowed[i]->Visible() && Overlap(a, s->Bounds()))
                    << s->Name() << " covers " << windowed[i]->Name();
        }
        for (size_t i = 0; i < buttons.size(); ++i)
            for (size_t k = i + 1; k < buttons.size(); ++k)
                EXPECT_FALSE(Overlap(buttons[i]->Bounds(), buttons[k]->Bounds()))
                    << buttons[i]->Name() << " and " << buttons[k]->Name();
        // The declared places of the windowed controls keep apart as well.
        std::vector<const hq::ui::Control*> declared;
        for (const auto& c : form.Controls())
            if (dynamic_cast<const hq::ui::WinControl*>(c.get())) declared.push_back(c.get());
        for (size_t i = 0; i < declared.size(); ++i)
            for (size_t k = i + 1; k < declared.size(); ++k)
                EXPECT_FALSE(Overlap(declared[i]->Bounds(), declared[k]->Bounds()))
                    << declared[i]->Name() << " " << Show(declared[i]->Bounds()) << " and " << declared[k]->Name()
                    << " " << Show(declared[k]->Bounds());
    });
}

TEST(DialogStructure, NoWindowedControlCoversASectionHeaderAndSectionsKeepApart) {
    ForEachBuiltDialog([](const hq::editors::EditorRow& row, EditorForm& form) {
        const auto& sections = row.design().sections;
        for (const auto& c : form.Controls()) {
            if (!dynamic_cast<const hq::ui::WinControl*>(c.get())) continue;
            for (const auto& s : sections) {
                const Rect header{s.gx, s.gy, std::max(s.stripWidth, s.titleWidth) + 2, 21};
                EXPECT_FALSE(Overlap(c->Bounds(), header)) << c->Name() << " covers the header of " << s.title;
            }
        }
        for (size_t i = 0; i < sections.size(); ++i)
            for (size_t k = i + 1; k < sections.size(); ++k) {
                const auto& a = sections[i];
                const auto& b = sections[k];
                EXPECT_FALSE(Overlap(Rect{a.gx, a.gy, a.stripWidth + 2, a.leftHeight + 2},
                                     Rect{b.gx, b.gy, b.stripWidth + 2, b.leftHeight + 2}))
                    << a.title << " and " << b.title;
            }
    });
}

TEST(DialogStructure, PickButtonsStandRightOfTheirFieldOnTheSameRow) {
    ForEachBuiltDialog([](const hq::editors::EditorRow& row, EditorForm& form) {
        // The pick buttons of each field, left to right.
        std::map<std::string, std::vector<Rect>> picks;
        for (const hq::editors::ControlDecl& d : row.design().controls) {
            if (!d.pickCode) continue;
            const Rect b = form.speedButton(d.name).Bounds();
            const Rect f = form.edit(d.pickField).Bounds();
            EXPECT_TRUE(form.edit(d.pickField).Visible()) << d.name << " serves a hidden field";
            EXPECT_EQ(b.top, f.top) << d.name << " is not on the row of " << d.pickField;
            EXPECT_EQ(b.height, f.height) << d.name;
            EXPECT_EQ(b.width, 24) << d.name;
            picks[d.pickField].push_back(b);
        }
        // The first button follows its field at most one button's place apart
        // (a row may leave out the file pick); each further one follows the
        // previous button closely.
        for (auto& [field, buttons] : picks) {
            std::sort(buttons.begin(), buttons.end(), [](const Rect& a, const Rect& b) { return a.left < b.left; });
            int edge = form.edit(field).Bounds().right();
            for (size_t i = 0; i < buttons.size(); ++i) {
                const Rect& b = buttons[i];
                EXPECT_GE(b.left, edge) << "a pick button of " << field << " at " << Show(b);
                EXPECT_LE(b.left, edge + (i == 0 ? 27 : 6))
                    << "pick button " << i + 1 << " of " << field << " stands apart at " << Show(b);
                edge = b.right();
            }
        }
    });
}

TEST(DialogStructure, SectionStripsAndTitleBarLineUpWithTheCornerAndTitlesFit) {
    ForEachBuiltDialog([](const hq::editors::EditorRow& row, EditorForm& form) {
        // The section headers come first, four gradients each, in section order.
        std::vector<const hq::TGradient*> strips;
        for (const auto& c : form.Controls())
            if (auto* g = dynamic_cast<const hq::TGradient*>(c.get())) strips.push_back(g);
        const auto& sections = row.design().sections;
        ASSERT_GE(strips.size(), 4 * sections.size()) << "four gradients per section";
        for (size_t i = 0; i < sections.size(); ++i) {
            SCOPED_TRACE(sections[i].title);
            const int gx = sections[i].gx, gy = sections[i].gy;
            const Rect top = strips[4 * i]->Bounds(), bar = strips[4 * i + 1]->Bounds();
            const Rect bottom = strips[4 * i + 2]->Bounds(), left = strips[4 * i + 3]->Bounds();
            EXPECT_EQ(top.left, gx + 2);
            EXPECT_EQ(top.top, gy);
            EXPECT_EQ(top.height, 2);
            EXPECT_EQ(bar.left, gx + 2);
            EXPECT_EQ(bar.top, gy + 2);
            EXPECT_EQ(bar.height, 18);
            EXPECT_LE(bar.width, top.width) << "the title bar is longer than its strips";
            EXPECT_EQ(bottom.left, gx + 2);
            EXPECT_EQ(bottom.top, gy + 20);
            EXPECT_EQ(bottom.height, 1);
            EXPECT_EQ(bottom.width, top.width);
            EXPECT_EQ(left.left, gx);
            EXPECT_EQ(left.top, gy + 2);
            EXPECT_EQ(left.width, 2);
            // The declared sizes, under the names the header's gradients carry.
            auto named = [&](int k) { return form.gradient("Gradient" + std::to_string(4 * i + k)).Bounds(); };
            EXPECT_EQ(named(1), (Rect{gx + 2, gy, sections[i].stripWidth, 2}));
            EXPECT_EQ(named(2), (Rect{gx + 2, gy + 2, sections[i].titleWidth, 18}));
            EXPECT_EQ(named(3), (Rect{gx + 2, gy + 20, sections[i].stripWidth, 1}));
            EXPECT_EQ(named(4), (Rect{gx, gy + 2, 2, sections[i].leftHeight}));
            EXPECT_EQ(named(1), top);
            EXPECT_EQ(named(4), left);
            EXPECT_EQ(strips[4 * i]->Style(), hq::GradientStyle::LinearH);
            EXPECT_EQ(strips[4 * i + 3]->Style(), hq::GradientStyle::LinearV);
            const hq::ui::Label& title = form.label("LabelSection" + std::to_string(i + 1));
            EXPECT_EQ(title.Text(), sections[i].title);
            EXPECT_EQ(title.Bounds().left, gx + 6);
            EXPECT_EQ(title.Bounds().top, gy + 3);
            EXPECT_LE(title.Bounds().bottom(), gy + 20) << "the title runs past its bar";
            // Titles are laid out for Arial; a substitute font (Liberation Sans under
            // Wine) sets Cyrillic about 2% wider, so allow that much past the bar.
            Rect designWidth = title.Bounds();
            designWidth.width -= designWidth.width / 25;
            EXPECT_TRUE(Inside(designWidth, bar)) << "the title runs past its bar: " << Show(title.Bounds());
            // A section lies above the info panel.
            EXPECT_LE(left.bottom(), row.design().height - 119);
        }
    });
}

TEST(DialogStructure, InfoPanelAndButtonsKeepTheirOffsetsFromTheClientHeight) {
    ForEachBuiltDialog([](const hq::editors::EditorRow& row, EditorForm& form) {
        const int h = row.design().height, y = h - 119;
        EXPECT_EQ(form.image(row.design().infoIconName).Bounds(), (Rect{12, y + 2, 17, 17}));
        const hq::ui::Label& name = form.label("LabelNameComand");
        EXPECT_EQ(name.Bounds().left, 33);
        EXPECT_EQ(name.Bounds().top, y + 3);
        EXPECT_EQ(name.Text(), hq::FindAction(row.id)->name);
        const Rect text = form.label("LabelDescription").Bounds();
        EXPECT_EQ(text.left, 13);
        EXPECT_EQ(text.top, y + 24);
        EXPECT_TRUE(Inside(text, Rect{9, y + 21, 380, 54})) << "the description leaves its box: " << Show(text);
        EXPECT_EQ(form.button("Button1").Bounds(), (Rect{250, h - 34, 69, 25}));
        EXPECT_EQ(form.button("Button2").Bounds(), (Rect{322, h - 34, 69, 25}));
        EXPECT_EQ(form.button("Button1").Text(), "OK");
        EXPECT_EQ(form.button("Button2").Text(), "Отмена");
        // Nothing visible but the panel's own controls covers the panel.
        const Rect panel{8, y, 391 - 8, 77};
        for (const auto& c : form.Controls()) {
            const std::string& n = c->Name();
            if (n == row.design().infoIconName || n == "LabelNameComand" || n == "LabelDescription") continue;
            EXPECT_FALSE(c->Visible() && Overlap(c->Bounds(), panel)) << n << " covers the info panel";
        }
    });
}

}  // namespace
