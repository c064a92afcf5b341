#include "window_placement.h"

namespace quorava {

QPoint centredWindowPosition(QSize screen, QSize window)
{
    // Conversion from double truncates toward zero: (400 - 475) / 2 = -37.5 gives -37.
    const double left = (double(screen.width()) - window.width()) / 2.0;
    const double top = (double(screen.height()) - window.height()) / 2.0;
    return {int(left), int(top)};
}

} // namespace quorava
