#pragma once
// The help window as designed: every control with its name, place, font and text. Each showing
// builds a fresh window from here.

#include <QPixmap>
#include <memory>

class QDialog;
class QPushButton;

namespace tracewell::dialog {

struct DialogWindow {
    std::unique_ptr<QDialog> window;
    QPushButton* okButton = nullptr;    // owned by window
    QPushButton* siteButton = nullptr;  // owned by window; "CancelButton" by design
};

// Builds the window hidden, centred on the primary screen; icon may be null (no icon then).
DialogWindow buildDialogWindow(const QPixmap& icon);

}  // namespace tracewell::dialog
