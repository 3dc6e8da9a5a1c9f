// The tests-information window on its own: opening, the searches, Find next,
// the download question and Update, with the main window's hooks stood in for.
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include "server/ui/TestsInfoWindow.h"
#include "tests/support/PromptRecorder.h"

using namespace Qt::StringLiterals;

namespace {
const QString kNoMatch = u"Attention|no match found. "_s;
const QString kNoMoreMatch = u"Attention|There is no more match. "_s;
const QString kQuestion =
    u"Attention|این فایل هنوز برای شما داونلود نشده. آیا مایلید آخرین ویرایش این فایل را داونلود کنید؟"_s;

// Normal values with three lines naming "Hb", the first not at the start.
const QByteArray kNormalValues =
    "{\\rtf1\\ansi\\ansicpg1256{\\fonttbl{\\f0\\fcharset178 Tahoma;}}"
    "Normal values\\par\\trowd\\cellx1000\\cellx2000 \\intbl FBS\\cell 70 - 100\\cell\\row"
    "\\trowd\\cellx1000\\cellx2000 \\intbl Hb\\cell 12 - 16\\cell\\row"
    "\\pard\\rtlpar\\qr \\'e5\\'e3\\'e6\\'90\\'e1\\'e6\\'c8\\'ed\\'e4 Hb\\par\r\n"
    "\\pard Hb Electro see document\\par}";
}  // namespace

class TestsInfoWindowTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    orv::ui::TestsInfoWindow* form_ = nullptr;
    PromptRecorder* prompts_ = nullptr;
    int downloads_ = 0;
    QByteArray serverCopy_;  // what a download brings; empty: the download fails

    QString Path(const QString& name) const { return dir_.path() + u'/' + name; }
    void Write(const QString& name, const QByteArray& bytes) {
        QFile f(Path(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    // Opens the window on `name` searching `ser` and waits for its 200 ms timer.
    void Open(const QString& name, const QString& ser) {
        form_->localPath = Path(name);
        form_->remotePath = u"/Help Files/"_s + name;
        form_->searchText = ser;
        form_->show();
        QVERIFY(form_->loadTimer->isActive());
        QVERIFY(form_->documentText->document()->isEmpty());
        QTRY_VERIFY(!form_->loadTimer->isActive());
    }
    QString Selected() const { return form_->documentText->textCursor().selectedText(); }
    int SelectionStart() const { return form_->documentText->textCursor().selectionStart(); }
    int Occurrence(const QString& what, int n) const {
        const QString text = form_->documentText->document()->toRawText();
        int at = -1;
        for (int i = 0; i <= n; ++i) at = static_cast<int>(text.indexOf(what, at + 1, Qt::CaseInsensitive));
        return at;
    }

private slots:
    void init() {
        QVERIFY(dir_.isValid());
        prompts_ = new PromptRecorder;
        form_ = new orv::ui::TestsInfoWindow;
        downloads_ = 0;
        serverCopy_.clear();
        form_->download = [this] {
            ++downloads_;
            if (serverCopy_.isEmpty()) return false;
            Write(QFileInfo(form_->localPath).fileName(), serverCopy_);
            return true;
        };
        form_->clearStatus = [] {};
    }
    void cleanup() {
        delete form_;
        delete prompts_;
        for (const QString& f : QDir(dir_.path()).entryList(QDir::Files)) QFile::remove(Path(f));
    }

    void theWindow() {
        QCOMPARE(form_->windowTitle(), u"Tests Information"_s);
        QCOMPARE(form_->size(), QSize(804, 407));
        QVERIFY(form_->documentText->isReadOnly());
        QCOMPARE(form_->documentText->lineWrapMode(), QTextEdit::NoWrap);
        QCOMPARE(form_->documentText->palette().color(QPalette::Base), QColor(0xE1, 0xE4, 0xFF));
        QCOMPARE(form_->findNextButton->text(), u"Find next   "_s);
        QCOMPARE(form_->updateButton->text(), u"Update"_s);
        QCOMPARE(form_->updateButton->toolTip(), u"Referesh"_s);
        QCOMPARE(form_->closeButton->text(), u"Close"_s);
        QVERIFY(!(form_->windowFlags() & Qt::WindowMaximizeButtonHint));
        // Centred on the window it is given.
        QWidget signIn;
        signIn.setGeometry(200, 150, 400, 300);
        form_->centreOn = &signIn;
        Write(u"x.rtf"_s, "{\\rtf1 x}");
        Open(u"x.rtf"_s, QString());
        // (The offscreen screen is narrower than the window, so only the height can be checked.)
        QVERIFY(qAbs(form_->frameGeometry().center().y() - signIn.frameGeometry().center().y()) <= 2);
    }

    void openingSelectsTheFirstOccurrence() {
        Write(u"LastNormalValue.rtf"_s, kNormalValues);
        Open(u"LastNormalValue.rtf"_s, u"Hb"_s);
        QVERIFY(form_->documentText->document()->toPlainText().contains(u"هموگلوبين Hb"_s));
        QCOMPARE(form_->searchField->text(), u"Hb"_s);
        QCOMPARE(form_->lastMatch, Occurrence(u"Hb"_s, 0));
        QCOMPARE(SelectionStart(), form_->lastMatch);
        QCOMPARE(Selected(), u"Hb"_s);
        QVERIFY(prompts_->messages.isEmpty());
        QCOMPARE(downloads_, 0);

        // Find next walks the other occurrences, then says there is no more.
        form_->findNextButton->click();
        QCOMPARE(SelectionStart(), Occurrence(u"Hb"_s, 1));
        form_->findNextButton->click();
        QCOMPARE(SelectionStart(), Occurrence(u"Hb"_s, 2));
        QVERIFY(prompts_->messages.isEmpty());
        form_->findNextButton->click();
        QCOMPARE(prompts_->messages, QStringList{kNoMoreMatch});
    }

    void typingWhatDoesNotOccur() {
        Write(u"LastNormalValue.rtf"_s, kNormalValues);
        Open(u"LastNormalValue.rtf"_s, QString());
        QTest::keyClicks(form_->searchField, u"Hbz"_s);
        // "H" and "Hb" occur; each change to "Hbz", "Hbzq" finds nothing.
        QCOMPARE(prompts_->messages, QStringList{kNoMatch});
        QTest::keyClicks(form_->searchField, u"q"_s);
        QCOMPARE(prompts_->messages, (QStringList{kNoMatch, kNoMatch}));
        // A click in the box searches without the message.
        QTest::mouseClick(form_->searchField, Qt::LeftButton);
        QCOMPARE(prompts_->messages.size(), 2);
        // Case is ignored.
        form_->searchField->setText(u"hb ELECTRO"_s);
        QCOMPARE(Selected(), u"Hb Electro"_s);
    }

    void aDocumentThatBeginsWithTheSearchedName() {
        Write(u"LastPriceOfTests.txt"_s, "FBS   1,200,000\r\nTSH   4,500,000\r\nFBS fasting\r\n");
        Open(u"LastPriceOfTests.txt"_s, u"FBS"_s);
        // A match at the first character is a match.
        QVERIFY(prompts_->messages.isEmpty());
        QCOMPARE(form_->lastMatch, 0);
        QCOMPARE(SelectionStart(), 0);
        QCOMPARE(Selected(), u"FBS"_s);
        // Enter searches from the second character: the next occurrence; fi stays.
        QTest::keyClick(form_->searchField, Qt::Key_Return);
        QCOMPARE(SelectionStart(), Occurrence(u"FBS"_s, 1));
        QCOMPARE(form_->lastMatch, 0);
        QVERIFY(form_->documentText->hasFocus() || !form_->isActiveWindow());
        // Find next from the first match.
        form_->findNextButton->click();
        QCOMPARE(form_->lastMatch, Occurrence(u"FBS"_s, 1));
    }

    void aMissingDocumentIsDownloadedOnOk() {
        serverCopy_ = kNormalValues;
        prompts_->buttons.enqueue(QMessageBox::Ok);
        Open(u"LastNormalValue.rtf"_s, u"Hb"_s);
        QCOMPARE(prompts_->messages, QStringList{kQuestion});
        QCOMPARE(downloads_, 1);
        QCOMPARE(Selected(), u"Hb"_s);
        QCOMPARE(form_->lastMatch, Occurrence(u"Hb"_s, 0));
    }

    void cancelLeavesTheWindowEmpty() {
        serverCopy_ = kNormalValues;
        prompts_->buttons.enqueue(QMessageBox::Cancel);
        QApplication::setOverrideCursor(Qt::WaitCursor);
        Open(u"LastNormalValue.rtf"_s, u"Hb"_s);
        QCOMPARE(prompts_->messages, QStringList{kQuestion});
        QCOMPARE(downloads_, 0);
        QVERIFY(form_->documentText->document()->isEmpty());
        QVERIFY(!QApplication::overrideCursor());
    }

    void updateReloadsOnlyWhatArrived() {
        Write(u"LastNormalValue.rtf"_s, "{\\rtf1 old Hb}");
        Open(u"LastNormalValue.rtf"_s, u"Hb"_s);
        QCOMPARE(form_->documentText->document()->toPlainText(), u"old Hb"_s);
        // A failed download keeps what is shown.
        form_->updateButton->click();
        QCOMPARE(downloads_, 1);
        QCOMPARE(form_->documentText->document()->toPlainText(), u"old Hb"_s);
        serverCopy_ = kNormalValues;
        form_->updateButton->click();
        QCOMPARE(downloads_, 2);
        QVERIFY(form_->documentText->document()->toPlainText().startsWith(u"Normal values"_s));
        QCOMPARE(Selected(), u"Hb"_s);
    }

    void anUnreadableDocument() {
        QVERIFY(QDir(dir_.path()).mkdir(u"folder.rtf"_s));
        Open(u"folder.rtf"_s, u"Hb"_s);
        QCOMPARE(prompts_->messages.size(), 1);
        QVERIFY(prompts_->messages[0].startsWith(u"Attention|"_s));
        QVERIFY(QDir(dir_.path()).rmdir(u"folder.rtf"_s));
    }
};

QTEST_MAIN(TestsInfoWindowTest)
#include "TestsInfoWindowTest.moc"
