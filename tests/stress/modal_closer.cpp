#include "modal_closer.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

namespace tracewell::stress {

ModalCloser::ModalCloser() {
    watchdog_.setInterval(5000);
    connect(&watchdog_, &QTimer::timeout, this, [this] { closeActiveModal(true); });
    watchdog_.start();
}

void ModalCloser::arm(HelpClosing how) {
    armed_ = true;
    how_ = how;
    QTimer::singleShot(0, this, [this] { closeActiveModal(false); });
}

QStringList ModalCloser::takeSurprises() {
    QStringList taken;
    taken.swap(surprises_);
    return taken;
}

void ModalCloser::closeActiveModal(bool lastResort) {
    if (!armed_ && !lastResort) return;
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return;
    if (lastResort) {
        surprises_ << "a modal window was still open after seconds: " + modal->objectName();
        modal->close();
        return;
    }
    if (modal->objectName() == "Dialog") {
        ++helpClosings_;
        if (how_ == HelpClosing::OkButton) {
            if (auto* ok = modal->findChild<QPushButton*>("OKButton"))
                QTest::mouseClick(ok, Qt::LeftButton);
            else
                surprises_ << "the help has no OK button";
        } else if (how_ == HelpClosing::Escape) {
            QTest::keyClick(modal, Qt::Key_Escape);
        } else {
            modal->close();
        }
    } else {
        const auto* box = qobject_cast<QMessageBox*>(modal);
        surprises_ << "unexpected modal window \"" + modal->windowTitle() +
                          "\": " + (box ? box->text() : modal->objectName());
        modal->close();
    }
    // Whatever comes up next within the same action gets the same treatment.
    QTimer::singleShot(0, this, [this] { closeActiveModal(false); });
}

}  // namespace tracewell::stress
