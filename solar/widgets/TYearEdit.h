#pragma once
// The small year edit that replaces the year caption while a year is typed.
#include <QLineEdit>

class TSolarTopPanel;

class TYearEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TYearEdit(TSolarTopPanel* panel);

    // The text as a number; 1340 when it is not one.
    int yInt() const;
    void SetyInt(int value);

    int yMax = 9999;
    int yMin = 1300;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    TSolarTopPanel* FpPanel;
};
