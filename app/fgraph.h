#pragma once
// The main window: the plot area, the expression box, the scale and precision controls, the
// picture that opens the help, and the state they share.

#include <QWidget>
#include <functional>
#include <memory>

#include "platform/wheel_notches.h"
#include "plot/plotter.h"

class QAction;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QTimer;
class QWheelEvent;

namespace tracewell::dialog {
class Dialog;
}
namespace tracewell::platform {
class ClickLabel;
class PictureBox;
class ScrollBar;
}  // namespace tracewell::platform
namespace tracewell::plot {
struct WindowLayout;
}

namespace tracewell::app {

class ExpressionHistory;

class Fgraph : public QWidget {
    Q_OBJECT
public:
    explicit Fgraph(QWidget* parent = nullptr);
    ~Fgraph() override;

    const plot::PlotState& state() const { return state_; }

    // Clears the plot area and draws the axes and the graph from the state and the text. A
    // plot not done within about 100 ms goes on in the background, drawn as it comes; a
    // request while one runs stops it and plots anew once, however many arrive meanwhile.
    void Pic_Click();
    // Takes the sampling step from the precision bar and shows the level.
    void VS_Change();

    // How the window beeps when the help closes (a seam for tests).
    void setBeep(std::function<void()> beep) { beep_ = std::move(beep); }
    dialog::Dialog* helpDialog() const { return dialog_.get(); }

    // How the window asks for a file name to save to (empty: cancelled) and tells of a failed
    // write. Defaults: a file dialog and a warning box. Seams for tests.
    using FileNameAsker = std::function<QString(const QString& caption, const QString& filter)>;
    using Warner = std::function<void(const QString& message)>;
    void setFileNameAsker(FileNameAsker asker) { askFileName_ = std::move(asker); }
    void setWarner(Warner warner) { warn_ = std::move(warner); }

    // Whether a plot goes on in the background, or waits to start.
    bool plotting() const;
    // A seam for tests, a slowed engine: see plot::Plotter::setPieceHook.
    void setPieceHook(std::function<void(std::size_t piece)> hook);

signals:
    // After each plot, whether it drew a curve or said why not.
    void plotted();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void Form_Resize();
    void HScroll1_Change();
    void VScroll1_Change();
    void Lv_Click();
    void Lg_Click();
    void Lt_Click();
    void Image1_Click();

    void createControls();
    void connectEvents();
    // Everyday affordances on top of the design: the plot area's menu and shortcuts, F1,
    // the box's history, names and tool tips, the minimum size.
    void addAffordances();
    void showPlotMenu(const QPoint& at);
    void copyPicture();
    void savePictureAs();
    void saveSamplesAs();
    // Asks for a file name and has write write there; a failure is told, not thrown.
    void saveAs(const QString& what, const QString& filter,
                const std::function<QString(const QString& path)>& write);
    void showCoordinates(const QPoint& at);
    // The parts of a plot: it starts, goes on from the timer, ends, or is stopped.
    void startPlot();
    void startPendingPlot();
    void continuePlot();
    void finishPlot();
    void stopPlot();
    // Back to no plot going on: the timer, the cursor and the progress put away.
    void endPlotting();
    // "x = 2.18   y = 0.68   f(x) = 0.8201" at a point of the plot area; f(x) only once a
    // plot has drawn, y only withY.
    QString pointText(const QPoint& at, bool withY) const;
    void copyPoint();
    // The plot area's wheel zooms and its keys plot and open its menu; true when handled.
    bool zoomByWheel(const QWheelEvent& event);
    bool plotAreaKey(const QKeyEvent& event);
    // Moves both range bars by one step each (direction -1 narrows, 1 widens), each running
    // its change handler, and then plots once.
    void zoomStep(int direction, bool x, bool y);
    void markProblem(const plot::PlotProblem& problem);
    void place(const plot::WindowLayout& layout);
    // The window's outer width and height in twips, as the design measures them.
    QSizeF outerSize() const;
    void showProblem(const QString& message);
    void clearProblem();
    // A refusal tints the box until the text is edited or a plot draws.
    void setProblemLook(bool on);

    plot::Plotter plotter_;  // the state, the expression engine ScriptControl1 and the grid
    plot::PlotState& state_ = plotter_.state();  // the handlers read and write it directly
    std::unique_ptr<dialog::Dialog> dialog_;
    std::function<void()> beep_;
    FileNameAsker askFileName_;
    Warner warn_;
    ExpressionHistory* history_ = nullptr;  // owned by T
    bool followPointer_ = false;            // the coordinates tip is up and follows the pointer
    bool plotHeld_ = false;         // the range handlers' plots wait for the end of a zoom step
    bool plotWanted_ = false;       // a held plot was asked for
    platform::WheelNotches wheel_;  // over the plot area
    QPoint menuAt_;                 // where the plot area's menu was opened
    QAction* copyPictureAction_ = nullptr;
    QAction* copyPointAction_ = nullptr;
    QAction* savePictureAction_ = nullptr;
    QAction* saveSamplesAction_ = nullptr;
    QTimer* plotTimer_ = nullptr;  // draws a background plot's pieces as they come
    bool plotPending_ = false;     // a plot was asked for while one ran, and starts next

    platform::PictureBox* Pic = nullptr;
    QLineEdit* T = nullptr;
    QLabel* Lb = nullptr;
    platform::ClickLabel* Lt = nullptr;
    platform::ScrollBar* VS = nullptr;
    platform::ClickLabel* Lg = nullptr;
    platform::ScrollBar* VScroll1 = nullptr;
    platform::ClickLabel* Lv = nullptr;
    platform::ScrollBar* HScroll1 = nullptr;
    platform::ClickLabel* Image1 = nullptr;
};

}  // namespace tracewell::app
