#pragma once
// The help window: the program's name, how to use it, the functions an expression may use,
// contacts, and a button that opens the program's site in the browser.

#include <QPixmap>
#include <QString>
#include <QUrl>
#include <functional>
#include <memory>

class QDialog;
class QWidget;

namespace tracewell::dialog {

// One object for the life of the program. The window and its controls exist only while the
// dialog is shown; each showing builds them afresh.
class Dialog {
public:
    using UrlOpener = std::function<bool(const QUrl&)>;
    using FailureReporter = std::function<void(QWidget* parent, const QString& message)>;

    // The window icon is the program's information picture.
    Dialog();
    // icon replaces it; a null one leaves the platform's default.
    explicit Dialog(QPixmap icon);
    ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Shows the window application-modal, with no owner, and returns once it has been closed
    // by OK, the close command or Escape: true then. Returns false at once when the window
    // cannot be built (after telling the user) or is already shown (after raising it).
    bool showModal() noexcept;

    // The live window while shown, nullptr otherwise.
    QWidget* window() const;

    // How the site is opened; returns false on failure. Default: QDesktopServices::openUrl.
    // An empty opener restores the default.
    void setUrlOpener(UrlOpener opener);

    // How failures reach the user. Default: a warning message box over parent.
    void setFailureReporter(FailureReporter reporter);

    // The program's site: scheme and host, no path.
    static QUrl siteAddress();

    // OK: closes the window; the modal showing ends and the window is destroyed.
    void OKButton_Click() noexcept;
    // "На сайт": opens the site in the browser; the window stays open.
    void CancelButton_Click() noexcept;

private:
    void report(QWidget* parent, QStringView message) noexcept;

    QPixmap icon_;
    UrlOpener urlOpener_;
    FailureReporter failureReporter_;
    std::unique_ptr<QDialog> window_;
    // Tells a running showModal() whether this object still exists when the window closes.
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

}  // namespace tracewell::dialog
