// Tracewell: plots y = f(x) for an expression the user types.
#include <QApplication>

#include "app/fgraph.h"
#include "tracewell/version.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(tracewell::kProductName);
    QApplication::setApplicationVersion(tracewell::kVersion);
    QApplication::setDesktopFileName("tracewell");
    tracewell::app::Fgraph window;
    window.show();
    return app.exec();
}
