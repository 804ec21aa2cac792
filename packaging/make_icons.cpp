// Writes the application icon as DIR/<size>/tracewell.png at each size the desktop's icon
// theme asks for, each drawn at its own size rather than scaled from another.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

#include "platform/icons.h"

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: tracewell-icons DIR\n");
        return 2;
    }
    for (int size : {16, 32, 48, 64, 128, 256}) {
        const QString dir = QString::fromLocal8Bit(argv[1]) + "/" + QString::number(size);
        if (!QDir().mkpath(dir) ||
            !tracewell::platform::applicationIconImage(size).save(dir + "/tracewell.png", "PNG")) {
            std::fprintf(stderr, "tracewell-icons: cannot write %s\n", qPrintable(dir));
            return 1;
        }
    }
    return 0;
}
