#pragma once
// Drives a modal window from inside its own loop, and makes sure the loop ends even when an
// assertion in the step fails, so that a broken test fails instead of hanging.

#include <QApplication>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace tracewell::testing {

// Closes the modal windows, the one on top (a message box over the dialog) first.
inline void closeModalWindows() {
    for (int round = 0; round < 5; ++round)
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
        else
            return;
}

// Closes every visible top-level window: the modal ones first.
inline void closeAllWindows() {
    closeModalWindows();
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible()) widget->close();
}

// Runs open, which shows a modal window and returns once its loop ends. On the loop's first
// turn step runs with that window; then whatever modal window it left open is closed. A
// step that blocks in a loop of its own is ended after ten seconds.
inline void driveModal(const std::function<void()>& open,
                       const std::function<void(QWidget& modal)>& step) {
    QObject context;
    QTimer::singleShot(0, &context, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) step(*modal);
        closeModalWindows();
    });
    QTimer::singleShot(10000, &context, [] { closeModalWindows(); });
    open();
}

}  // namespace tracewell::testing
