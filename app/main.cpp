// Tracewell: plots y = f(x) for an expression the user types.
#include <QApplication>

#include "app/fgraph.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    tracewell::app::Fgraph window;
    window.show();
    return app.exec();
}
