#include "form/gradient.h"

#include <algorithm>

#include "base/error.h"
#include "form/picture.h"

namespace hq {

namespace {

// Whether the device draws through a palette (8 bits a pixel or fewer). A
// memory DC draws at the depth of the bitmap selected into it, which is read
// without asking the device (in Wine that is a query of the display's
// settings each time); any other DC is asked.
bool PaletteDevice(HDC dc) {
    if (::GetObjectType(dc) == OBJ_MEMDC) {
        BITMAP bm{};
        if (::GetObjectW(::GetCurrentObject(dc, OBJ_BITMAP), sizeof bm, &bm)) return bm.bmBitsPixel * bm.bmPlanes <= 8;
    }
    return ::GetDeviceCaps(dc, BITSPIXEL) * ::GetDeviceCaps(dc, PLANES) <= 8;
}

}  // namespace

void GradientPattern::SetSize(int width, int height) {
    if (width == width_ && height == height_ && bitmap_) return;
    void* bits = nullptr;
    UniqueBitmap bitmap = ui::NewTopDownDib32(std::max(width, 1), std::max(height, 1), &bits);
    if (!bitmap) Fail("Cannot create the gradient pattern");
    bitmap_ = std::move(bitmap);
    pixels_ = static_cast<uint32_t*>(bits);
    width_ = std::max(width, 1);
    height_ = std::max(height, 1);
}

TGradient::TGradient(ui::Form& form, std::string name, ui::Rect bounds, bool loading)
    : GraphicControl(form, std::move(name), bounds), loading_(loading) {
    RebuildPattern();
}

void TGradient::SetColorBegin(ui::Color c) {
    if (c == colorBegin_) return;
    colorBegin_ = c;
    useSysColors_ = false;
    RebuildPattern();
}

void TGradient::SetColorEnd(ui::Color c) {
    if (c == colorEnd_) return;
    colorEnd_ = c;
    useSysColors_ = false;
    RebuildPattern();
}

void TGradient::SetUseSysColors(bool on) {
    if (on == useSysColors_) return;
    useSysColors_ = on;
    if (on) LoadSystemColors();
}

void TGradient::SetStyle(GradientStyle s) {
    if (s == style_) return;
    style_ = s;
    RebuildPattern();
}

void TGradient::SetReverse(bool on) {
    if (on == reverse_) return;
    reverse_ = on;
    RebuildPattern();
}

void TGradient::SetShift(int percent) {
    percent = ClampPercent(percent);
    if (percent == shift_) return;
    shift_ = percent;
    RebuildPattern();
}

void TGradient::SetRotation(int percent) {
    percent = ClampPercent(percent);
    if (percent == rotation_) return;
    rotation_ = percent;
    RebuildPattern();
}

void TGradient::SetBorderColor(ui::Color c) {
    if (c == borderColor_) return;
    borderColor_ = c;
    Invalidate();
}

void TGradient::SetBorderWidth(int width) {
    width = std::max(width, 0);
    if (width == borderWidth_) return;
    borderWidth_ = width;
    Invalidate();
}

void TGradient::EndUpdate() {
    if (updateCount_ > 0) --updateCount_;
    if (updateCount_ == 0 && updatePending_) RebuildPattern();
}

void TGradient::Loaded() {
    loading_ = false;
    RebuildPattern();
}

void TGradient::RebuildPattern() {
    updatePending_ = true;
    if (loading_ || updateCount_ != 0) return;
    updatePending_ = false;
    ++rebuilds_;

    const uint32_t begin = ui::ResolveColor(colorBegin_), end = ui::ResolveColor(colorEnd_);
    GradientRamp ramp;
    ramp.first = reverse_ ? end : begin;
    ramp.second = reverse_ ? begin : end;
    ramp.shift = shift_;
    ramp.rotation = rotation_;
    BuildGradientColors(ramp, colors_);

    drawing_ = true;
    const ScopeExit drawn([this] { drawing_ = false; });
    if (style_ == GradientStyle::Custom) {
        if (onCustom_) {
            onCustom_(*this, colors_, pattern_);
        } else {
            // Two-by-two checker of the two colours, without shift.
            auto pixel = [](uint32_t colorref) {
                return (colorref & 0xFF) << 16 | (colorref & 0xFF00) | ((colorref >> 16) & 0xFF);
            };
            pattern_.SetSize(2, 2);
            uint32_t* p = pattern_.Pixels();
            p[0] = p[3] = pixel(ramp.first);
            p[1] = p[2] = pixel(ramp.second);
        }
    } else {
        const PatternSize size = GradientPatternSize(style_);
        pattern_.SetSize(size.width, size.height);
        RenderGradientPattern(style_, colors_, pattern_.Pixels(), pattern_.Width());
    }
    Invalidate();
}

void TGradient::LoadSystemColors() {
    BeginUpdate();
    const ScopeExit end([this] { EndUpdate(); });
    SetColorBegin(::GetSysColor(COLOR_ACTIVECAPTION));
    SetColorEnd(::GetSysColor(COLOR_GRADIENTACTIVECAPTION));
    useSysColors_ = true;
}

void TGradient::SettingChange() {
    if (useSysColors_) LoadSystemColors();
}

void TGradient::Paint(HDC dc) {
    if (drawing_) return;
    RECT r = Bounds().ToRECT();
    if (borderWidth_ > 0) {
        const int border = Owner().Scale(borderWidth_);
        UniquePen pen(::CreatePen(PS_INSIDEFRAME, border, ui::ResolveColor(borderColor_)));
        SelectScope p(dc, pen.get());
        SelectScope b(dc, ::GetStockObject(NULL_BRUSH));
        ::Rectangle(dc, r.left, r.top, r.right, r.bottom);
        ::InflateRect(&r, -border, -border);
        if (r.right <= r.left || r.bottom <= r.top) return;
    }
    if (!pattern_.Bitmap()) return;
    const bool palette = PaletteDevice(dc);
    const int oldMode = ::SetStretchBltMode(dc, palette ? HALFTONE : COLORONCOLOR);
    if (palette) ::SetBrushOrgEx(dc, 0, 0, nullptr);
    // Straight from the pattern's pixels: no memory DC to make for each paint.
    const BITMAPINFO bi = ui::TopDownDib32(pattern_.Width(), pattern_.Height());
    ::GdiFlush();  // a custom pattern may have been drawn with GDI
    ::StretchDIBits(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, 0, 0, pattern_.Width(), pattern_.Height(),
                    pattern_.Pixels(), &bi, DIB_RGB_COLORS, SRCCOPY);
    ::SetStretchBltMode(dc, oldMode);
}

}  // namespace hq
