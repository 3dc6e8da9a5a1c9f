#pragma once
// The tests-information window: one of the central laboratory's reference
// documents (normal values or test prices) shown read-only and searched for a
// test name. The main window sets `dest`, `source` and `ser`, gives the
// download and the status line through the two hooks, and shows it modally.
#include <QDialog>
#include <QPointer>
#include <QString>
#include <functional>

class QLabel;
class QLineEdit;
class QTextEdit;
class QTimer;
class QToolButton;

class TForm3 : public QDialog {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);

    QString dest;    // the local document
    QString source;  // where it comes from on the server
    QString ser;     // the text to search, the test chosen in the result grid
    int fi = 0;      // character position (from 0) of the last match

    // Downloads `source` into `dest` as a server action of the main window; true
    // when the file arrived (the action reports on the status line either way).
    std::function<bool()> download;
    // Empties the main window's status line.
    std::function<void()> clearStatus;
    // The window opens at the centre of this one (the sign-in window).
    QPointer<QWidget> centreOn;

    QTextEdit* RichEdit1;
    QLabel* Image1;  // the search icon
    QLineEdit* Edit1;
    QToolButton* SpeedButton5;  // "Find next   "
    QToolButton* SpeedButton2;  // "Update"
    QToolButton* SpeedButton1;  // "Close"
    QTimer* Timer1;

    // The text search of the document: the position of the first match of
    // `what` lying within [start, start + length), or -1. Case is ignored.
    int FindText(const QString& what, int start, int length) const;
    // The document's length in characters.
    int TextLength() const;

public slots:
    void FormShow();
    void Timer1Timer();
    void Edit1Change();
    void Edit1Click();
    void Edit1KeyPress(QChar key);
    void SpeedButton5Click();  // find next
    void SpeedButton2Click();  // update
    void SpeedButton1Click();  // close

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool LoadDest();
    void SearchTyped(bool tellNoMatch);
    void ShowMatch(int position);
    void SetSearchText();
    static void NormalCursor();

    QString text_;  // the document's characters, position for position
};
