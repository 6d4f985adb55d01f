// The pictures of the shell's windows: the statistics background with its column titles, the
// four word directions, the banners of the quick rules and the About window, and the toolbar's
// button pictures.
#include "tools/resources/Drawing.h"
#include "tools/resources/Names.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace tools::resources {
namespace {

QImage canvas(int w, int h, QColor fill) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

void navyGradient(QPainter& p, const QRect& area) {
    QLinearGradient bg(0, area.top(), 0, area.bottom());
    bg.setColorAt(0, QColor(40, 48, 92));
    bg.setColorAt(1, QColor(14, 18, 44));
    p.fillRect(area, bg);
}

// The statistics window, 420 x 330. The table below the titles is a fixed-pitch list at
// (20, 64) whose characters are about 7.2 pixels wide: "Player" over columns 1-26, the counts
// right-aligned over 28-33, 35-40 and 42-47.
QImage stats() {
    QImage image = canvas(420, 330, Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    navyGradient(p, image.rect());
    p.setPen(QColor(200, 170, 60));
    p.drawRect(QRectF(0.5, 0.5, 419, 329));

    p.setFont(drawingFont(16));
    p.setPen(QColor(255, 226, 120));
    p.drawText(QRect(0, 6, 420, 26), Qt::AlignCenter, "Player Statistics");

    const double left = 23, pitch = 7.2;
    p.setFont(drawingFont(11));
    p.setPen(Qt::white);
    p.drawText(QRectF(left, 40, 120, 20), Qt::AlignLeft | Qt::AlignVCenter, "Player");
    struct Title {
        const char* text;
        int lastColumn;   // 1-based column of the count's last digit
    };
    for (const Title& t : {Title{"Wins", 33}, Title{"Losses", 40}, Title{"Ties", 47}})
        p.drawText(QRectF(left + t.lastColumn * pitch - 60, 40, 60, 20), Qt::AlignRight | Qt::AlignVCenter, t.text);
    p.setPen(QColor(200, 170, 60));
    p.drawLine(QPointF(20, 61.5), QPointF(400, 61.5));

    // "Close Window" under the close area (140, 284, 140 x 24).
    const QRectF close(140.5, 284.5, 139, 23);
    QLinearGradient face(0, close.top(), 0, close.bottom());
    face.setColorAt(0, QColor(96, 108, 170));
    face.setColorAt(1, QColor(44, 52, 104));
    p.setPen(QColor(200, 170, 60));
    p.setBrush(face);
    p.drawRoundedRect(close, 5, 5);
    p.setPen(Qt::white);
    p.drawText(close, Qt::AlignCenter, "Close Window");
    return image;
}

void arrow(QPainter& p, QPointF from, QPointF to, QColor colour) {
    p.setPen(QPen(colour, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
    const double angle = std::atan2(to.y() - from.y(), to.x() - from.x());
    QPainterPath head;
    head.moveTo(to);
    head.lineTo(to.x() - 9 * std::cos(angle - 0.45), to.y() - 9 * std::sin(angle - 0.45));
    head.lineTo(to.x() - 9 * std::cos(angle + 0.45), to.y() - 9 * std::sin(angle + 0.45));
    head.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(head);
}

// The four ways a word reads, 150 x 104: a small grid with one arrow for each direction.
QImage directions() {
    QImage image = canvas(150, 104, QColor(236, 236, 228));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(190, 190, 180));
    for (int i = 0; i <= 6; ++i) p.drawLine(QPointF(15 + i * 20, 7), QPointF(15 + i * 20, 97));
    for (int i = 0; i <= 4; ++i) p.drawLine(QPointF(15, 7 + i * 22.5), QPointF(135, 7 + i * 22.5));
    arrow(p, QPointF(25, 14), QPointF(25, 92), QColor(28, 72, 176));      // top to bottom
    arrow(p, QPointF(40, 52), QPointF(132, 52), QColor(168, 28, 30));     // left to right
    arrow(p, QPointF(42, 92), QPointF(128, 14), QColor(30, 130, 60));     // left to right, up
    arrow(p, QPointF(42, 14), QPointF(128, 92), QColor(200, 140, 10));    // left to right, down
    return image;
}

// A banner: the name and a line under it, on the logo's navy.
QImage banner(int w, int h, const char* text) {
    QImage image = canvas(w, h, Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    navyGradient(p, image.rect());
    p.setPen(QColor(200, 170, 60));
    p.drawRect(QRectF(0.5, 0.5, w - 1, h - 1));
    p.setFont(drawingFont(h * 45 / 100));
    QLinearGradient gold(0, 4, 0, h - 4);
    gold.setColorAt(0, QColor(255, 238, 150));
    gold.setColorAt(1, QColor(226, 170, 40));
    p.setPen(QPen(QBrush(gold), 1));
    p.drawText(QRect(0, 0, w, h), Qt::AlignCenter, text);
    return image;
}

// A toolbar button picture, 24 x 24: a coloured disc with a sign on it.
QImage toolPicture(QColor colour, const QString& sign) {
    QImage image = canvas(24, 24, QColor(212, 208, 200));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient g(9, 8, 13);
    g.setColorAt(0, colour.lighter(160));
    g.setColorAt(1, colour);
    p.setPen(colour.darker(160));
    p.setBrush(g);
    p.drawEllipse(QRectF(1.5, 1.5, 21, 21));
    p.setPen(Qt::white);
    p.setFont(drawingFont(sign.size() > 1 ? 9 : 13));
    p.drawText(QRectF(1.5, 1.5, 21, 21), Qt::AlignCenter, sign);
    return image;
}

} // namespace

// One frame of the busy animation: eight dots in a ring, the lit one (and a fading tail behind
// it) a step further round in each frame.
QImage busyFrame(int frame) {
    QImage image = canvas(24, 24, QColor(239, 239, 239)); // the dialogs' own grey
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    for (int dot = 0; dot < 8; ++dot) {
        const int behind = (frame - dot + 8) % 8;
        const int shade = behind < 3 ? 40 + behind * 60 : 200;
        p.setBrush(QColor(shade / 2, shade / 2 + 30, shade + 55 > 255 ? 255 : shade + 55));
        const double angle = dot * 3.14159265358979 / 4;
        p.drawEllipse(QPointF(12 + 8 * std::sin(angle), 12 - 8 * std::cos(angle)), 2.6, 2.6);
    }
    return image;
}

QImage drawWindowPicture(std::string_view name) {
    if (name.size() == 5 && name.starts_with("busy") && name[4] >= '0' && name[4] <= '7') return busyFrame(name[4] - '0');
    if (name == "stats") return stats();
    if (name == "directions") return directions();
    if (name == "helpbanner") return banner(300, 40, "Tessarine Quick Help");
    if (name == "aboutbanner") return banner(348, 32, "Four letters, four directions");
    struct Tool {
        std::string_view name;
        QColor colour;
        const char* sign;
    };
    static const Tool tools[] = {
        {"tb_computer", QColor(28, 72, 176), "PC"},   {"tb_lan", QColor(30, 130, 60), "LAN"},
        {"tb_internet", QColor(20, 120, 170), "@"},   {"tb_stats", QColor(168, 28, 30), "#"},
        {"tb_user", QColor(120, 60, 150), "U"},       {"tb_settings", QColor(90, 96, 110), "S"},
        {"tb_wordlist", QColor(150, 100, 20), "A"},   {"tb_help", QColor(20, 70, 170), "?"},
        {"tb_about", QColor(40, 48, 92), "i"},        {"tb_fullscreen", QColor(60, 120, 120), "[]"},
        {"tb_exit", QColor(190, 20, 20), "X"},
    };
    for (const Tool& t : tools)
        if (t.name == name) return toolPicture(t.colour, QString::fromLatin1(t.sign));
    return {};
}

} // namespace tools::resources
