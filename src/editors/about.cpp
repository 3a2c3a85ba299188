// The About box: its picture (PNG data in the plug-in's resources, at the
// form's scale), the release year and an "OK" button.
#include "editors/about.h"

#include "form/controls.h"
#include "form/picture.h"

namespace hq {

namespace {

constexpr char kReleaseYear[] = "2026";

class TAboutBoxForm final : public ui::Form {
public:
    explicit TAboutBoxForm(HWND owner) : ui::Form("", 204, 185, owner) {
        Add<ui::Image>("Image1", ui::Rect{8, 8, 188, 132});
        DpiChanged();
        Add<ui::Label>("Label2", ui::Rect{8, 152, 0, 0}, kReleaseYear, false);
        ui::Button& ok = Add<ui::Button>("Button1", ui::Rect{123, 150, 73, 29}, "OK");
        ok.onClick = [this] { Button1Click(); };
        SetTabOrder({&ok});
    }
    void Button1Click() { Close(); }

protected:
    // The picture drawn for the form's DPI.
    void DpiChanged() override {
        Get<ui::Image>("Image1").SetPicture(ui::LoadPicture(L"ABOUT_PICTURE", 188, 132, Dpi(), ui::PictureKey::None));
    }
};

}  // namespace

void ShowAboutBox() {
    TAboutBoxForm form(::GetActiveWindow());
    form.ShowModal();
}

}  // namespace hq
