#include "app/fgraph.h"

#include <QApplication>
#include <QLineEdit>
#include <QResizeEvent>
#include <QScreen>
#include <QToolTip>
#include <limits>

#include "dialog/dialog.h"
#include "dialog/dialog_texts.h"
#include "platform/click_label.h"
#include "platform/icons.h"
#include "platform/picture_box.h"
#include "platform/scroll_bar.h"
#include "platform/twips.h"
#include "plot/window_layout.h"

namespace tracewell::app {
namespace {

QFont arial(double points) {
    QFont f("Arial");
    f.setPointSizeF(points);
    f.setBold(true);
    return f;
}

template <class Label>
Label* label(QWidget* parent, const char* name, const QString& caption) {
    auto* l = new Label(caption, parent);
    l->setObjectName(name);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->setFocusPolicy(Qt::NoFocus);
    return l;
}

platform::ScrollBar* scrollBar(QWidget* parent, const char* name,
                               const platform::ScrollBar::Design& design) {
    auto* bar = new platform::ScrollBar(design, parent);
    bar->setObjectName(name);
    return bar;
}

}  // namespace

Fgraph::Fgraph(QWidget* parent) : QWidget(parent), beep_([] { QApplication::beep(); }) {
    setObjectName("Fgraph");
    setWindowTitle(dialog::texts::kProgramTitle.toString());
    setWindowIcon(platform::applicationIcon());
    createControls();
    connectEvents();
    addAffordances();
    Form_Load();
}

Fgraph::~Fgraph() = default;

void Fgraph::createControls() {
    Pic = new platform::PictureBox(this);
    Pic->setObjectName("Pic");
    Pic->setFocusPolicy(Qt::StrongFocus);
    plot::Plotter::dress(Pic->surface());

    T = new QLineEdit("sin(x)", this);
    T->setObjectName("T");
    // Keeps every character: a text cut to Qt's default 32767 would plot another expression.
    T->setMaxLength(std::numeric_limits<int>::max());
    T->setFont(arial(12));
    QPalette palette = T->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    palette.setColor(QPalette::Text, Qt::black);
    T->setPalette(palette);

    Lb = label<QLabel>(this, "Lb", "  y=");
    Lb->setFont(arial(12));
    Lt = label<platform::ClickLabel>(this, "Lt", ".");
    Lt->setFont(arial(9.75));
    Lg = label<platform::ClickLabel>(this, "Lg", "Oy: 2");
    Lv = label<platform::ClickLabel>(this, "Lv", "Ox: 10");

    VS = scrollBar(this, "VS", {Qt::Vertical, 14, 0, 6, 2, 3});
    VScroll1 = scrollBar(this, "VScroll1", {Qt::Vertical, 25, 1, 2, 1, 1});
    HScroll1 = scrollBar(this, "HScroll1", {Qt::Horizontal, 1, 50, 10, 1, 1});

    Image1 = new platform::ClickLabel(this);
    Image1->setObjectName("Image1");
    Image1->setPixmap(platform::informationPicture(devicePixelRatioF()));
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    // Tab order: Pic, T, HScroll1, VScroll1, VS; labels and the picture take no focus.
    setTabOrder(Pic, T);
    setTabOrder(T, HScroll1);
    setTabOrder(HScroll1, VScroll1);
    setTabOrder(VScroll1, VS);

    place(plot::designLayout());
    // First placement: the design's client size, centred on the screen.
    using platform::toPixels;
    resize(toPixels(plot::kDesignClientWidth, this), toPixels(plot::kDesignClientHeight, this));
    if (const QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
}

void Fgraph::connectEvents() {
    connect(Pic, &platform::PictureBox::clicked, this, &Fgraph::Pic_Click);
    // Enter plots, as a click in the plot area does.
    connect(T, &QLineEdit::returnPressed, this, &Fgraph::Pic_Click);
    connect(HScroll1, &platform::ScrollBar::changed, this, &Fgraph::HScroll1_Change);
    connect(VScroll1, &platform::ScrollBar::changed, this, &Fgraph::VScroll1_Change);
    connect(VS, &platform::ScrollBar::changed, this, &Fgraph::VS_Change);
    connect(Lv, &platform::ClickLabel::clicked, this, &Fgraph::Lv_Click);
    connect(Lg, &platform::ClickLabel::clicked, this, &Fgraph::Lg_Click);
    connect(Lt, &platform::ClickLabel::clicked, this, &Fgraph::Lt_Click);
    connect(Image1, &platform::ClickLabel::clicked, this, &Fgraph::Image1_Click);
}

void Fgraph::place(const plot::WindowLayout& l) {
    using platform::toPixels;
    Pic->setGeometry(toPixels(l.Pic, this));
    T->setGeometry(toPixels(l.T, this));
    Lb->setGeometry(toPixels(l.Lb, this));
    Image1->setGeometry(toPixels(l.Image1, this));
    Lg->setGeometry(toPixels(l.Lg, this));
    Lv->setGeometry(toPixels(l.Lv, this));
    HScroll1->setGeometry(toPixels(l.HScroll1, this));
    VScroll1->setGeometry(toPixels(l.VScroll1, this));
    VS->setGeometry(toPixels(l.VS, this));
    Lt->setGeometry(toPixels(l.Lt, this));
}

QSizeF Fgraph::outerSize() const {
    // A minimized window has no client area left.
    const double clientHeight = isMinimized() ? 0 : platform::toTwips(height(), this);
    return {platform::toTwips(width(), this) + plot::kFrameWidth,
            clientHeight + plot::kFrameHeight};
}

void Fgraph::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

void Fgraph::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange) return;
    // Minimizing and restoring change no size that Qt reports, but the window lays out anew.
    const auto* change = static_cast<QWindowStateChangeEvent*>(event);
    if (isMinimized() || (change->oldState() & Qt::WindowMinimized)) Form_Resize();
}

void Fgraph::showProblem(const QString& message) {
    T->setToolTip(message);
    setProblemLook(true);
    if (T->isVisible()) QToolTip::showText(T->mapToGlobal(QPoint(0, T->height())), message, T);
}

void Fgraph::clearProblem() {
    if (T->toolTip().isEmpty()) return;
    T->setToolTip(QString());
    setProblemLook(false);
    QToolTip::hideText();
}

}  // namespace tracewell::app
