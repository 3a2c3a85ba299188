// Layout faults in the window and text-entry dialogs, found without restating
// their tables: controls outside the client area or over the info panel,
// overlapping windowed controls.
#include <gtest/gtest.h>

#include <string>

#include "editors/editor_form.h"
#include "editors/editor_table.h"

namespace dialogs53 {
namespace {

using hq::editors::EditorForm;
using hq::ui::Rect;

constexpr int kIds[] = {20, 21, 23, 24, 25, 38, 45};

bool Overlap(const Rect& a, const Rect& b) {
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
           b.top < a.top + a.height;
}

bool IsSkeleton(const std::string& name) {
    return name.rfind("Gradient", 0) == 0 || name.rfind("LabelSection", 0) == 0 || name == "Image1" ||
           name == "LabelNameComand" || name == "LabelDescription" || name == "Button1" || name == "Button2";
}

TEST(WindowDialogLayout, ControlsStayInTheClientAreaAboveTheInfoPanel) {
    for (int id : kIds) {
        const hq::editors::EditorRow* row = hq::editors::FindEditor(id);
        ASSERT_NE(row, nullptr);
        ASSERT_NE(row->design, nullptr) << row->dialogClass << " is not built";
        SCOPED_TRACE(row->dialogClass);
        EditorForm form(row->design());
        const int panelTop = form.ClientHeight() - 119;
        for (const auto& c : form.Controls()) {
            const Rect& r = c->Bounds();
            EXPECT_GE(r.left, 0) << c->Name();
            EXPECT_GE(r.top, 0) << c->Name();
            EXPECT_LE(r.left + r.width, EditorForm::kClientWidth) << c->Name();
            EXPECT_LE(r.top + r.height, form.ClientHeight()) << c->Name();
            if (c->Visible() && !IsSkeleton(c->Name()))
                EXPECT_LE(r.top + r.height, panelTop) << c->Name() << " reaches into the info panel";
        }
    }
}

TEST(WindowDialogLayout, WindowedControlsDoNotOverlap) {
    for (int id : kIds) {
        const hq::editors::EditorRow* row = hq::editors::FindEditor(id);
        ASSERT_NE(row->design, nullptr) << row->dialogClass << " is not built";
        SCOPED_TRACE(row->dialogClass);
        EditorForm form(row->design());
        const auto& controls = form.Controls();
        for (size_t i = 0; i < controls.size(); ++i)
            for (size_t k = i + 1; k < controls.size(); ++k) {
                const hq::ui::Control& a = *controls[i];
                const hq::ui::Control& b = *controls[k];
                if (!a.Handle() || !b.Handle()) continue;
                EXPECT_FALSE(Overlap(a.Bounds(), b.Bounds())) << a.Name() << " and " << b.Name();
            }
    }
}

}  // namespace
}  // namespace dialogs53
