#pragma once
// The controls of the accounting panel (Panel1 of the main window), placed on
// the panel with their captions and hints; the main window keeps the pointers
// under the same names and runs their handlers.
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QToolButton;

namespace orv::accounting {

class SpinButton;

struct AccountPanel {
    QLabel* Label32 = nullptr;  // the laboratory's name
    QLabel* Label21 = nullptr;  // heading of the unpaid months
    QPlainTextEdit* Memo3 = nullptr;
    QLabel* Label35 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label25 = nullptr;  // "if you pay today..."
    QLabel* Label26 = nullptr;
    QLabel* Label29 = nullptr;
    QLabel* Label27 = nullptr;
    QToolButton* SpeedButton10 = nullptr;  // pay
    QLabel* Label33 = nullptr;             // the note on finishing the payment
    QToolButton* SpeedButton12 = nullptr;  // close
    QToolButton* SpeedButton13 = nullptr;  // update current payment
    QToolButton* SpeedButton17 = nullptr;  // month bill
    QLineEdit* Edit3 = nullptr;            // month chooser
    SpinButton* SpinButton1 = nullptr;
    QPlainTextEdit* Memo2 = nullptr;       // message
    QToolButton* SpeedButton14 = nullptr;  // send
    QLabel* Label28 = nullptr;             // payment rules
};

// Places the controls on `panel` in a block of 624 x 336 that stays in the
// middle of the panel as it grows.
AccountPanel BuildAccountPanel(QFrame* panel);

}  // namespace orv::accounting
