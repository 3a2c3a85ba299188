// TGradient: a windowless control painting a two-colour gradient in one of 25
// styles. Property changes rebuild a small pattern bitmap of a fixed size per
// style; painting only stretches that pattern over the control.
#pragma once
#include <functional>

#include "form/gradient_pattern.h"
#include "form/form.h"

namespace hq {

// The pattern bitmap: a 32-bit top-down DIB section.
class GradientPattern {
public:
    // Makes the bitmap `width` × `height` (its pixels are then undefined).
    void SetSize(int width, int height);
    int Width() const { return width_; }
    int Height() const { return height_; }
    uint32_t* Pixels() const { return pixels_; }  // rows of Width() pixels, top first
    uint32_t Pixel(int x, int y) const { return pixels_[y * width_ + x] & 0xFFFFFF; }
    HBITMAP Bitmap() const { return bitmap_.get(); }

private:
    UniqueBitmap bitmap_;
    uint32_t* pixels_ = nullptr;
    int width_ = 0, height_ = 0;
};

class TGradient : public ui::GraphicControl {
public:
    using CustomEvent = std::function<void(TGradient& sender, const GradientColors& colors, GradientPattern& pattern)>;

    // Starts in the loading state when `loading` is true: setters then only
    // mark a rebuild pending, and Loaded() performs it once.
    TGradient(ui::Form& form, std::string name, ui::Rect bounds, bool loading = false);
    const char* Kind() const override { return "Gradient"; }

    ui::Color ColorBegin() const { return colorBegin_; }
    ui::Color ColorEnd() const { return colorEnd_; }
    bool UseSysColors() const { return useSysColors_; }
    GradientStyle Style() const { return style_; }
    int Shift() const { return shift_; }
    int Rotation() const { return rotation_; }
    bool Reverse() const { return reverse_; }
    ui::Color BorderColor() const { return borderColor_; }
    int BorderWidth() const { return borderWidth_; }
    const GradientPattern& Pattern() const { return pattern_; }
    const GradientColors& Colors() const { return colors_; }
    bool Drawing() const { return drawing_; }
    int Rebuilds() const { return rebuilds_; }

    void SetColorBegin(ui::Color c);
    void SetColorEnd(ui::Color c);
    void SetUseSysColors(bool on);
    void SetStyle(GradientStyle s);
    void SetShift(int percent);
    void SetRotation(int percent);
    void SetReverse(bool on);
    void SetBorderColor(ui::Color c);
    void SetBorderWidth(int width);
    void SetOnCustom(CustomEvent handler) { onCustom_ = std::move(handler); }

    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();
    // End of loading: one rebuild.
    void Loaded();
    virtual void RebuildPattern();
    virtual void LoadSystemColors();

    void Paint(HDC dc) override;
    bool Opaque() const override { return true; }
    void SettingChange() override;

private:
    ui::Color colorBegin_ = ui::clWhite;
    ui::Color colorEnd_ = ui::clBtnFace;
    bool useSysColors_ = false;
    GradientStyle style_ = GradientStyle::RadialC;
    int shift_ = 0;
    int rotation_ = 0;
    bool reverse_ = false;
    GradientPattern pattern_;
    ui::Color borderColor_ = ui::clActiveBorder;
    int borderWidth_ = 0;
    CustomEvent onCustom_;
    int updateCount_ = 0;
    bool updatePending_ = false;
    bool drawing_ = false;
    bool loading_;
    int rebuilds_ = 0;
    GradientColors colors_{};
};

}  // namespace hq
