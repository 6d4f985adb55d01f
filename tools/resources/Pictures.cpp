// The picture store: tiles, transfer lights, small buttons, portraits and the logo.
#include "tools/resources/Drawing.h"
#include "tools/resources/Names.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace tools::resources {
namespace {

struct TileColours {
    QColor light, dark, edge, letter;
};

TileColours tileColours(std::string_view set) {
    if (set == "red") return {QColor(240, 104, 92), QColor(168, 28, 30), QColor(100, 12, 14), Qt::white};
    if (set == "yel") return {QColor(255, 236, 120), QColor(228, 168, 18), QColor(130, 92, 0), QColor(72, 44, 0)};
    return {QColor(98, 160, 240), QColor(28, 72, 176), QColor(14, 36, 104), Qt::white};
}

QImage canvas(int w, int h, QColor fill) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

// A small raised button face, as on the main window's picture buttons.
void buttonFace(QPainter& p, int w, int h) {
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0, QColor(246, 246, 242));
    g.setColorAt(1, QColor(190, 192, 196));
    p.setPen(QColor(96, 100, 108));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), 4, 4);
    p.setPen(QColor(255, 255, 255, 180));
    p.drawLine(QPointF(3, 1.5), QPointF(w - 4, 1.5));
}

void speaker(QPainter& p) {
    QPainterPath body;
    body.moveTo(5, 10);
    body.lineTo(9, 10);
    body.lineTo(14, 5.5);
    body.lineTo(14, 19.5);
    body.lineTo(9, 15);
    body.lineTo(5, 15);
    body.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(52, 58, 70));
    p.drawPath(body);
}

QImage soundButton(bool on) {
    QImage image = canvas(26, 25, QColor(150, 150, 150));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    buttonFace(p, 26, 25);
    speaker(p);
    if (on) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(30, 140, 60), 1.6, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(11, 8, 7, 9), -50 * 16, 100 * 16);
        p.drawArc(QRectF(10, 5, 11, 15), -50 * 16, 100 * 16);
    } else {
        p.setPen(QPen(QColor(200, 30, 30), 2.0, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(16.5, 9), QPointF(22, 16));
        p.drawLine(QPointF(22, 9), QPointF(16.5, 16));
    }
    return image;
}

QImage quickHelp() {
    QImage image = canvas(26, 25, QColor(150, 150, 150));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    buttonFace(p, 26, 25);
    QRadialGradient g(11, 9, 10);
    g.setColorAt(0, QColor(110, 170, 250));
    g.setColorAt(1, QColor(20, 70, 170));
    p.setPen(QColor(14, 40, 110));
    p.setBrush(g);
    p.drawEllipse(QRectF(4, 3.5, 18, 18));
    p.setPen(Qt::white);
    p.setFont(drawingFont(14));
    p.drawText(QRectF(4, 3.5, 18, 18), Qt::AlignCenter, "?");
    return image;
}

QImage light(QColor centre, QColor rim) {
    QImage image = canvas(12, 12, QColor(36, 38, 42));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient g(4.5, 4.5, 6);
    g.setColorAt(0, centre);
    g.setColorAt(1, rim);
    p.setPen(QColor(20, 20, 20));
    p.setBrush(g);
    p.drawEllipse(QRectF(0.8, 0.8, 10.4, 10.4));
    return image;
}

QImage noPhoto() {
    QImage image = canvas(100, 85, Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient bg(0, 0, 0, 85);
    bg.setColorAt(0, QColor(222, 226, 232));
    bg.setColorAt(1, QColor(176, 182, 192));
    p.fillRect(image.rect(), bg);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(132, 140, 152));
    p.drawEllipse(QRectF(38, 10, 24, 26));                       // head
    p.drawRoundedRect(QRectF(24, 38, 52, 40), 20, 16);          // shoulders
    p.setBrush(QColor(60, 64, 72, 170));
    p.drawRect(QRectF(0, 64, 100, 21));
    p.setPen(Qt::white);
    p.setFont(drawingFont(11));
    p.drawText(QRectF(0, 64, 100, 21), Qt::AlignCenter, "No Photo");
    return image;
}

QImage computerPlayer() {
    QImage image = canvas(100, 85, Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient bg(0, 0, 0, 85);
    bg.setColorAt(0, QColor(214, 232, 250));
    bg.setColorAt(1, QColor(150, 186, 226));
    p.fillRect(image.rect(), bg);
    // The monitor and its stand.
    p.setPen(QColor(40, 44, 52));
    p.setBrush(QColor(70, 76, 88));
    p.drawRoundedRect(QRectF(20, 8, 60, 46), 5, 5);
    p.drawRect(QRectF(44, 54, 12, 8));
    p.drawRoundedRect(QRectF(32, 61, 36, 5), 2, 2);
    QLinearGradient screen(0, 12, 0, 50);
    screen.setColorAt(0, QColor(40, 120, 80));
    screen.setColorAt(1, QColor(10, 60, 36));
    p.setBrush(screen);
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(25, 13, 50, 36));
    // A friendly face on the screen.
    p.setBrush(QColor(150, 255, 170));
    p.drawRect(QRectF(38, 21, 6, 6));
    p.drawRect(QRectF(56, 21, 6, 6));
    p.setPen(QPen(QColor(150, 255, 170), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(38, 24, 24, 16), -20 * 16, -140 * 16);
    p.setPen(QColor(20, 40, 80));
    p.setFont(drawingFont(11));
    p.drawText(QRectF(0, 67, 100, 17), Qt::AlignCenter, "Computer");
    return image;
}

QImage logo() {
    QImage image = canvas(125, 44, Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient bg(0, 0, 0, 44);
    bg.setColorAt(0, QColor(40, 48, 92));
    bg.setColorAt(1, QColor(14, 18, 44));
    p.fillRect(image.rect(), bg);
    p.setPen(QColor(200, 170, 60));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, 124, 43));
    QFont font = drawingFont(19);
    p.setFont(font);
    p.setPen(QColor(0, 0, 0, 160));
    p.drawText(QRectF(1, 2, 125, 28), Qt::AlignCenter, "Tessarine");
    QLinearGradient gold(0, 6, 0, 26);
    gold.setColorAt(0, QColor(255, 238, 150));
    gold.setColorAt(1, QColor(226, 170, 40));
    p.setPen(QPen(QBrush(gold), 1));
    p.drawText(QRectF(0, 1, 125, 28), Qt::AlignCenter, "Tessarine");
    // Four little tiles: the four letters of a winning line.
    const char* sets[] = {"blue", "red", "blue", "yel"};
    const char* letters[] = {"W", "O", "R", "D"};
    p.setFont(drawingFont(8));
    for (int i = 0; i < 4; ++i) {
        const TileColours c = tileColours(sets[i]);
        const QRectF r(37 + i * 13, 29, 11, 11);
        p.setPen(c.edge);
        p.setBrush(c.dark);
        p.drawRoundedRect(r, 2, 2);
        p.setPen(c.letter);
        p.drawText(r, Qt::AlignCenter, letters[i]);
    }
    return image;
}

} // namespace

QFont drawingFont(int pixelSize, bool bold) {
    QFont font("DejaVu Sans");
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

QImage drawTile(std::string_view set, int letterIndex) {
    const TileColours c = tileColours(set);
    QImage image = canvas(TileSize, TileSize, c.edge);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient body(0, 0, 0, TileSize);
    body.setColorAt(0, c.light);
    body.setColorAt(1, c.dark);
    p.setPen(Qt::NoPen);
    p.setBrush(body);
    p.drawRoundedRect(QRectF(1.5, 1.5, 29, 29), 4, 4);
    // A soft shine across the top half.
    QLinearGradient shine(0, 2, 0, 16);
    shine.setColorAt(0, QColor(255, 255, 255, 90));
    shine.setColorAt(1, QColor(255, 255, 255, 0));
    p.setBrush(shine);
    p.drawRoundedRect(QRectF(3, 2.5, 26, 13), 3, 3);

    const QString letter(QChar('A' + letterIndex));
    p.setFont(drawingFont(19));
    p.setPen(QColor(0, 0, 0, c.letter == Qt::white ? 110 : 50));
    p.drawText(QRectF(1, 2, 32, 31), Qt::AlignCenter, letter);
    p.setPen(c.letter);
    p.drawText(QRectF(0, 1, 32, 31), Qt::AlignCenter, letter);
    return image;
}

QImage drawStorePicture(std::string_view name) {
    if (name == "onlight") return light(QColor(170, 255, 160), QColor(20, 150, 30));
    if (name == "redlight") return light(QColor(255, 170, 150), QColor(190, 20, 20));
    if (name == "offlight") return light(QColor(150, 152, 156), QColor(66, 68, 72));
    if (name == "soundon") return soundButton(true);
    if (name == "soundoff") return soundButton(false);
    if (name == "quickhelp") return quickHelp();
    if (name == "photona") return noPhoto();
    if (name == "pcplayer") return computerPlayer();
    if (name == "logo") return logo();
    return drawWindowPicture(name);
}

} // namespace tools::resources
