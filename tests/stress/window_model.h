#pragma once
// What the main window must look like after any action, and the little the test remembers to
// know it: the ranges and the step the controls last chose, the text's length at the last
// plot, and what the current action was meant to do.

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QObject>
#include <QPointer>
#include <QStringList>

#include "app/fgraph.h"
#include "platform/click_label.h"
#include "platform/picture_box.h"
#include "platform/scroll_bar.h"

namespace tracewell::stress {

// Handles on the window and its controls; QPointer notices if one is ever destroyed.
struct Controls {
    explicit Controls(app::Fgraph& window);

    QPointer<app::Fgraph> window;
    QPointer<platform::PictureBox> pic;
    QPointer<QLineEdit> t;
    QPointer<QLabel> lb;
    QPointer<platform::ClickLabel> lt, lg, lv, image1;
    QPointer<platform::ScrollBar> vs, vscroll1, hscroll1;
};

inline const QRgb kInk = plot::kInk.rgb();

// What a run went through, to show that the heavy cases came up.
struct RunCounts {
    int plots = 0;
    int finestPlots = 0;   // at the finest step
    int millionPlots = 0;  // of those, over a million samples: x range 40 and more
    int resizes = 0;
    int helps = 0;
};

class WindowModel {
public:
    // The window must be shown: the model starts from the state its first sizing left.
    explicit WindowModel(app::Fgraph& window);
    ~WindowModel();

    const Controls& controls() const { return controls_; }

    // Call before each action, then say what the action is meant to do.
    void beginAction();
    void expectPlot() { plotExpected_ = true; }
    void expectRangeReset(Qt::Orientation axis);  // Lv (horizontal) or Lg clicked
    void expectHelp() { helpExpected_ = true; }
    void allowMinimized() { minimizedAllowed_ = true; }

    // After the action and its events: takes in what the action did and returns every rule
    // the window now breaks, in words.
    QStringList endAction();

    const RunCounts& counts() const { return counts_; }

private:
    void checkControls(QStringList& out) const;
    void checkScale(QStringList& out) const;
    void checkPicture(QStringList& out) const;
    void checkResize(QStringList& out) const;
    void checkHelp(QStringList& out) const;
    bool resized() const;
    void count();

    Controls controls_;
    QObject observer_;  // context of the connections to the bars; ends them with the model

    int expectedXRange_ = 0, expectedYRange_ = 0;
    float expectedStep_ = 0;
    int expectedExprLen_ = 0;
    int beeps_ = 0;
    RunCounts counts_;

    bool plotExpected_ = false, helpExpected_ = false, minimizedAllowed_ = false;
    bool rangeBarMoved_ = false;
    int beepsBefore_ = 0;
    QSize sizeBefore_;
    Qt::WindowStates statesBefore_;
    qint64 pictureKeyBefore_ = 0;
};

}  // namespace tracewell::stress
