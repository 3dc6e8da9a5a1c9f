#pragma once
// A label that reports clicks and the mouse entering and leaving it.
#include <QLabel>

class TSolarLabel : public QLabel {
    Q_OBJECT
public:
    explicit TSolarLabel(QWidget* parent = nullptr);

signals:
    void clicked();
    void entered();
    void left();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
};
