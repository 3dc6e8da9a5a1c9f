// The accounting panel on the main window: its contents stay together in the
// middle of the panel at any size, and the message box writes right to left.
#include <QDir>
#include <QFrame>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include "accounting/ui/AccountingPanel.h"
#include "app/ui/Forms.h"
#include "app/ui/MainWindow.h"

using namespace Qt::StringLiterals;

class AccountPanelTest : public QObject {
    Q_OBJECT
    QTemporaryDir workspace_;

    // The rectangle every control of the panel takes, in the panel's coordinates.
    static QRect Contents(QFrame& panel) {
        QRect all;
        for (QWidget* w : panel.findChildren<QWidget*>())
            if (!w->objectName().isEmpty() && w->isVisibleTo(&panel))
                all |= QRect(w->mapTo(&panel, QPoint(0, 0)), w->size());
        return all;
    }

private slots:
    void init() {
        qputenv("ORVANET_WORKSPACE", QString(workspace_.path() + u"/lab/"_s).toUtf8());
        CreateForms();
    }
    void cleanup() { DestroyForms(); }

    void contentsStayInTheMiddleAtAnySize() {
        orv::accounting::AccountingPanel& panel = *mainWindow->accounting;
        QCOMPARE(panel.objectName(), u"Panel1"_s);
        QCOMPARE(panel.geometry(), QRect(8, 100, 624, 336));
        mainWindow->show();
        panel.show();
        const QRect designed = Contents(panel);
        QCOMPARE(panel.payButton->mapTo(&panel, QPoint(0, 0)), QPoint(278, 196));  // as designed
        for (const QSize size : {QSize(1264, 690), QSize(2544, 1490)}) {
            panel.resize(size);
            QApplication::processEvents();
            const QRect shown = Contents(panel);
            QCOMPARE(shown.size(), designed.size());
            QVERIFY2(qAbs(shown.left() - (size.width() - shown.right())) <= 16, "centred across");
            QVERIFY2(qAbs(shown.top() - (size.height() - shown.bottom())) <= 16, "centred down");
        }
    }

    // Persian is typed from the right: the caret starts there and stays there.
    void messageIsWrittenRightToLeft() {
        orv::accounting::AccountingPanel& panel = *mainWindow->accounting;
        mainWindow->show();
        panel.show();
        QPlainTextEdit* message = panel.messageText;
        message->setFocus();
        const int middle = message->viewport()->width() / 2;
        QVERIFY(message->cursorRect().x() > middle);
        for (const QChar c : u"سلام"_s) {
            QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(message, &key);
        }
        QCOMPARE(message->toPlainText(), u"سلام"_s);
        QVERIFY(message->cursorRect().x() < message->viewport()->width());
        message->moveCursor(QTextCursor::Start);
        QVERIFY2(message->cursorRect().x() > middle, "the line begins at the right");
    }
};

QTEST_MAIN(AccountPanelTest)
#include "AccountPanelTest.moc"
