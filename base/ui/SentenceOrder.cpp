#include "base/ui/SentenceOrder.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QStyle>

namespace orv::ui {

namespace {

bool IsRightToLeftLetter(QChar c) {
    const QChar::Direction d = c.direction();
    return d == QChar::DirR || d == QChar::DirAL;
}

class PeriodLastPainter : public QObject {
public:
    explicit PeriodLastPainter(QLabel* label) : QObject(label), label_(label) { label->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != label_ || event->type() != QEvent::Paint) return QObject::eventFilter(watched, event);
        const QString shown = PeriodLast(label_->text());
        if (shown == label_->text()) return false;  // the label paints itself
        QPainter painter(label_);
        painter.setLayoutDirection(Qt::RightToLeft);
        label_->style()->drawItemText(&painter, label_->contentsRect(), static_cast<int>(label_->alignment()),
                                      label_->palette(), label_->isEnabled(), shown, label_->foregroundRole());
        return true;
    }

private:
    QLabel* label_;
};

}  // namespace

QString PeriodLast(const QString& text) {
    if (!text.startsWith(u'.')) return text;
    qsizetype start = 1;
    while (start < text.size() && text[start].isSpace()) ++start;
    if (start >= text.size() || !IsRightToLeftLetter(text[start])) return text;
    QString sentence = text.mid(start);
    while (!sentence.isEmpty() && sentence.back().isSpace()) sentence.chop(1);
    return sentence + u'.';
}

void PaintPeriodLast(QLabel* label) { new PeriodLastPainter(label); }

}  // namespace orv::ui
