// Build tool: renders the program's icon as PNG files of the sizes given, drawing the shapes of
// zevedit.svg with QPainter (no SVG module needed).
//   zev_make_icons OUTDIR SIZE...   writes OUTDIR/SIZExSIZE/zevedit.png

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cstdio>
#include <cstdlib>

namespace {

QPolygonF polygon(std::initializer_list<QPointF> points) {
    return QPolygonF(QList<QPointF>(points));
}

// In the 256-unit space of zevedit.svg.
void drawIcon(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor("#1d3557"));
    p.drawRoundedRect(QRectF(8, 8, 240, 240), 40, 40);
    p.setBrush(QColor("#2a9d8f"));
    p.drawPolygon(polygon({{24, 232}, {232, 232}, {176, 120}, {80, 120}}));

    QPen grid(QColor("#e9f5db"), 4, Qt::SolidLine, Qt::RoundCap);
    p.setPen(grid);
    p.drawLine(QLineF(70, 148, 186, 148));
    p.drawLine(QLineF(52, 184, 204, 184));
    p.drawLine(QLineF(76, 232, 104, 120));
    p.drawLine(QLineF(128, 232, 128, 120));
    p.drawLine(QLineF(180, 232, 152, 120));

    p.setPen(QPen(QColor("#f4a261"), 8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QLineF(128, 112, 128, 150));
    p.setPen(QPen(QColor("#7a3e12"), 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor("#f4a261"));
    p.drawPolygon(polygon({{128, 28}, {164, 70}, {128, 112}, {92, 70}}));
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: zev_make_icons OUTDIR SIZE...\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    for (int i = 2; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        if (size < 16 || size > 1024) {
            std::fprintf(stderr, "zev_make_icons: bad size %s\n", argv[i]);
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.scale(size / 256.0, size / 256.0);
            drawIcon(painter);
        }
        const QString dir = QStringLiteral("%1/%2x%2").arg(out).arg(size);
        const QString file = dir + QStringLiteral("/zevedit.png");
        if (!QDir().mkpath(dir) || !image.save(file, "PNG")) {
            std::fprintf(stderr, "zev_make_icons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
