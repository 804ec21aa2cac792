#include "dialog/dialog.h"

#include <QDesktopServices>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>

#include "dialog/dialog_design.h"
#include "dialog/dialog_texts.h"
#include "platform/icons.h"

namespace tracewell::dialog {

namespace {

bool openInBrowser(const QUrl& address) { return QDesktopServices::openUrl(address); }

void showWarning(QWidget* parent, const QString& message) {
    QMessageBox::warning(parent, texts::kFailureCaption.toString(), message);
}

}  // namespace

Dialog::Dialog() : Dialog(platform::informationPicture()) {}

Dialog::Dialog(QPixmap icon)
    : icon_(std::move(icon)), urlOpener_(openInBrowser), failureReporter_(showWarning) {}

Dialog::~Dialog() = default;

QUrl Dialog::siteAddress() { return QUrl(QStringLiteral("https://tr.example.org")); }

QWidget* Dialog::window() const { return window_.get(); }

void Dialog::setUrlOpener(UrlOpener opener) {
    urlOpener_ = opener ? std::move(opener) : UrlOpener(openInBrowser);
}

void Dialog::setFailureReporter(FailureReporter reporter) {
    failureReporter_ = reporter ? std::move(reporter) : FailureReporter(showWarning);
}

bool Dialog::showModal() noexcept {
    if (window_) {
        window_->raise();
        window_->activateWindow();
        return false;
    }
    try {
        DialogWindow built = buildDialogWindow(icon_);
        QObject::connect(built.okButton, &QPushButton::clicked, built.okButton,
                         [this] { OKButton_Click(); });
        QObject::connect(built.siteButton, &QPushButton::clicked, built.siteButton,
                         [this] { CancelButton_Click(); });
        window_ = std::move(built.window);
    } catch (...) {
        window_.reset();
        report(nullptr, texts::kShowFailed);
        return false;
    }
    const std::weak_ptr<int> alive = alive_;
    window_->exec();
    // Whoever destroyed this object while the window was up also destroyed the window.
    if (alive.expired()) return true;
    window_.reset();
    return true;
}

void Dialog::OKButton_Click() noexcept {
    // Only hides: the button that called us is still inside its click. showModal() destroys
    // the window as soon as the modal loop has ended.
    if (window_) window_->done(QDialog::Accepted);
}

void Dialog::CancelButton_Click() noexcept {
    bool opened = false;
    try {
        opened = urlOpener_(siteAddress());
    } catch (...) {
        opened = false;
    }
    if (!opened) report(window_.get(), texts::kBrowserFailed);
}

void Dialog::report(QWidget* parent, QStringView message) noexcept {
    try {
        failureReporter_(parent, message.toString());
    } catch (...) {
        // Nothing more can be said; the program goes on.
    }
}

}  // namespace tracewell::dialog
