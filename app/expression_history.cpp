#include "app/expression_history.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace tracewell::app {

ExpressionHistory::ExpressionHistory(QLineEdit* box) : QObject(box), box_(box) {
    box->installEventFilter(this);
}

void ExpressionHistory::record(const QString& text) {
    if (text.size() <= kMaxCharacters && (entries_.empty() || entries_.back() != text)) {
        entries_.push_back(text);
        characters_ += text.size();
        while (entries_.size() > kMaxEntries || characters_ > kMaxCharacters) {
            characters_ -= entries_.front().size();
            entries_.pop_front();
        }
    }
    at_ = entries_.size();
}

void ExpressionHistory::step(int by) {
    if (by < 0 && at_ == 0) return;                // already at the oldest
    if (by > 0 && at_ >= entries_.size()) return;  // already at the draft
    if (at_ == entries_.size()) draft_ = box_->text();
    at_ = by < 0 ? at_ - 1 : at_ + 1;
    box_->setText(at_ == entries_.size() ? draft_ : entries_[at_]);
}

bool ExpressionHistory::eventFilter(QObject* watched, QEvent* event) {
    if (watched != box_ || event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & ~Qt::KeypadModifier) return false;
    if (key->key() == Qt::Key_Up) {
        step(-1);
        return true;
    }
    if (key->key() == Qt::Key_Down) {
        step(1);
        return true;
    }
    return false;
}

}  // namespace tracewell::app
