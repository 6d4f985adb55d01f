// The board backgrounds: a texture, then the board, the drop row, the rack, the opponent panel,
// the photo frame and the button faces, each exactly under the main window's control that uses it.
#include "tools/resources/Drawing.h"
#include "tools/resources/Names.h"
#include "tools/resources/Textures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <array>

namespace tools::resources {
namespace {

// Where the main window puts its controls, in twips (15 to a pixel): left, top, width, height.
struct Twips {
    int left, top, width, height;
    QRectF pixels() const { return {left / 15.0, top / 15.0, width / 15.0, height / 15.0}; }
};

constexpr std::array<int, 7> ColumnLefts = {2652, 3280, 3905, 4515, 5140, 5770, 6400};
constexpr std::array<int, 6> RowTops = {4005, 3372, 2740, 2110, 1480, 855};   // row 0 at the bottom
constexpr int CellSize = 480;

Twips cell(int index) {
    const int row = index / 7, column = index % 7;
    return {ColumnLefts[column], index == 35 ? 852 : RowTops[row], CellSize, CellSize};
}

Twips dropCell(int column) {
    const int index = 42 + column;
    const int left = index == 46 ? 5160 : ColumnLefts[column];
    const int top = (index == 42 || index == 45 || index == 46) ? 165 : 150;
    return {left, top, CellSize, CellSize};
}

Twips rackSlot(int n) {   // n 0..7 for Image1..Image8: two columns of four
    return {n % 2 ? 8010 : 7470, 1650 + (n / 2) * 540, CellSize, CellSize};
}

constexpr Twips MenuButton{60, 30, 1995, 615};
constexpr Twips MinButton{8310, 210, 345, 345};
constexpr Twips CloseButton{8610, 240, 345, 285};
constexpr Twips SendButton{7590, 5985, 1185, 375};
constexpr Twips Light{8985, 120, 180, 180};
constexpr Twips QuickHelp{7485, 570, 450, 435};
constexpr Twips SoundButton{8115, 570, 450, 435};
constexpr Twips Photo{510, 4950, 1545, 1305};
constexpr Twips StatusList{2520, 4890, 6045, 840};
constexpr Twips ChatLine{2580, 6060, 4665, 195};
constexpr Twips TurnCaption{7245, 4320, 1395, 285};
constexpr Twips PanelFirst{480, 2010, 1575, 225};    // "Player ID", the panel's first caption
constexpr Twips PanelLast{750, 4140, 645, 225};      // "Tied:", its last

struct Theme {
    QColor board;        // the board around the holes
    QColor hole;         // deep inside a hole
    QColor panel;        // the light panels the window's dark captions sit on
    QColor edge;         // outlines of panels and faces
    QColor face;         // button faces
    QColor faceText;
};

Theme theme(int index) {
    switch (index) {
    case 0: return {QColor(84, 46, 34), QColor(34, 18, 12), QColor(250, 240, 226, 224), QColor(70, 36, 24), QColor(208, 120, 84), Qt::white};
    case 1: return {QColor(70, 118, 66), QColor(26, 48, 24), QColor(255, 252, 242, 228), QColor(48, 86, 44), QColor(236, 150, 180), QColor(60, 20, 40)};
    case 2: return {QColor(46, 72, 40), QColor(16, 28, 14), QColor(240, 246, 228, 228), QColor(30, 52, 26), QColor(120, 160, 80), Qt::white};
    case 3: return {QColor(64, 70, 88), QColor(20, 22, 30), QColor(252, 252, 252, 226), QColor(60, 64, 80), QColor(120, 130, 160), Qt::white};
    case 4: return {QColor(58, 64, 74), QColor(18, 20, 24), QColor(236, 240, 246, 230), QColor(40, 44, 52), QColor(96, 120, 150), Qt::white};
    case 5: return {QColor(84, 38, 70), QColor(30, 12, 26), QColor(255, 242, 228, 226), QColor(70, 28, 58), QColor(232, 120, 70), Qt::white};
    case 6: return {QColor(18, 58, 92), QColor(4, 18, 34), QColor(232, 246, 252, 226), QColor(10, 40, 70), QColor(40, 150, 180), Qt::white};
    default: return {QColor(92, 56, 28), QColor(36, 20, 8), QColor(252, 240, 216, 226), QColor(76, 44, 18), QColor(176, 120, 64), Qt::white};
    }
}

QImage texture(int index) {
    switch (index) {
    case 0: return bricksTexture();
    case 1: return flowersTexture();
    case 2: return forestTexture();
    case 3: return marbleTexture();
    case 4: return steelTexture();
    case 5: return sunsetTexture();
    case 6: return underseaTexture();
    default: return woodyTexture();
    }
}

// A rounded plate with a soft shadow and a light top edge.
void plate(QPainter& p, const QRectF& r, QColor fill, QColor edge, double radius = 8) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawRoundedRect(r.translated(2, 3), radius, radius);
    p.setBrush(fill);
    p.setPen(QPen(edge, 1.2));
    p.drawRoundedRect(r, radius, radius);
    p.setPen(QPen(QColor(255, 255, 255, 90), 1));
    p.drawLine(QPointF(r.left() + radius, r.top() + 1.5), QPointF(r.right() - radius, r.top() + 1.5));
}

// A sunken frame just outside a control, so the control sits in it.
void recess(QPainter& p, const QRectF& control, double margin, QColor inside) {
    const QRectF r = control.adjusted(-margin, -margin, margin, margin);
    p.setPen(Qt::NoPen);
    p.setBrush(inside);
    p.drawRoundedRect(r, 3, 3);
    p.setPen(QPen(QColor(0, 0, 0, 120), 1));
    p.drawLine(r.topLeft() + QPointF(0.5, 0.5), r.topRight() + QPointF(-0.5, 0.5));
    p.drawLine(r.topLeft() + QPointF(0.5, 0.5), r.bottomLeft() + QPointF(0.5, -0.5));
    p.setPen(QPen(QColor(255, 255, 255, 140), 1));
    p.drawLine(r.bottomLeft() + QPointF(0.5, -0.5), r.bottomRight() + QPointF(-0.5, -0.5));
    p.drawLine(r.topRight() + QPointF(-0.5, 0.5), r.bottomRight() + QPointF(-0.5, -0.5));
}

// A raised button face filling the control's area.
void face(QPainter& p, const QRectF& r, QColor colour, QColor textColour, const QString& text, int textSize) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, colour.lighter(135));
    g.setColorAt(0.5, colour);
    g.setColorAt(1, colour.darker(135));
    p.setPen(QPen(colour.darker(200), 1));
    p.setBrush(g);
    const double radius = std::min(r.height(), r.width()) * 0.28;
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    p.setPen(QPen(QColor(255, 255, 255, 110), 1));
    p.drawLine(QPointF(r.left() + radius, r.top() + 1.8), QPointF(r.right() - radius, r.top() + 1.8));
    p.setFont(drawingFont(textSize));
    p.setPen(QColor(0, 0, 0, 90));
    p.drawText(r.translated(0.8, 1), Qt::AlignCenter, text);
    p.setPen(textColour);
    p.drawText(r, Qt::AlignCenter, text);
}

// An empty board cell: a round hole with its inner shadow.
void hole(QPainter& p, const QRectF& r, const Theme& t) {
    const QPointF c = r.center();
    QRadialGradient g(c + QPointF(0, 3), 15);
    g.setColorAt(0, t.hole.lighter(160));
    g.setColorAt(0.75, t.hole);
    g.setColorAt(1, t.hole.darker(150));
    p.setPen(QPen(t.board.lighter(150), 1));
    p.setBrush(g);
    p.drawEllipse(c, 14.5, 14.5);
}

void drawBoardArea(QPainter& p, const Theme& t) {
    const QRectF first = cell(35).pixels(), last = cell(6).pixels();   // top left, bottom right
    const QRectF board(first.left() - 9, first.top() - 8, last.right() - first.left() + 18, last.bottom() - first.top() + 16);
    QLinearGradient g(board.topLeft(), board.bottomLeft());
    g.setColorAt(0, t.board.lighter(125));
    g.setColorAt(1, t.board.darker(120));
    plate(p, board, Qt::transparent, t.edge, 10);
    p.setPen(QPen(t.edge.darker(130), 1.5));
    p.setBrush(g);
    p.drawRoundedRect(board, 10, 10);
    for (int i = 0; i < 42; ++i) hole(p, cell(i).pixels(), t);

    // The drop row: where an arriving tile shows before it falls.
    const QRectF leftmost = dropCell(0).pixels(), rightmost = dropCell(6).pixels();
    const QRectF strip(leftmost.left() - 9, 5, rightmost.right() - leftmost.left() + 18, 43);
    QColor stripFill = t.board;
    stripFill.setAlpha(150);
    plate(p, strip, stripFill, t.edge, 10);
    for (int column = 0; column < 7; ++column) {
        const QRectF r = dropCell(column).pixels();
        p.setPen(QPen(QColor(255, 255, 255, 150), 1.2, Qt::DashLine));
        p.setBrush(QColor(255, 255, 255, 30));
        p.drawEllipse(r.center(), 14, 14);
        // A small arrow into the column below.
        QPainterPath arrow;
        arrow.moveTo(r.center().x() - 4, r.center().y() - 2);
        arrow.lineTo(r.center().x() + 4, r.center().y() - 2);
        arrow.lineTo(r.center().x(), r.center().y() + 4);
        arrow.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 120));
        p.drawPath(arrow);
    }
}

void drawRack(QPainter& p, const Theme& t) {
    const QRectF a = rackSlot(0).pixels(), b = rackSlot(7).pixels();
    const QRectF rack(a.left() - 8, a.top() - 8, b.right() - a.left() + 16, b.bottom() - a.top() + 16);
    plate(p, rack, t.panel, t.edge, 8);
    for (int n = 0; n < 8; ++n) {
        const QRectF r = rackSlot(n).pixels();
        QColor inside = t.board;
        inside.setAlpha(110);
        recess(p, r.adjusted(1, 1, -1, -1), 1, inside);
    }
}

void drawOpponentPanel(QPainter& p, const Theme& t) {
    const QRectF firstCaption = PanelFirst.pixels(), lastCaption = PanelLast.pixels();
    const QRectF panel(firstCaption.left() - 10, firstCaption.top() - 30, firstCaption.width() + 20,
                       lastCaption.bottom() - firstCaption.top() + 42);
    plate(p, panel, t.panel, t.edge, 8);
    p.setFont(drawingFont(11));
    p.setPen(t.edge);
    p.drawText(QRectF(panel.left(), panel.top() + 3, panel.width(), 20), Qt::AlignCenter, "Opponent");
    p.setPen(QPen(t.edge, 1));
    p.drawLine(QPointF(panel.left() + 10, panel.top() + 23), QPointF(panel.right() - 10, panel.top() + 23));

    // The photo frame around the opponent's picture.
    const QRectF photo = Photo.pixels();
    plate(p, photo.adjusted(-6, -6, 6, 6), t.panel, t.edge, 5);
    recess(p, photo, 1, QColor(60, 60, 60));
}

void drawBottom(QPainter& p, const Theme& t) {
    const QRectF status = StatusList.pixels(), chat = ChatLine.pixels(), send = SendButton.pixels();
    QColor back = t.panel;
    back.setAlpha(150);
    const QRectF area = status.united(chat).united(send).adjusted(-7, -7, 7, 6);
    plate(p, area, back, t.edge, 8);
    recess(p, status, 2, QColor(192, 192, 192));
    recess(p, chat, 2, QColor(192, 192, 192));
    face(p, send, t.face, t.faceText, "Send", 12);

    const QRectF turn = TurnCaption.pixels();
    plate(p, turn.adjusted(-3, -3, 3, 3), t.panel, t.edge, 6);
}

void drawTopRight(QPainter& p, const Theme& t) {
    const QRectF quick = QuickHelp.pixels(), sound = SoundButton.pixels();
    const QRectF light = Light.pixels();
    const QRectF tray(QPointF(quick.left() - 6, light.top() - 5), QPointF(light.right() + 4, sound.bottom() + 6));
    QColor back = t.panel;
    back.setAlpha(170);
    plate(p, tray, back, t.edge, 7);
    recess(p, quick, 1, QColor(150, 150, 150));
    recess(p, sound, 1, QColor(150, 150, 150));
    // The socket of the transfer light.
    p.setPen(QPen(QColor(20, 20, 20), 1));
    p.setBrush(QColor(36, 38, 42));
    p.drawEllipse(light.center(), 8.5, 8.5);

    // Minimise and close share an edge; each face keeps to its own side of it.
    const QRectF min = MinButton.pixels(), close = CloseButton.pixels();
    const QRectF minFace(min.left() + 1, min.top() + 1, close.left() - min.left() - 2, min.height() - 2);
    face(p, minFace, t.face, t.faceText, "", 12);
    p.setPen(QPen(t.faceText, 2));
    p.drawLine(QPointF(minFace.left() + 5, minFace.bottom() - 6), QPointF(minFace.right() - 5, minFace.bottom() - 6));
    const QRectF closeFace = close.adjusted(1, 0, -1, 0);
    face(p, closeFace, QColor(200, 50, 44), Qt::white, "", 12);
    p.setPen(QPen(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap));
    const QPointF c = closeFace.center();
    p.drawLine(c + QPointF(-4, -4), c + QPointF(4, 4));
    p.drawLine(c + QPointF(4, -4), c + QPointF(-4, 4));
}

void drawMenuButton(QPainter& p, const Theme& t) {
    face(p, MenuButton.pixels().adjusted(2, 2, -2, -2), t.face, t.faceText, "Menu", 22);
}

} // namespace

QImage drawBoard(int index) {
    QImage image = texture(index);
    const Theme t = theme(index);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    drawBoardArea(p, t);
    drawRack(p, t);
    drawOpponentPanel(p, t);
    drawBottom(p, t);
    drawTopRight(p, t);
    drawMenuButton(p, t);
    // A thin frame around the whole window, which has no border of its own.
    p.setPen(QPen(t.edge, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(1, 1, BoardWidth - 2, BoardHeight - 2));
    return image;
}

} // namespace tools::resources
