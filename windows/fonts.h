#pragma once

#include <QFont>
#include <QStringList>

namespace quorava {

// Fonts name the face the program was designed with first, then CJK faces that Linux
// installs, so that Chinese text never falls back to empty boxes. Sizes are character
// heights in pixels.
QFont yaHeiFont(int pixelSize, int weight);
QFont songFont(int pixelSize, int weight);
// The platform's default face at a given pixel height and weight.
QFont defaultFaceFont(int pixelSize, int weight);

} // namespace quorava
