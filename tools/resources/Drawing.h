#pragma once
// The pictures the resource tool draws. All drawing is deterministic.
#include <QColor>
#include <QFont>
#include <QImage>

#include <string_view>

namespace tools::resources {

// The font every picture writes with (DejaVu Sans, bold when asked), sized in pixels.
QFont drawingFont(int pixelSize, bool bold = true);

// Tile of set "blue", "red" or "yel" with the letter of index 0..25.
QImage drawTile(std::string_view set, int letterIndex);

// One of the store pictures named in StorePictures (Names.h); a null image for another name.
QImage drawStorePicture(std::string_view name);

// One of the shell windows' pictures named in StorePictures (Names.h); a null image for another
// name.
QImage drawWindowPicture(std::string_view name);

// Board background 0..7 in the order of BoardFiles.
QImage drawBoard(int index);

} // namespace tools::resources
