// Layout faults of every property dialog the editor table has built, checked
// as rules rather than against each dialog's table: everything lies inside the
// client area, windowed controls never overlap, a pick button stands right of
// its field on the same row, each section header lines up with its corner,
// and the info panel and buttons keep their offsets from the client height.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "controls/gradient.h"
#include "editors/editor_form.h"
#include "editors/editor_table.h"

namespace {

using hq::editors::EditorForm;
using hq::ui::Rect;

bool Overlap(const Rect& a, const Rect& b) {
    return a.left < b.right() && b.left < a.right() && a.top < b.bottom() && b.top < a.bottom();
}

bool Inside(const Rect& r, int width, int height) {
    return r.left >= 0 && r.top >= 0 && r.right() <= width && r.bottom() <= height && r.width > 0 && r.height > 0;
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
        EXPECT_EQ(client.bottom, row.height);
        for (const auto& c : form.Controls()) {
            EXPECT_TRUE(Inside(c->Bounds(), client.right, client.bottom)) << c->Name() << " at " << Show(c->Bounds());
            if (c->Handle())
                EXPECT_TRUE(Inside(WindowPlace(c->Handle()), client.right, client.bottom))
                    << c->Name() << "'s window at " << Show(WindowPlace(c->Handle()));
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
        // Each button follows its field or the field's previous button, at most
        // one button's place apart (a row may leave out the file pick).
        for (auto& [field, buttons] : picks) {
            std::sort(buttons.begin(), buttons.end(), [](const Rect& a, const Rect& b) { return a.left < b.left; });
            int edge = form.edit(field).Bounds().right();
            for (const Rect& b : buttons) {
                EXPECT_GE(b.left, edge) << "a pick button of " << field << " at " << Show(b);
                EXPECT_LE(b.left, edge + 27) << "a pick button of " << field << " stands apart at " << Show(b);
                edge = b.right();
            }
        }
    });
}

TEST(DialogStructure, SectionStripsAndTitleBarLineUpWithTheCorner) {
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
            EXPECT_EQ(strips[4 * i]->Style(), hq::GradientStyle::LinearH);
            EXPECT_EQ(strips[4 * i + 3]->Style(), hq::GradientStyle::LinearV);
            const hq::ui::Label& title = form.label("LabelSection" + std::to_string(i + 1));
            EXPECT_EQ(title.Text(), sections[i].title);
            EXPECT_EQ(title.Bounds().left, gx + 6);
            EXPECT_EQ(title.Bounds().top, gy + 3);
            EXPECT_LE(title.Bounds().bottom(), gy + 20) << "the title runs past its bar";
            // A section lies above the info panel.
            EXPECT_LE(left.bottom(), row.height - 119);
        }
    });
}

TEST(DialogStructure, InfoPanelAndButtonsKeepTheirOffsetsFromTheClientHeight) {
    ForEachBuiltDialog([](const hq::editors::EditorRow& row, EditorForm& form) {
        const int h = row.height, y = h - 119;
        EXPECT_EQ(form.image(row.design().infoIconName).Bounds(), (Rect{12, y + 2, 17, 17}));
        const hq::ui::Label& name = form.label("LabelNameComand");
        EXPECT_EQ(name.Bounds().left, 33);
        EXPECT_EQ(name.Bounds().top, y + 3);
        EXPECT_EQ(name.Text(), row.action);
        const Rect text = form.label("LabelDescription").Bounds();
        EXPECT_EQ(text.left, 13);
        EXPECT_EQ(text.top, y + 24);
        EXPECT_LE(text.right(), 391) << "the description runs out of its box";
        EXPECT_LE(text.bottom(), y + 77) << "the description runs out of its box";
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
