#pragma once
// A thin straight line placed in twips, like a line shape on a form: it only draws itself and
// lets clicks fall through to whatever lies below.

#include <QLineF>
#include <QWidget>

namespace tracewell::dialog {

class DesignLine : public QWidget {
public:
    // from and to are in twips from the parent's client area.
    DesignLine(const QLineF& twips, QWidget* parent);

    QLineF twips() const { return twips_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QLineF twips_;
};

}  // namespace tracewell::dialog
