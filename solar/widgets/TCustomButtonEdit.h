#pragma once
// A one-line edit with a push button embedded at its end (its right end in a
// left-to-right edit, its left end otherwise).
#include <QLineEdit>

class QToolButton;

class TCustomButtonEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TCustomButtonEdit(QWidget* parent = nullptr);

    bool VisibleLayoutSwitch() const { return FVisibleLayoutSwitch; }
    void SetVisibleLayoutSwitch(bool value) { FVisibleLayoutSwitch = value; }
    QString About() const { return FAbout; }
    void SetAbout(const QString&) {}
    bool Enabled() const { return isEnabled(); }
    virtual void SetEnabled(bool value);
    QToolButton* Button() const { return FButton; }

    // The button's action.
    virtual void DoButtonClick();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void LayoutButton();

    QToolButton* FButton;
    bool FVisibleLayoutSwitch = true;
    QString FAbout;
};
