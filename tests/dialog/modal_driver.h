#pragma once
// Drives a modal showing from inside its own loop, and makes sure the loop ends even when an
// assertion in the step fails, so a broken test fails instead of hanging.

#include <QApplication>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "dialog/dialog.h"

namespace tracewell::dialog::testing {

// Closes every visible top-level window: message boxes first, the dialog last.
inline void closeAllWindows() {
    for (int round = 0; round < 5; ++round) {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            modal->close();
            continue;
        }
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (widget->isVisible()) widget->close();
        return;
    }
}

// Shows dialog modally and runs step with its live window once the modal loop runs; then
// closes whatever the step left open. Returns what showModal() returned.
inline bool showAndDrive(Dialog& dialog, const std::function<void(QWidget& window)>& step) {
    QObject context;
    QTimer::singleShot(0, &context, [&] {
        if (QWidget* window = dialog.window()) step(*window);
        if (QWidget* window = dialog.window(); window && window->isVisible()) window->close();
    });
    // Last resort against a step that blocks in a loop of its own.
    QTimer::singleShot(10000, &context, [] { closeAllWindows(); });
    return dialog.showModal();
}

}  // namespace tracewell::dialog::testing
