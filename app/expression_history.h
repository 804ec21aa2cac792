#pragma once
// The texts plotted in this session, for Up and Down in the expression box, newest first, as
// in a shell. Nothing outlives the program.

#include <QObject>
#include <QString>
#include <deque>

class QLineEdit;

namespace tracewell::app {

class ExpressionHistory : public QObject {
public:
    // Watches box's keys and lives as long as box.
    explicit ExpressionHistory(QLineEdit* box);

    // Adds text as the newest entry (unless it repeats the newest) and ends any browsing. The
    // oldest entries make room; a text longer than all the room is not kept.
    void record(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void step(int by);

    // Texts may be long: both bounds keep a long session's memory flat.
    static constexpr std::size_t kMaxEntries = 100;
    static constexpr qsizetype kMaxCharacters = 1 << 16;
    QLineEdit* box_;
    std::deque<QString> entries_;  // oldest first
    qsizetype characters_ = 0;     // in all entries
    std::size_t at_ = 0;           // entries_.size(): not browsing; the box holds the draft
    QString draft_;                // what was typed before the first Up
};

}  // namespace tracewell::app
