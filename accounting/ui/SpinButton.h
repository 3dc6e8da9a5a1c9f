#pragma once
// A spin button: two small arrow buttons, one above the other, that step
// something up or down (the month chooser's).
#include <QWidget>

class QToolButton;

namespace orv::accounting {

class SpinButton : public QWidget {
    Q_OBJECT

public:
    explicit SpinButton(QWidget* parent = nullptr);
    QToolButton* Up() const { return up_; }
    QToolButton* Down() const { return down_; }

signals:
    void UpClick();
    void DownClick();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolButton* up_;
    QToolButton* down_;
};

}  // namespace orv::accounting
