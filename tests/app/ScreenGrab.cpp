// Saves a picture of the whole X screen: the end-to-end session's screenshots. With --clipboard it
// prints the clipboard's text instead (what a copy in the editor put there).

#include <QClipboard>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FILE.png | --clipboard\n", argv[0]);
        return 2;
    }
    QGuiApplication application(argc, argv);
    if (QString::fromLocal8Bit(argv[1]) == QStringLiteral("--clipboard")) {
        std::fputs(QGuiApplication::clipboard()->text().toUtf8().constData(), stdout);
        return 0;
    }
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen || !screen->grabWindow(0).save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "cannot grab the screen into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
