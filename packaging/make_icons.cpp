// Writes the application icon as DIR/<size>/tracewell.png at each size given, the sizes the
// desktop's icon theme asks for, each drawn at its own size rather than scaled from another.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

#include "platform/icons.h"

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: tracewell-icons DIR SIZE...\n");
        return 2;
    }
    for (int i = 2; i < argc; ++i) {
        bool number = false;
        const int size = QString::fromLocal8Bit(argv[i]).toInt(&number);
        const QString dir = QString::fromLocal8Bit(argv[1]) + "/" + QString::number(size);
        if (!number || size < 1 || size > 1024) {
            std::fprintf(stderr, "tracewell-icons: not a size from 1 to 1024: %s\n", argv[i]);
            return 2;
        }
        if (!QDir().mkpath(dir) ||
            !tracewell::platform::applicationIconImage(size).save(dir + "/tracewell.png", "PNG")) {
            std::fprintf(stderr, "tracewell-icons: cannot write %s\n", qPrintable(dir));
            return 1;
        }
    }
    return 0;
}
