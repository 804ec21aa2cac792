#include "app/fgraph.h"

#include <QToolTip>

#include "platform/guard.h"
#include "platform/twips.h"
#include "plot/plot_routine.h"
#include "plot/step_table.h"

namespace tracewell::app {
namespace {

const QColor kDrawingColour(1, 0, 66);
constexpr double kClientWidth = 9270, kClientHeight = 5865;  // twips

}  // namespace

Fgraph::Fgraph(QWidget* parent) : QWidget(parent) {
    setObjectName("Fgraph");
    setWindowTitle("Tracewell v3.1");
    createControls();
    ScriptControl1.setErrorHandler([this] { ScriptControl1_Error(); });
    Form_Load();
}

void Fgraph::createControls() {
    using platform::toPixels;
    resize(toPixels(QRectF(0, 0, kClientWidth, kClientHeight), this).size());

    Pic = new platform::PictureBox(this);
    Pic->setObjectName("Pic");
    Pic->setGeometry(toPixels(QRectF(120, 120, 9015, 5055), this));
    Pic->setFocusPolicy(Qt::StrongFocus);
    Pic->surface().setBackground(Qt::white);
    Pic->surface().setForeground(kDrawingColour);
    Pic->surface().clear();
    connect(Pic, &platform::PictureBox::clicked, this, [this] { Pic_Click(); });

    T = new QLineEdit("sin(x)", this);
    T->setObjectName("T");
    T->setGeometry(toPixels(QRectF(600, 5280, 3255, 375), this));
    QFont font("Arial", 12);
    font.setBold(true);
    T->setFont(font);
    QPalette palette = T->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    palette.setColor(QPalette::Text, Qt::black);
    T->setPalette(palette);
    // Enter plots, as a click in the plot area does.
    connect(T, &QLineEdit::returnPressed, this, [this] { Pic_Click(); });

    setTabOrder(Pic, T);
}

void Fgraph::Form_Load() {
    state_.Idx = 33;
    while (state_.Idx <= 126) {
        state_.CharTable.set(state_.Idx, QString(QChar(state_.Idx)));
        ++state_.Idx;
    }
    state_.XRange = 10;
    state_.YRange = 2;
}

void Fgraph::ScriptControl1_Error() { state_.Idx = 0; }

void Fgraph::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (shown_) return;
    shown_ = true;
    // Until the precision control chooses it: the finer level when the window is tall.
    const double outerHeight = platform::toTwips(height(), this) + 510;
    state_.XStep = *plot::StepTable::stepFor(outerHeight > 6375 ? 8 : 6);
}

void Fgraph::Pic_Click() {
    platform::runGuarded(this, [this] {
        const auto problem = plot::runPlot(state_, T->text(), {Pic->surface(), ScriptControl1, grid_});
        Pic->update();
        if (problem) showProblem(problem->position, problem->message);
        else clearProblem();
    });
}

void Fgraph::showProblem(int position, const QString& message) {
    Q_UNUSED(position);
    T->setToolTip(message);
    if (T->isVisible())
        QToolTip::showText(T->mapToGlobal(QPoint(0, T->height())), message, T);
}

void Fgraph::clearProblem() {
    if (T->toolTip().isEmpty()) return;
    T->setToolTip(QString());
    QToolTip::hideText();
}

}  // namespace tracewell::app
