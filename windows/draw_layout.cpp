#include "draw_layout.h"

#include <cmath>

namespace quorava {

namespace {

// Layout arithmetic is done in double precision and truncated toward zero.
int whole(double value)
{
    return int(std::trunc(value));
}

} // namespace

DrawLayout layOutDrawWindow(int screenWidth, int screenHeight)
{
    using namespace draw_window;
    const double w = screenWidth;
    const double h = screenHeight;
    DrawLayout layout;

    layout.window = QRect(0, 0, screenWidth, screenHeight);

    const int bandTop = whole(h / 2 - 100);
    int bandHeight = whole(w / 5);
    const int buttonGap = 10;
    if (bandTop + bandHeight + buttonGap + kButtonSize.height() > screenHeight)
        bandHeight = screenHeight - kBottomMargin - kButtonSize.height() - buttonGap - bandTop;
    layout.bandUnder = QRect(0, bandTop, screenWidth, bandHeight);

    layout.statusLine = QRect(whole(w / 2 - kStatusLineSize.width() / 2.0),
                              whole(bandTop - kStatusLineSize.height() - 5.0),
                              kStatusLineSize.width(), kStatusLineSize.height());

    const int buttonTop = whole(bandTop + bandHeight + double(buttonGap));
    layout.backButton = QRect(whole(w / 3 - kButtonSize.width() / 2.0), buttonTop,
                              kButtonSize.width(), kButtonSize.height());
    // The replay button's left edge, not its centre, sits at two thirds of the width.
    layout.replayButton =
        QRect(whole(w / 1.5), buttonTop, kButtonSize.width(), kButtonSize.height());

    layout.band = QRect(0, bandTop, screenWidth, bandHeight);
    return layout;
}

} // namespace quorava
