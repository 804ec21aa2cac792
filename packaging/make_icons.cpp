// Writes the application icon as DIR/16/tracewell.png, DIR/32/... and DIR/48/..., for the
// desktop's icon theme.
#include <QDir>
#include <QGuiApplication>
#include <QIcon>
#include <cstdio>

#include "platform/icons.h"

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: tracewell-icons DIR\n");
        return 2;
    }
    const QIcon icon = tracewell::platform::applicationIcon();
    for (int size : {16, 32, 48}) {
        const QString dir = QString::fromLocal8Bit(argv[1]) + "/" + QString::number(size);
        if (!QDir().mkpath(dir) ||
            !icon.pixmap(QSize(size, size)).save(dir + "/tracewell.png", "PNG")) {
            std::fprintf(stderr, "tracewell-icons: cannot write %s\n", qPrintable(dir));
            return 1;
        }
    }
    return 0;
}
