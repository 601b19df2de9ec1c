#include "workspace/Sprites.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace zev::workspace {

namespace {

// Sprites are painted without smoothing so the colour key stays exact at their edges.
QImage BlankSprite() {
    QImage image(kPointerWidth, kPointerHeight, QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
}

void PaintArrow(QPainter& p) {
    const QPolygonF outline{{QPointF(0, 0), QPointF(0, 17), QPointF(4, 13), QPointF(7, 20),
                             QPointF(10, 19), QPointF(7, 12), QPointF(12, 12)}};
    p.setPen(QColor(1, 1, 1)); // near black: a visible outline, not the colour key
    p.setBrush(Qt::white);
    p.drawPolygon(outline);
}

void PaintDropper(QPainter& p) {
    // A pipette pointing down-left: its tip is the hot spot at the top-left corner.
    p.setPen(QColor(1, 1, 1));
    p.setBrush(QColor(200, 200, 210));
    p.drawPolygon(
        QPolygonF{{QPointF(0, 0), QPointF(2, 6), QPointF(6, 10), QPointF(9, 7), QPointF(5, 3)}});
    p.setBrush(QColor(230, 60, 40));
    p.drawRect(QRectF(7, 9, 5, 9));
    p.setBrush(QColor(60, 60, 70));
    p.drawRect(QRectF(6, 17, 7, 6));
}

void PaintHourglass(QPainter& p) {
    p.setPen(QColor(1, 1, 1));
    p.setBrush(QColor(150, 110, 60));
    p.drawRect(QRectF(0, 0, 13, 2));
    p.drawRect(QRectF(0, 21, 13, 2));
    p.setBrush(QColor(235, 235, 245));
    p.drawPolygon(QPolygonF{{QPointF(2, 3), QPointF(11, 3), QPointF(7, 11.5), QPointF(11, 20),
                             QPointF(2, 20), QPointF(6, 11.5)}});
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(230, 190, 70));
    p.drawPolygon(QPolygonF{{QPointF(4, 5), QPointF(9, 5), QPointF(6.5, 10)}});
    p.drawPolygon(QPolygonF{{QPointF(3, 19), QPointF(10, 19), QPointF(6.5, 15)}});
}

} // namespace

const char* PointerSpriteName(PointerMode mode) {
    switch (mode) {
    case PointerMode::Dropper:
        return "DROPPER";
    case PointerMode::Wait:
        return "MOUSEWAIT";
    case PointerMode::Arrow:
        break;
    }
    return "MOUSEARROW";
}

QImage PointerSprite(PointerMode mode) {
    QImage image = BlankSprite();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    switch (mode) {
    case PointerMode::Arrow:
        PaintArrow(painter);
        break;
    case PointerMode::Dropper:
        PaintDropper(painter);
        break;
    case PointerMode::Wait:
        PaintHourglass(painter);
        break;
    }
    return image;
}

QImage BackgroundPicture(int width, int height) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    QImage image(width, height, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);

    QLinearGradient sky(0, 0, 0, height);
    sky.setColorAt(0.0, QColor(38, 76, 140));
    sky.setColorAt(0.55, QColor(150, 189, 217));
    sky.setColorAt(1.0, QColor(222, 214, 190));
    p.fillRect(image.rect(), sky);

    // Two ranges of hills along the horizon, the nearer one darker.
    const double w = width;
    const double h = height;
    for (int range = 0; range < 2; ++range) {
        QPainterPath hills;
        const double base = h * (range == 0 ? 0.52 : 0.58);
        const double rise = h * (range == 0 ? 0.08 : 0.05);
        hills.moveTo(0, h);
        for (int i = 0; i <= 64; ++i) {
            const double x = w * i / 64.0;
            const double t = double(i) / 64.0 * 6.2832;
            const double y = base - rise * (0.6 * std::sin(t * (2 + range) + range) +
                                            0.4 * std::sin(t * (5 + 2 * range) + 1.3));
            hills.lineTo(x, y);
        }
        hills.lineTo(w, h);
        hills.closeSubpath();
        p.fillPath(hills, range == 0 ? QColor(104, 122, 140) : QColor(84, 98, 92));
    }
    return image;
}

} // namespace zev::workspace
