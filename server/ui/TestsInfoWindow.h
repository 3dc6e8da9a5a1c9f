#pragma once
// The tests-information window: one of the central laboratory's reference
// documents (normal values or test prices) shown read-only and searched for a
// test name. The reference documents part sets `localPath`, `remotePath` and
// `searchText`, gives the download and the status line through the two hooks,
// and shows it modally.
#include <QDialog>
#include <QPointer>
#include <QString>
#include <functional>

class QLabel;
class QLineEdit;
class QTextEdit;
class QTimer;
class QToolButton;

namespace orv::ui {

class TestsInfoWindow : public QDialog {
    Q_OBJECT
public:
    explicit TestsInfoWindow(QWidget* parent = nullptr);

    QString localPath;   // the document kept in the workspace
    QString remotePath;  // where it comes from on the server
    QString searchText;  // the test chosen in the result grid
    int lastMatch = 0;   // character position (from 0) of the last match

    // Downloads `remotePath` into `localPath` as a server action of the main
    // window; true when the file arrived (the action reports on the status line either way).
    std::function<bool()> download;
    // Empties the main window's status line.
    std::function<void()> clearStatus;
    // The window opens at the centre of this one (the sign-in window).
    QPointer<QWidget> centreOn;

    QTextEdit* documentText;       // "RichEdit1"
    QLabel* searchIcon;            // "Image1"
    QLineEdit* searchField;        // "Edit1"
    QToolButton* findNextButton;   // "SpeedButton5": "Find next   "
    QToolButton* updateButton;     // "SpeedButton2": "Update"
    QToolButton* closeButton;      // "SpeedButton1": "Close"
    QTimer* loadTimer;             // "Timer1": the document is loaded once the window shows

    // The text search of the document: the position of the first match of
    // `what` lying within [start, start + length), or -1. Case is ignored.
    int findText(const QString& what, int start, int length) const;
    // The document's length in characters.
    int textLength() const;

public slots:
    void loadDocument();  // the kept copy shown and searched, or its download offered
    void onSearchChanged();
    void onSearchClicked();
    void onSearchKey(QChar key);
    void findNext();
    void updateDocument();  // downloaded again and shown

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void startLoading();
    bool loadLocalCopy();
    void searchFromStart(bool tellNoMatch);
    void showMatch(int position);
    void putSearchText();
    static void restoreCursor();

    QString text_;  // the document's characters, position for position
};

}  // namespace orv::ui
