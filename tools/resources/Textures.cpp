#include "tools/resources/Textures.h"

#include "tools/resources/Names.h"
#include "tools/resources/Noise.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <functional>

namespace tools::resources {
namespace {

constexpr int W = BoardWidth;
constexpr int H = BoardHeight;

double mix(double a, double b, double t) { return a + (b - a) * t; }

QRgb blend(QColor a, QColor b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return qRgb(static_cast<int>(mix(a.red(), b.red(), t)), static_cast<int>(mix(a.green(), b.green(), t)),
                static_cast<int>(mix(a.blue(), b.blue(), t)));
}

QRgb shade(QRgb c, double factor) {
    auto f = [factor](int v) { return std::clamp(static_cast<int>(v * factor), 0, 255); };
    return qRgb(f(qRed(c)), f(qGreen(c)), f(qBlue(c)));
}

// Fills every pixel from a function of its position.
QImage perPixel(const std::function<QRgb(int, int)>& colourAt) {
    QImage image(W, H, QImage::Format_RGB32);
    for (int y = 0; y < H; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < W; ++x) line[x] = colourAt(x, y);
    }
    return image;
}

} // namespace

QImage bricksTexture() {
    constexpr int rowHeight = 22, brickWidth = 52, mortar = 3;
    return perPixel([](int x, int y) {
        const int row = y / rowHeight;
        const int shifted = x + (row % 2 ? brickWidth / 2 : 0);
        const int column = shifted / brickWidth;
        const int inX = shifted % brickWidth, inY = y % rowHeight;
        const double speckle = valueNoise(x / 2.0, y / 2.0, 71) - 0.5;
        if (inX < mortar || inY < mortar) {
            return shade(qRgb(196, 188, 172), 1.0 + 0.12 * speckle);
        }
        const double tone = latticeValue(column, row, 7);
        QRgb base = blend(QColor(170, 70, 48), QColor(128, 48, 34), tone);
        if (latticeValue(column, row, 8) > 0.86) base = blend(QColor(150, 84, 60), QColor(110, 60, 46), tone);
        double light = 1.0 + 0.18 * speckle + 0.10 * (fractalNoise(x / 18.0, y / 18.0, 9, 3) - 0.5);
        if (inY == mortar) light *= 0.82;          // shadow under the mortar line
        if (inX == mortar) light *= 0.88;
        if (inY == rowHeight - 1) light *= 1.08;   // worn lower edge
        return shade(base, light);
    });
}

QImage marbleTexture() {
    return perPixel([](int x, int y) {
        const double turbulence = fractalNoise(x / 110.0, y / 110.0, 301, 6);
        const double v = std::sin(x * 0.011 + y * 0.017 + turbulence * 10.0);
        const double vein = std::pow(1.0 - std::abs(v), 10.0);
        const double cloud = fractalNoise(x / 45.0, y / 45.0, 302, 4);
        const QRgb base = blend(QColor(246, 244, 240), QColor(208, 208, 214), cloud);
        const double fine = std::pow(1.0 - std::abs(std::sin(x * 0.03 - y * 0.02 + turbulence * 16.0)), 30.0);
        QRgb c = blend(QColor::fromRgb(base), QColor(104, 108, 124), vein * 0.85);
        return blend(QColor::fromRgb(c), QColor(150, 140, 128), fine * 0.35);
    });
}

QImage woodyTexture() {
    constexpr int plank = 56;
    return perPixel([](int x, int y) {
        const int index = y / plank;
        const int joint = (index * 211) % 397 + 110;   // where this plank meets the next one
        const int piece = x < joint ? 0 : 1;
        const double inY = y - index * plank;
        const double wobble = 14.0 * fractalNoise(x / 220.0, index * 3.0 + piece, 401, 3);
        const double rings = (inY + wobble) * 0.16 + fractalNoise(x / 70.0, y / 9.0, 402, 4) * 2.2;
        const double grain = 0.5 + 0.5 * std::sin(rings * 3.14159);
        const double streak = valueNoise(x / 4.0, y * 1.5, 403);
        QRgb c = blend(QColor(196, 142, 84), QColor(142, 92, 48), grain * 0.8 + streak * 0.2);
        c = shade(c, 0.92 + 0.16 * latticeValue(index, piece, 404));
        if (inY < 1.5 || std::abs(x - joint) < 1) c = qRgb(70, 44, 22);   // gaps between planks
        else if (inY < 3) c = shade(c, 1.12);
        return c;
    });
}

QImage steelTexture() {
    QImage image = perPixel([](int x, int y) {
        const double brushed = valueNoise(x / 260.0, y * 1.7, 501) - 0.5;
        const double fine = valueNoise(x / 30.0, y * 3.1, 502) - 0.5;
        const double sheen = std::sin((x + y * 0.6) / 210.0);
        const int v = std::clamp(static_cast<int>(168 + 26 * brushed + 10 * fine + 22 * sheen), 0, 255);
        return qRgb(v - 4, v, v + 8);
    });
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // Plate seams and rivets.
    const int seamsX[] = {154, 309, 463};
    const int seamsY[] = {150, 300};
    for (int sx : seamsX) {
        p.setPen(QColor(86, 90, 98));
        p.drawLine(sx, 0, sx, H);
        p.setPen(QColor(226, 230, 236));
        p.drawLine(sx + 1, 0, sx + 1, H);
    }
    for (int sy : seamsY) {
        p.setPen(QColor(86, 90, 98));
        p.drawLine(0, sy, W, sy);
        p.setPen(QColor(226, 230, 236));
        p.drawLine(0, sy + 1, W, sy + 1);
    }
    for (int gx = 0; gx <= 4; ++gx)
        for (int gy = 0; gy <= 3; ++gy) {
            const double cx = gx * 154.5 + (gx == 0 ? 8 : gx == 4 ? -8 : 0);
            const double cy = gy * 150 + (gy == 0 ? 8 : gy == 3 ? -8 : 0);
            for (double dx : {-7.0, 7.0})
                for (double dy : {-7.0, 7.0}) {
                    const QPointF c(cx + dx, cy + dy);
                    if (c.x() < 3 || c.y() < 3 || c.x() > W - 3 || c.y() > H - 3) continue;
                    QRadialGradient g(c - QPointF(1, 1), 4);
                    g.setColorAt(0, QColor(240, 242, 246));
                    g.setColorAt(1, QColor(96, 100, 110));
                    p.setPen(QColor(70, 74, 82));
                    p.setBrush(g);
                    p.drawEllipse(c, 2.8, 2.8);
                }
        }
    return image;
}

QImage flowersTexture() {
    QImage image = perPixel([](int x, int y) {
        const double n = fractalNoise(x / 60.0, y / 60.0, 601, 4);
        const double blades = valueNoise(x / 2.5, y / 14.0, 602);
        QRgb c = blend(QColor(178, 214, 136), QColor(104, 162, 88), y / double(H) * 0.7 + n * 0.3);
        return shade(c, 0.92 + 0.16 * blades);
    });
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    Scatter s(603);
    const QColor petals[] = {QColor(250, 170, 196), QColor(252, 252, 246), QColor(190, 160, 236),
                             QColor(255, 214, 92), QColor(250, 140, 110), QColor(150, 190, 250)};
    for (int i = 0; i < 150; ++i) {
        const QPointF c(s.between(0, W), s.between(0, H));
        const double size = s.between(4.5, 9.5);
        const QColor colour = petals[static_cast<int>(s.next() * 6) % 6];
        const double turn = s.between(0, 72);
        // Two leaves, then five petals around a golden middle.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(70, 130, 60, 200));
        for (double a : {turn + 20, turn + 200}) {
            p.save();
            p.translate(c);
            p.rotate(a);
            p.drawEllipse(QPointF(size * 1.3, 0), size * 0.9, size * 0.35);
            p.restore();
        }
        p.setBrush(colour);
        p.setPen(QPen(colour.darker(125), 0.6));
        for (int k = 0; k < 5; ++k) {
            p.save();
            p.translate(c);
            p.rotate(turn + k * 72);
            p.drawEllipse(QPointF(size * 0.62, 0), size * 0.6, size * 0.36);
            p.restore();
        }
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(240, 180, 40));
        p.drawEllipse(c, size * 0.3, size * 0.3);
    }
    return image;
}

QImage forestTexture() {
    QImage image(W, H, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, H);
    sky.setColorAt(0, QColor(206, 228, 214));
    sky.setColorAt(0.55, QColor(150, 190, 160));
    sky.setColorAt(1, QColor(62, 96, 56));
    p.fillRect(image.rect(), sky);
    Scatter s(701);
    // Three rows of pines, paler far away, darker near.
    const QColor layers[] = {QColor(120, 160, 130), QColor(64, 112, 72), QColor(30, 70, 40)};
    for (int layer = 0; layer < 3; ++layer) {
        const double baseY = 190 + layer * 110;
        const int count = 16 + layer * 4;
        for (int i = 0; i < count; ++i) {
            const double x = s.between(-20, W + 20);
            const double h = s.between(110, 190) + layer * 30;
            const double w = h * s.between(0.32, 0.42);
            const double foot = baseY + s.between(-12, 12);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(80, 56, 36));
            p.drawRect(QRectF(x - w * 0.06, foot - 8, w * 0.12, 16));
            p.setBrush(layers[layer]);
            for (int tier = 0; tier < 4; ++tier) {
                const double top = foot - h + tier * h * 0.2;
                const double spread = w * (0.45 + tier * 0.18);
                QPainterPath tri;
                tri.moveTo(x, top);
                tri.lineTo(x + spread / 2, top + h * 0.38);
                tri.lineTo(x - spread / 2, top + h * 0.38);
                tri.closeSubpath();
                p.drawPath(tri);
            }
        }
        // Mist between the rows.
        QLinearGradient mist(0, baseY - 40, 0, baseY + 20);
        mist.setColorAt(0, QColor(220, 236, 226, 0));
        mist.setColorAt(1, QColor(220, 236, 226, layer < 2 ? 70 : 0));
        p.fillRect(QRectF(0, baseY - 40, W, 60), mist);
    }
    p.end();
    // Needles and light: a little noise over everything.
    for (int y = 0; y < H; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < W; ++x) line[x] = shade(line[x], 0.94 + 0.12 * valueNoise(x / 3.0, y / 3.0, 702));
    }
    return image;
}

QImage sunsetTexture() {
    QImage image(W, H, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double horizon = 318;
    QLinearGradient sky(0, 0, 0, horizon);
    sky.setColorAt(0, QColor(48, 30, 92));
    sky.setColorAt(0.45, QColor(176, 64, 104));
    sky.setColorAt(0.8, QColor(244, 128, 72));
    sky.setColorAt(1, QColor(255, 196, 104));
    p.fillRect(QRectF(0, 0, W, horizon), sky);
    QRadialGradient glow(QPointF(430, horizon), 190);
    glow.setColorAt(0, QColor(255, 230, 150, 200));
    glow.setColorAt(1, QColor(255, 200, 120, 0));
    p.fillRect(QRectF(0, 0, W, horizon), glow);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 226, 136));
    p.drawEllipse(QPointF(430, horizon), 46, 46);
    // Thin clouds.
    Scatter s(801);
    for (int i = 0; i < 14; ++i) {
        const double y = s.between(30, 240);
        p.setBrush(QColor(255, 190, 170, static_cast<int>(s.between(30, 80))));
        p.drawRoundedRect(QRectF(s.between(-60, W), y, s.between(90, 220), s.between(4, 9)), 4, 4);
    }
    // Hills against the sky.
    QPainterPath hills;
    hills.moveTo(0, horizon);
    for (int x = 0; x <= W; x += 6)
        hills.lineTo(x, horizon - 20 - 46 * fractalNoise(x / 140.0, 0.5, 802, 3) * (x < 330 ? 1.0 : 0.3));
    hills.lineTo(W, horizon);
    hills.closeSubpath();
    p.setBrush(QColor(58, 28, 64));
    p.drawPath(hills);
    // The sea with the sun's road on it.
    QLinearGradient sea(0, horizon, 0, H);
    sea.setColorAt(0, QColor(120, 60, 96));
    sea.setColorAt(1, QColor(36, 20, 58));
    p.fillRect(QRectF(0, horizon, W, H - horizon), sea);
    for (int i = 0; i < 60; ++i) {
        const double y = horizon + 3 + i * (H - horizon) / 60.0;
        const double half = 10 + (y - horizon) * 0.5 * s.between(0.4, 1.0);
        p.setBrush(QColor(255, 196, 120, static_cast<int>(150 - i * 2)));
        p.drawRect(QRectF(430 - half + s.between(-10, 10), y, half * 2, 1.4));
    }
    return image;
}

QImage underseaTexture() {
    QImage image = perPixel([](int x, int y) {
        const double n = fractalNoise(x / 90.0, y / 90.0, 901, 4);
        const double caustic = std::pow(std::abs(std::sin(x * 0.05 + n * 6) * std::sin(y * 0.045 - n * 5)), 6.0);
        QRgb c = blend(QColor(36, 150, 190), QColor(8, 34, 86), y / double(H) * 0.85 + n * 0.15);
        return blend(QColor::fromRgb(c), QColor(150, 230, 240), caustic * (1.0 - y / double(H)) * 0.5);
    });
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    Scatter s(902);
    // Rays of light from the surface.
    for (int i = 0; i < 7; ++i) {
        const double x = s.between(0, W);
        const double spread = s.between(30, 70);
        QPainterPath ray;
        ray.moveTo(x, 0);
        ray.lineTo(x + spread * 0.4, 0);
        ray.lineTo(x + spread + 120, H);
        ray.lineTo(x + 120, H);
        ray.closeSubpath();
        QLinearGradient fade(0, 0, 0, H);
        fade.setColorAt(0, QColor(220, 250, 255, 46));
        fade.setColorAt(1, QColor(220, 250, 255, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(fade);
        p.drawPath(ray);
    }
    // Sand and weed at the bottom.
    QPainterPath sand;
    sand.moveTo(0, H);
    for (int x = 0; x <= W; x += 5) sand.lineTo(x, 418 - 14 * fractalNoise(x / 80.0, 1.5, 903, 3));
    sand.lineTo(W, H);
    sand.closeSubpath();
    p.setBrush(QColor(186, 164, 112));
    p.drawPath(sand);
    for (int i = 0; i < 18; ++i) {
        const double x = s.between(0, W);
        const double h = s.between(60, 150);
        QPainterPath weed;
        weed.moveTo(x, 430);
        weed.cubicTo(x + s.between(-25, 25), 430 - h * 0.35, x + s.between(-25, 25), 430 - h * 0.7, x + s.between(-12, 12), 430 - h);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(40, static_cast<int>(s.between(110, 160)), 70, 220), s.between(2.5, 5), Qt::SolidLine, Qt::RoundCap));
        p.drawPath(weed);
    }
    // Bubbles.
    for (int i = 0; i < 70; ++i) {
        const QPointF c(s.between(0, W), s.between(0, 400));
        const double r = s.between(1.5, 6);
        p.setPen(QPen(QColor(220, 250, 255, 170), 0.9));
        p.setBrush(QColor(220, 250, 255, 40));
        p.drawEllipse(c, r, r);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 190));
        p.drawEllipse(c + QPointF(-r * 0.35, -r * 0.35), r * 0.25, r * 0.25);
    }
    return image;
}

} // namespace tools::resources
