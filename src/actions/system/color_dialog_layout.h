// What the colour chooser's hook makes of the layout texts the action hands
// it: where to put the dialog and which opening animation to play. Portable.
#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

#include "base/placement.h"

namespace hq {

struct Point {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const Point&) const = default;
};

// The dialog's new top-left corner for a window of winW x winH. An empty text
// centres the dialog along that axis in `work` (its owner's monitor's work
// area; never partly off it, see CentredIn); a given text is the screen
// coordinate itself; a text that is not integer text means the dialog is not
// moved at all (nothing).
std::optional<Point> ChooserPosition(std::string_view xText, std::string_view yText, const ScreenArea& work,
                                     int32_t winW, int32_t winH);

// AnimateWindow flags of an animation name ("Slide Left", "Fade", ...), compared
// whole and case-sensitively; nothing for "None" and any other text.
std::optional<uint32_t> AnimationFlags(std::string_view name);

// Longest opening animation, in milliseconds (a typical one takes 200).
constexpr uint32_t kMaxAnimationMs = 2000;

// The animation time in milliseconds: empty text is 1; more than
// kMaxAnimationMs is kMaxAnimationMs; text that is not integer text, or a
// negative value (which the system would read as a wait of weeks), means no
// animation (nothing).
std::optional<uint32_t> AnimationDuration(std::string_view text);

// Chooser style from its text: exactly "2" small caption, exactly "3" no caption.
enum class ChooserStyle { Unchanged, ToolWindow, NoCaption };
ChooserStyle ChooserStyleOf(std::string_view text);

}  // namespace hq
