#pragma once
// A caption-panel button: painted over the caption gradient with an outline and
// a small triangle (year and month buttons) or the calendar letter (switch).
#include <QWidget>

#include "solar/logic/SolarTypes.h"

class TSolarTopPanel;

class TSolarButton : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 21;
    static constexpr int kHeight = 15;

    TSolarButton(TSolarTopPanel* panel, TButtonType type);

    TButtonType Type() const { return FType; }
    bool Entered() const { return FEnter; }
    bool ButtonEnabled() const { return FEnabled; }
    void SetButtonEnabled(bool enabled);
    // The two gradient colours of the button while the mouse is over it.
    std::pair<QColor, QColor> HoverColors() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    TSolarTopPanel* FpPanel;
    bool FEnter = false;
    TButtonType FType;
    bool FEnabled = true;
};
