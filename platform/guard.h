#pragma once
// Runs an event handler so that nothing it throws reaches Qt's event loop: the user gets a
// short message and the program goes on.

#include <QMessageBox>
#include <QString>
#include <exception>

namespace tracewell::platform {

template <class Handler>
void runGuarded(QWidget* window, Handler&& handler) noexcept {
    QString what;
    try {
        handler();
        return;
    } catch (const std::exception& e) {
        what = QString::fromLocal8Bit(e.what());
    } catch (...) {
        what = QStringLiteral("unknown failure");
    }
    try {
        QMessageBox::warning(
            window, QStringLiteral("Tracewell"),
            QStringLiteral("The last action could not be completed: %1").arg(what));
    } catch (...) {
        // Nothing more can be done; the program goes on.
    }
}

}  // namespace tracewell::platform
