#pragma once
// The main window: the plot area, the expression box, and the state they share.

#include <QLineEdit>
#include <QWidget>

#include "eval/evaluator.h"
#include "platform/picture_box.h"
#include "plot/plot_state.h"
#include "plot/sample_grid.h"

namespace tracewell::app {

class Fgraph : public QWidget {
    Q_OBJECT
public:
    explicit Fgraph(QWidget* parent = nullptr);

    const plot::PlotState& state() const { return state_; }

    // Clears the plot area and draws the axes and the graph from the state and the text.
    void Pic_Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Form_Load();
    void ScriptControl1_Error();

    void createControls();
    void showProblem(int position, const QString& message);
    void clearProblem();

    plot::PlotState state_;
    eval::Evaluator ScriptControl1;  // the expression engine; its error event sets Idx to 0
    plot::SampleGrid grid_;          // kept between runs: the same range reuses its samples
    bool shown_ = false;

    platform::PictureBox* Pic = nullptr;
    QLineEdit* T = nullptr;
};

}  // namespace tracewell::app
