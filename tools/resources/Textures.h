#pragma once
// The eight board textures, each filling the whole window, before the board and panels go on.
#include <QImage>

namespace tools::resources {

QImage bricksTexture();
QImage flowersTexture();
QImage forestTexture();
QImage marbleTexture();
QImage steelTexture();
QImage sunsetTexture();
QImage underseaTexture();
QImage woodyTexture();

} // namespace tools::resources
