#pragma once
// Closes every modal window that comes up during an action, from inside the window's own
// loop, so that no action waits for a user who is not there. The help is closed the way the
// driver asks; anything else is a failure message the test did not expect, and is noted.

#include <QObject>
#include <QStringList>
#include <QTimer>

namespace tracewell::stress {

class ModalCloser : public QObject {
public:
    enum class HelpClosing { OkButton, Escape, CloseCommand };

    ModalCloser();

    // Before an action: a modal loop the action starts is ended on its first turn.
    void arm(HelpClosing how = HelpClosing::OkButton);
    // After the action and its events.
    void disarm() { armed_ = false; }

    int helpClosings() const { return helpClosings_; }
    // Texts of the unexpected modal windows so far; taking them clears the list.
    QStringList takeSurprises();

private:
    void closeActiveModal(bool lastResort);

    bool armed_ = false;
    HelpClosing how_ = HelpClosing::OkButton;
    int helpClosings_ = 0;
    QStringList surprises_;
    QTimer watchdog_;  // wall clock, only for a modal loop that the first turn did not end
};

}  // namespace tracewell::stress
