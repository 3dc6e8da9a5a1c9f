// The accounting panel on its own: its contents stay together in the middle of
// the panel at any size, and the message box writes right to left.
#include <QFrame>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QtTest>

#include "accounting/ui/AccountPanel.h"

using namespace Qt::StringLiterals;

class AccountPanelTest : public QObject {
    Q_OBJECT

    // The rectangle every control of the panel takes, in the panel's coordinates.
    static QRect Contents(QFrame& panel) {
        QRect all;
        for (QWidget* w : panel.findChildren<QWidget*>())
            if (!w->objectName().isEmpty() && w->isVisibleTo(&panel))
                all |= QRect(w->mapTo(&panel, QPoint(0, 0)), w->size());
        return all;
    }

private slots:
    void contentsStayInTheMiddleAtAnySize() {
        QFrame panel;
        panel.resize(624, 336);
        const orv::accounting::AccountPanel p = orv::accounting::BuildAccountPanel(&panel);
        panel.show();
        const QRect designed = Contents(panel);
        QCOMPARE(p.SpeedButton10->mapTo(&panel, QPoint(0, 0)), QPoint(278, 196));  // as designed
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
        QFrame panel;
        panel.resize(624, 336);
        const orv::accounting::AccountPanel p = orv::accounting::BuildAccountPanel(&panel);
        panel.show();
        p.Memo2->setFocus();
        const int middle = p.Memo2->viewport()->width() / 2;
        QVERIFY(p.Memo2->cursorRect().x() > middle);
        for (const QChar c : u"سلام"_s) {
            QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(p.Memo2, &key);
        }
        QCOMPARE(p.Memo2->toPlainText(), u"سلام"_s);
        QVERIFY(p.Memo2->cursorRect().x() < p.Memo2->viewport()->width());
        p.Memo2->moveCursor(QTextCursor::Start);
        QVERIFY2(p.Memo2->cursorRect().x() > middle, "the line begins at the right");
    }
};

QTEST_MAIN(AccountPanelTest)
#include "AccountPanelTest.moc"
