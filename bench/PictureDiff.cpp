// Compares two pictures pixel by pixel: how many pixels differ, by how much at most (in 8-bit
// levels of any channel), and where (the bounding rectangle). With a third argument, writes a
// picture of the differences: changed pixels white on black.
// Usage: zev_picture_diff A.png B.png [DIFF.png]; exit 0 when equal, 1 when not, 2 on error.

#include <QGuiApplication>
#include <QImage>
#include <QRect>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s A.png B.png [DIFF.png]\n", argv[0]);
        return 2;
    }
    const QImage a = QImage(QString::fromLocal8Bit(argv[1])).convertToFormat(QImage::Format_RGB32);
    const QImage b = QImage(QString::fromLocal8Bit(argv[2])).convertToFormat(QImage::Format_RGB32);
    if (a.isNull() || b.isNull() || a.size() != b.size()) {
        std::fprintf(stderr, "cannot compare: %s\n",
                     a.isNull() || b.isNull() ? "a picture cannot be read" : "sizes differ");
        return 2;
    }
    QImage diff(a.size(), QImage::Format_RGB32);
    diff.fill(Qt::black);
    long changed = 0;
    int most = 0;
    QRect where;
    for (int y = 0; y < a.height(); ++y) {
        const auto* pa = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* pb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            const int d = std::max({std::abs(qRed(pa[x]) - qRed(pb[x])),
                                    std::abs(qGreen(pa[x]) - qGreen(pb[x])),
                                    std::abs(qBlue(pa[x]) - qBlue(pb[x]))});
            if (d == 0)
                continue;
            ++changed;
            most = std::max(most, d);
            where |= QRect(x, y, 1, 1);
            diff.setPixel(x, y, qRgb(255, 255, 255));
        }
    }
    std::printf("%ld of %lld pixels differ, by at most %d levels", changed,
                static_cast<long long>(a.width()) * a.height(), most);
    if (changed)
        std::printf(", within x %d-%d, y %d-%d", where.left(), where.right(), where.top(),
                    where.bottom());
    std::printf("\n");
    if (argc > 3 && !diff.save(QString::fromLocal8Bit(argv[3])))
        return 2;
    return changed ? 1 : 0;
}
