#pragma once
// What the window needs of the session before Qt starts: a scale it can draw at, and a window
// system. Qt itself takes any scale (100 grows the window without bound, 0 leaves it unmapped)
// and aborts when no window system starts.

#include <QByteArray>
#include <QString>
#include <optional>

namespace tracewell::app {

// The scales the window is drawn at: below a quarter its lettering is under three pixels
// high; eight times the design fills the largest screens made (7680 pixels across).
inline constexpr double kMinScaleFactor = 0.25, kMaxScaleFactor = 8;

// Why value cannot be QT_SCALE_FACTOR, or nothing when it can (or is empty: not set).
std::optional<QString> scaleFactorProblem(const QByteArray& value);

// Before QApplication: a QT_SCALE_FACTOR that cannot be is replaced by 1, with a warning on
// standard error.
void keepScaleFactorSane();

// Around the making of the QApplication: if no window system can start, the program ends
// with exit code 1 and one line on standard error saying why, instead of Qt's abort. Qt's own
// messages about its platform wait until then, and are shown only if it starts after all.
void beginWindowSystemStart();
void endWindowSystemStart();

}  // namespace tracewell::app
