#pragma once
// The laboratory's account with the central laboratory: the accounting panel
// ("Panel1", over the result grid while open) with the debt, its discounts, the
// payment, the month bill and the message to the central laboratory; on the
// main window the "Accounting" button that opens it, the payment-delay gauge
// and the hidden account refresh that reads the bill.
//
//   auto* accounting = new orv::accounting::AccountingPanel(frame, frame.Canvas());
//   accounting->refreshAccount();  // after the server check, on its open session
#include <QFrame>
#include <QString>
#include <QStringList>
#include <functional>
#include <string>
#include <vector>

#include "accounting/core/Account.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QTimer;
class QToolButton;
class TSolarDatePicker;
class TSolarMonthCalendar;

namespace orv::ui {
class WindowFrame;
}  // namespace orv::ui

namespace orv::accounting {

class SpinButton;

class AccountingPanel : public QFrame {
    Q_OBJECT

public:
    AccountingPanel(orv::ui::WindowFrame& frame, QWidget* parent);

    // --- on the main window
    QToolButton* accountingButton = nullptr;      // "SpeedButton1": opens the panel
    QToolButton* refreshAccountButton = nullptr;  // "SpeedButton2", hidden: the account refresh
    QToolButton* calculateButton = nullptr;       // "calculat", hidden: the debt calculation
    QPlainTextEdit* billText = nullptr;           // "Memo1", hidden: the last bill read, line by line
    QProgressBar* debtGauge = nullptr;            // "Gauge1": days since the oldest unpaid month fell due
    QLabel* discount4Mark = nullptr;              // "Label20": the gauge's discount marks...
    QLabel* discount3Mark = nullptr;              // "Label22"
    QLabel* discount2Mark = nullptr;              // "Label23"
    QLabel* daysLabel = nullptr;                  // "Label24": ...and its unit
    QTimer* payAgainTimer = nullptr;              // "Timer4": the pay button usable again 3 s after a click

    // --- on the panel
    QLabel* labNameLabel = nullptr;               // "Label32"
    QLabel* unpaidHeading = nullptr;              // "Label21"
    QPlainTextEdit* unpaidMonthsText = nullptr;   // "Memo3": one line per unpaid month
    QLabel* totalDebtLabel = nullptr;             // "Label35"
    QLabel* payableMonthLabel = nullptr;          // "Label10"
    QLabel* monthAmountLabel = nullptr;           // "Label8"
    QLabel* discountNote = nullptr;               // "Label25": "if you pay today..."
    QLabel* paymentDiscountLabel = nullptr;       // "Label26"
    QLabel* volumeDiscountLabel = nullptr;        // "Label29"
    QLabel* amountAfterDiscountsLabel = nullptr;  // "Label27"
    QToolButton* payButton = nullptr;             // "SpeedButton10"
    QLabel* paymentNote = nullptr;                // "Label33": finishing the payment
    QToolButton* closeButton = nullptr;           // "SpeedButton12"
    QToolButton* updatePaymentButton = nullptr;   // "SpeedButton13"
    QToolButton* monthBillButton = nullptr;       // "SpeedButton17"
    QLineEdit* monthField = nullptr;              // "Edit3": the chosen month; its hint the month's key
    SpinButton* monthSpin = nullptr;              // "SpinButton1"
    QPlainTextEdit* messageText = nullptr;        // "Memo2"
    QToolButton* sendButton = nullptr;            // "SpeedButton14"
    QLabel* paymentRulesLink = nullptr;           // "Label28"
    TSolarDatePicker* monthDate = nullptr;        // "SolarDatePicker2", hidden: the month chooser's date
    TSolarMonthCalendar* monthCalendar = nullptr;  // "SolarMonthCalendar2", hidden

    // --- state
    double sampleFactor = 0;         // sample-volume factor, bill line 4
    int overdueLimitDays = 120;      // bill line 5
    QString firstUnpaidMonth;        // period of the oldest unpaid month, e.g. 1401/05
    bool paymentRequested = false;   // a payment was requested in this run
    bool noUnpaidMonth = true;       // the bill has no unpaid month
    qint64 firstUnpaidAmount = 0;    // the oldest unpaid month's amount, rials
    qint64 amountAfterDiscounts = 0;  // the same after both discounts
    QString paymentRecord;           // names the payment marker and goes with the payment
    QString lastMessageName;         // the last message's file name
    // The random message number 0..999 (tests fix it).
    std::function<int()> messageNumber;
    // The main window's date field: the month chooser starts at its month.
    std::function<QString()> chosenDay;

    // The bill read last (what "Memo1" holds), line by line; empty before one is read.
    QStringList BillLines() const;

public slots:
    void refreshAccount();        // the bill through the session the server check left open
    void openPanel();
    void closePanel();
    void updatePayment();         // checks again, reads the bill again and calculates
    void calculateDebt();
    void nextMonth();
    void previousMonth();
    void fetchMonthBill();        // the chosen month's itemised bill
    void requestPayment();
    void warnSingleClick();       // the pay button double-clicked
    void sendMessage();

signals:
    // A bill was read and understood (the program update checks its version).
    void accountRead(const orv::accounting::Account& account);
    // The bill numbers a notice of the central laboratory not read yet.
    void noticeArrived();
    // "< مشاهده قوانین پرداخت >" was clicked.
    void paymentRulesRequested();

private:
    void showMonthChoice();
    std::vector<std::string> billLineList() const;
    void placeControls();
    void placeFrameControls();

    orv::ui::WindowFrame& frame_;
    QString billUnreadable_;  // why the last downloaded bill could not be read; empty when it was
};

}  // namespace orv::accounting
