#pragma once

#include <QRect>
#include <QSize>

namespace quorava {

// The draw window as defined: its place and size before the full-screen layout, and the
// controls' places relative to its inner area. The controls are created at these, then
// layOutDrawWindow() moves them.
namespace draw_window {
inline constexpr QRect kDefinedWindow{50, 50, 753, 496};
inline constexpr QRect kDefinedBand{16, 192, 712, 152};         // 标签1
inline constexpr QRect kDefinedStatusLine{264, 120, 296, 48};   // 编辑框1
inline constexpr QRect kDefinedBandUnder{8, 184, 720, 160};     // 编辑框2
inline constexpr QRect kDefinedBackButton{264, 360, 184, 48};   // 按钮1
inline constexpr QRect kDefinedReplayButton{488, 360, 184, 48}; // 按钮2

// The layout keeps these sizes.
inline constexpr QSize kStatusLineSize = kDefinedStatusLine.size();
inline constexpr QSize kButtonSize = kDefinedBackButton.size();

// Space kept under the buttons when a very wide screen would push them off the bottom.
inline constexpr int kBottomMargin = 10;
} // namespace draw_window

struct DrawLayout {
    QRect window;       // relative to the screen
    QRect statusLine;   // 编辑框1
    QRect bandUnder;    // 编辑框2
    QRect backButton;   // 按钮1
    QRect replayButton; // 按钮2
    QRect band;         // 标签1, always the same as bandUnder
};

// Spreads the draw window over a W x H screen: the band's top 100 pixels above the middle
// and its height a fifth of the width, the status line centred above it, the buttons 10
// pixels below it. Where that would put the buttons below the screen's bottom, the band is
// shortened so that they end kBottomMargin pixels above it.
DrawLayout layOutDrawWindow(int screenWidth, int screenHeight);

} // namespace quorava
