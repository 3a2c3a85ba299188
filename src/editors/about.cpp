// The About box: its picture (PNG data in the plug-in's resources, decoded
// with libpng), the release year and an "OK" button.
#include "editors/about.h"

#include <png.h>

#include <cstring>
#include <vector>

#include "base/error.h"
#include "base/host.h"
#include "form/controls.h"

namespace hq {

namespace {

constexpr char kReleaseYear[] = "2026";

// The PNG stored under `name` as a 32-bit top-down bitmap; null when the
// resource is missing or does not decode.
UniqueBitmap LoadPngResource(const wchar_t* name) {
    HMODULE module = PluginModule();
    HRSRC info = ::FindResourceW(module, name, MAKEINTRESOURCEW(10));  // RT_RCDATA
    if (!info) return {};
    HGLOBAL data = ::LoadResource(module, info);
    const void* bytes = data ? ::LockResource(data) : nullptr;
    if (!bytes) return {};

    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes, ::SizeofResource(module, info))) return {};
    const ScopeExit release([&image] { png_image_free(&image); });  // a no-op once a read has freed it
    image.format = PNG_FORMAT_BGRA;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = static_cast<LONG>(image.width);
    bi.bmiHeader.biHeight = -static_cast<LONG>(image.height);
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    UniqueBitmap bitmap(::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &pixels, nullptr, 0));
    if (!bitmap) return {};
    // Translucent pixels are blended onto the form's face colour.
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    if (!png_image_finish_read(&image, nullptr, pixels, 0, nullptr)) return {};
    auto* p = static_cast<uint8_t*>(pixels);
    for (size_t i = 0; i < static_cast<size_t>(image.width) * image.height; ++i, p += 4) {
        const unsigned a = p[3];
        p[0] = static_cast<uint8_t>((p[0] * a + GetBValue(face) * (255 - a) + 127) / 255);
        p[1] = static_cast<uint8_t>((p[1] * a + GetGValue(face) * (255 - a) + 127) / 255);
        p[2] = static_cast<uint8_t>((p[2] * a + GetRValue(face) * (255 - a) + 127) / 255);
        p[3] = 0;
    }
    return bitmap;
}

class TAboutBoxForm final : public ui::Form {
public:
    explicit TAboutBoxForm(HWND owner) : ui::Form("", 204, 185, owner) {
        ui::Image& picture = Add<ui::Image>("Image1", ui::Rect{8, 8, 188, 132});
        picture.SetPicture(LoadPngResource(L"ABOUT_PICTURE"));
        Add<ui::Label>("Label2", ui::Rect{8, 152, 0, 0}, kReleaseYear, false);
        ui::Button& ok = Add<ui::Button>("Button1", ui::Rect{123, 150, 73, 29}, "OK");
        ok.onClick = [this] { Button1Click(); };
        SetTabOrder({&ok});
    }
    void Button1Click() { Close(); }
};

}  // namespace

void ShowAboutBox() {
    TAboutBoxForm form(::GetActiveWindow());
    form.ShowModal();
}

}  // namespace hq
