// The main window's reference documents against the local central laboratory:
// the "Download Files" list and its fetches, the recommendation flag, the
// payment rules, and normal values and prices in the tests-information window.
#include <QListWidget>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

#include "server/ui/ReferenceDocuments.h"
#include "server/ui/TestsInfoWindow.h"
#include "server/core/ServerMessages.h"
#include "server/ui/DocumentViewer.h"
#include "accounting/ui/AccountingPanel.h"
#include "tests/results/ui/ResultsWindow.h"
#include "tests/support/FakeFtpSession.h"
#include "tests/support/PromptRecorder.h"

using namespace Qt::StringLiterals;
using orv::test::CentralLab;

namespace {
const QString kCold = u"Cold chain rules for   samples.rtf"_s;
const QString kGuide = u"Sample transport guide.pdf"_s;
QString Utf8(const char* s) { return QString::fromUtf8(s); }

QByteArray FileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
}  // namespace

class MainformReferenceTest : public QObject {
    Q_OBJECT
    CentralLab lab_;
    orv::test::ResultsWindow w_;
    PromptRecorder* prompts_ = nullptr;

    QStringList Items(QListWidget* list) const {
        QStringList items;
        for (int i = 0; i < list->count(); ++i) items << list->item(i)->text();
        return items;
    }
    QString ServerFile(const QString& relative) const {
        return QString::fromStdString(lab_.ServerFile(relative.toStdString()));
    }
    QStringList ServerHelpFiles() const {
        QStringList names = QDir(ServerFile(u"Help Files"_s)).entryList(QDir::Files);
        names.sort();
        return names;
    }
    void ClickLabel(QWidget* label) { QTest::mouseClick(label, Qt::LeftButton); }
    void List() {
        QTest::mouseClick(mainWindow->reference->downloadFilesButton, Qt::LeftButton);
        QVERIFY2(mainWindow->reference->downloadFilesButton->isChecked(), qPrintable(w_.Status() + u" / "_s + mainWindow->LastServerError()));
    }
    void DoubleClick(const QString& name) {
        const auto found = mainWindow->reference->folderList->findItems(name, Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        mainWindow->reference->folderList->setCurrentItem(found[0]);
        const QRect place = mainWindow->reference->folderList->visualItemRect(found[0]);
        QTest::mouseDClick(mainWindow->reference->folderList->viewport(), Qt::LeftButton, {}, place.center());
    }
    // Runs `act` once the tests-information window is open and settled, then closes it.
    void WhenTestsWindowOpens(std::function<void()> act) {
        auto* poll = new QTimer(this);
        auto started = std::make_shared<QElapsedTimer>();
        started->start();
        connect(poll, &QTimer::timeout, this, [=] {
            const bool settled = testsInfoWindow->isVisible() && !testsInfoWindow->loadTimer->isActive() && !QApplication::overrideCursor() &&
                                 !testsInfoWindow->documentText->document()->isEmpty() && testsInfoWindow->searchField->text() == testsInfoWindow->searchText;
            if (!settled && started->elapsed() < 15000) return;
            poll->stop();
            poll->deleteLater();
            if (settled) act();
            testsInfoWindow->close();
        });
        poll->start(20);
    }

private slots:
    void initTestCase() { QVERIFY2(lab_.Start(), lab_.Error().c_str()); }
    void init() {
        lab_.Control("reset");
        lab_.Control("listing unix");
        w_.Open(lab_);
        prompts_ = new PromptRecorder;
        lab_.ClearLogs();
    }
    void cleanup() {
        delete prompts_;
        w_.Close();
    }

    void theListHoldsWholeNamesAndTheirSizes() {
        List();
        QStringList listed = Items(mainWindow->reference->folderList);
        listed.sort();
        QCOMPARE(listed, ServerHelpFiles());
        QVERIFY(listed.contains(kCold));
        QVERIFY(listed.contains(kGuide));
        QCOMPARE(mainWindow->reference->fileSizes->count(), mainWindow->reference->folderList->count());
        for (int i = 0; i < mainWindow->reference->folderList->count(); ++i)
            QCOMPARE(mainWindow->reference->fileSizes->item(i)->text().toLongLong(),
                     QFileInfo(ServerFile(u"Help Files/"_s + mainWindow->reference->folderList->item(i)->text())).size());
        QVERIFY(mainWindow->reference->folderList->isVisible());
        QVERIFY(mainWindow->reference->folderListCaption->isVisible());
        QCOMPARE(w_.Status(), QString());
        QVERIFY(!QApplication::overrideCursor());
        QCOMPARE(lab_.CountFtpCommands("LIST"), 1);

        // A second click hides the list without the server.
        lab_.ClearLogs();
        QTest::mouseClick(mainWindow->reference->downloadFilesButton, Qt::LeftButton);
        QVERIFY(!mainWindow->reference->downloadFilesButton->isChecked());
        QVERIFY(!mainWindow->reference->folderListCaption->isVisible());
        QVERIFY(lab_.FtpCommands().empty());
        // Shown again, a click on the grid hides it.
        List();
        QTest::mouseClick(mainWindow->results->resultGrid->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(!mainWindow->reference->downloadFilesButton->isChecked());
        QVERIFY(!mainWindow->reference->folderListCaption->isVisible());
    }

    void aWindowsServersListingReadsAlike() {
        QVERIFY(lab_.Control("listing dos"));
        List();
        QStringList listed = Items(mainWindow->reference->folderList);
        listed.sort();
        QCOMPARE(listed, ServerHelpFiles());
        const int i = Items(mainWindow->reference->folderList).indexOf(kGuide);
        QCOMPARE(mainWindow->reference->fileSizes->item(i)->text().toLongLong(), QFileInfo(ServerFile(u"Help Files/"_s + kGuide)).size());
    }

    // A listed name that is a file the program keeps is never downloaded over it.
    void aListedNameOfAKeptFileIsRefused() {
        const QString kept[] = {u"today.txt"_s, u"Orvanet.ini"_s, u"14050917.txt"_s};
        for (const QString& name : kept) {
            QFile f(ServerFile(u"Help Files/"_s + name));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("from the server");
        }
        List();
        for (const QString& name : kept) {
            QFile local(w_.Root() + name);
            QVERIFY(local.open(QIODevice::WriteOnly));
            local.write("kept");
            local.close();
            lab_.ClearLogs();
            prompts_->Clear();
            DoubleClick(name);
            QCOMPARE(lab_.CountFtpCommands("RETR"), 0);
            QCOMPARE(FileBytes(w_.Root() + name), QByteArray("kept"));
            QCOMPARE(prompts_->messages.size(), 1);
            QVERIFY2(prompts_->messages.first().contains(name), qPrintable(prompts_->messages.first()));
            QVERIFY(prompts_->opened.isEmpty());
        }
        for (const QString& name : kept) QFile::remove(ServerFile(u"Help Files/"_s + name));
    }

    void aNameWithSpacesIsFetchedAndOpened() {
        List();
        lab_.ClearLogs();
        DoubleClick(kCold);
        const QString local = w_.Root() + kCold;
        QCOMPARE(orv::test::CommandsNaming(lab_, QString(u"RETR /Help Files/"_s + kCold).toStdString()), 1);
        QCOMPARE(FileBytes(local), FileBytes(ServerFile(u"Help Files/"_s + kCold)));
        QCOMPARE(prompts_->OpenedFiles(), QStringList{local});
        QCOMPARE(w_.Status(), kCold + u" Download succesfully."_s);
        QCOMPARE(mainWindow->transferSource, u"/Help Files/"_s + kCold);
        QCOMPARE(mainWindow->transferDest, local);
        QCOMPARE(mainWindow->transferSize, QFileInfo(local).size());
        QVERIFY(!QApplication::overrideCursor());
    }

    void failuresSayWhatHappenedAndOpenNothing() {
        // Nothing chosen.
        mainWindow->reference->openHelpFile();
        QVERIFY(w_.Status().contains(Utf8("انتخاب")));
        // A listed file that the server no longer gives: the copy from before is not opened.
        List();
        QFile old(w_.Root() + u"Working hours.txt"_s);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old copy");
        old.close();
        QVERIFY(lab_.Control("missing working hours"));
        DoubleClick(u"Working hours.txt"_s);
        QCOMPARE(w_.Status(), u"Working hours.txt Download failed."_s);
        QVERIFY(prompts_->opened.isEmpty());
        QCOMPARE(FileBytes(old.fileName()), QByteArray("old copy"));
        QVERIFY(!QApplication::overrideCursor());
        // The network down.
        mainWindow->State().networkOk = false;
        mainWindow->reference->openHelpFile();
        QCOMPARE(w_.Status(), Utf8(orv::msg::kNetworkRefresh));
        QTest::mouseClick(mainWindow->reference->downloadFilesButton, Qt::LeftButton);  // hides
        QTest::mouseClick(mainWindow->reference->downloadFilesButton, Qt::LeftButton);
        QCOMPARE(w_.Status(), Utf8(orv::msg::kNetworkUpdate));
        QVERIFY(!mainWindow->reference->downloadFilesButton->isChecked());
        QVERIFY(!mainWindow->reference->folderListCaption->isVisible());
        // The server refuses: the toggle is raised again.
        mainWindow->State().networkOk = true;
        QVERIFY(lab_.Control("login refuse"));
        QTest::mouseClick(mainWindow->reference->downloadFilesButton, Qt::LeftButton);
        QCOMPARE(w_.Status(), Utf8(orv::msg::kLogInRefused));
        QVERIFY(!mainWindow->reference->downloadFilesButton->isChecked());
        QVERIFY(!mainWindow->reference->folderListCaption->isVisible());
        QVERIFY(!QApplication::overrideCursor());
    }

    void unsafeNamesAndStaleSizesAreNotOffered() {
        auto fake = std::make_unique<orv::test::FakeFtpSession>();
        fake->listings["/Help Files"] = {
            "-rw-r--r--   1 o g 10 Dec 08 12:00 ../../.profile",
            "12-08-26  11:05AM                   10 ..\\evil.txt",
            "-rw-r--r--   1 o g 10 Dec 08 12:00 bell\x07.txt",
            "-rw-r--r--   1 o g 1x0 Dec 08 12:00 odd size.txt",
            "drwxr-xr-x   2 o g 4096 Dec 08 12:00 Old files",
        };
        fake->files["/Help Files/odd size.txt"] = "odd";
        mainWindow->ftp = std::move(fake);
        // Sizes of a longer listing before.
        for (int i = 0; i < 9; ++i) mainWindow->reference->fileSizes->addItem(u"777"_s);
        List();
        QCOMPARE(Items(mainWindow->reference->folderList), QStringList{u"odd size.txt"_s});
        QCOMPARE(Items(mainWindow->reference->fileSizes), QStringList{u"1x0"_s});
        // A size that is no number is 0 for the gauge; the file still comes.
        DoubleClick(u"odd size.txt"_s);
        QCOMPARE(mainWindow->transferSize, 0);
        QCOMPARE(FileBytes(w_.Root() + u"odd size.txt"_s), QByteArray("odd"));
        QVERIFY(!QFile::exists(w_.Root() + u"../../.profile"_s));
    }

    void theRecommendationFlag() {
        mainWindow->accounting->billText->setPlainText(u"Lab\n22.00\n19\n1\n90"_s);
        // Not flagged: a click does nothing.
        ClickLabel(mainWindow->reference->recommendationFlag);
        QVERIFY(lab_.FtpCommands().empty());
        QVERIFY(prompts_->opened.isEmpty());

        mainWindow->reference->raiseRecommendationFlag();
        mainWindow->reference->flagBlink->start();
        // A failed download keeps the flag, opens nothing and records nothing.
        QVERIFY(lab_.Control("missing lastrecommendation"));
        ClickLabel(mainWindow->reference->recommendationFlag);
        QCOMPARE(w_.Status(), u"Last Recommendation File Download failed."_s);
        QVERIFY(mainWindow->reference->recommendationFlagged());
        QVERIFY(prompts_->opened.isEmpty());
        QVERIFY(!QFile::exists(w_.Root() + u"LastRecommendation.rtf"_s));

        QVERIFY(lab_.Control("reset"));
        lab_.ClearLogs();
        ClickLabel(mainWindow->reference->recommendationFlag);
        const QString local = w_.Root() + u"LastRecommendation.rtf"_s;
        QCOMPARE(orv::test::CommandsNaming(lab_, "RETR /Help Files/LastRecommendation.rtf"), 1);
        QCOMPARE(prompts_->OpenedFiles(), QStringList{local});
        QCOMPARE(w_.Status(), u"Last Recommendation File Download succesfully."_s);
        QCOMPARE(mainWindow->transferSize, 20000);
        QVERIFY(!mainWindow->reference->recommendationFlagged());
        QCOMPARE(mainWindow->reference->recommendationFlag->text(), QString());
        QVERIFY(!mainWindow->reference->flagBlink->isActive());
        QVERIFY(!mainWindow->reference->recommendationFlag->isHidden());
        // "check.txt" now holds the bill's third line first.
        const orv::TextReadResult check = orv::ReadTextFile(QString(w_.Root() + u"check.txt"_s).toStdString());
        QVERIFY(check.ok);
        QCOMPARE(check.content.lines.at(0), std::string("19"));
        QCOMPARE(mainWindow->State().noticeRead, 19);
    }

    void thePaymentRules() {
        ClickLabel(mainWindow->reference->lawsLink);
        const QString local = w_.Root() + u"paymentlaw.rtf"_s;
        QCOMPARE(orv::test::CommandsNaming(lab_, "RETR /Text Result/PaymentLaw.rtf"), 1);
        QCOMPARE(prompts_->OpenedFiles(), QStringList{local});
        QCOMPARE(FileBytes(local), FileBytes(ServerFile(u"Text Result/PaymentLaw.rtf"_s)));
        QCOMPARE(w_.Status(), QString());
        QCOMPARE(mainWindow->transferGauge->value(), mainWindow->transferGauge->maximum());
        // There but not readable: a refusal in the server's words, the local copy kept.
        QVERIFY(lab_.Control("unreadable paymentlaw"));
        mainWindow->reference->showPaymentRules();
        QCOMPARE(w_.Status(), QString::fromStdString(orv::msg::Refused("550 Permission denied.")));
        QCOMPARE(FileBytes(local), FileBytes(ServerFile(u"Text Result/PaymentLaw.rtf"_s)));
        QVERIFY(lab_.Control("reset"));
        // Gone from the server: the local copy goes too.
        QVERIFY(lab_.Control("missing paymentlaw"));
        mainWindow->reference->showPaymentRules();
        QCOMPARE(w_.Status(), u"File not exist"_s);
        QVERIFY(!QFile::exists(local));
        QCOMPARE(prompts_->opened.size(), 1);
        QVERIFY(!QApplication::overrideCursor());
    }

    void rulesNoProgramOpensAreShownInOurViewer() {
        prompts_->openSucceeds = false;
        mainWindow->reference->showPaymentRules();
        orv::ui::DocumentViewer* viewer = mainWindow->findChild<orv::ui::DocumentViewer*>();
        QVERIFY(viewer);
        QVERIFY(viewer->Text()->toPlainText().startsWith(Utf8("قوانين پرداخت")));
        viewer->close();
    }

    void normalValuesOfTheSelectedTest() {
        w_.Archive(u"14010630"_s, w_.Sample());
        mainWindow->results->setDateText(u"1401/06/30"_s);
        w_.Select(1, 5);  // FBS=95
        // Not yet downloaded: asked, fetched, shown and searched.
        QString selected;
        int fi = -1;
        WhenTestsWindowOpens([&] {
            selected = testsInfoWindow->documentText->textCursor().selectedText();
            fi = testsInfoWindow->lastMatch;
        });
        mainWindow->results->normalValuesAction->trigger();
        QCOMPARE(mainWindow->reference->searchText, u"FBS"_s);
        QCOMPARE(testsInfoWindow->remotePath, u"/Help Files/LastNormalValue.rtf"_s);
        QCOMPARE(testsInfoWindow->localPath, w_.Root() + u"LastNormalValue.rtf"_s);
        QCOMPARE(prompts_->Texts(), QStringList{Utf8(
            "این فایل هنوز برای شما داونلود نشده. آیا مایلید آخرین ویرایش این فایل را داونلود کنید؟")});
        QCOMPARE(orv::test::CommandsNaming(lab_, "RETR /Help Files/LastNormalValue.rtf"), 1);
        QCOMPARE(selected, u"FBS"_s);
        QVERIFY(fi > 0);
        QVERIFY(!testsInfoWindow->isVisible());
        QVERIFY(!QApplication::overrideCursor());

        // The prices, already kept: no question, no server.
        QFile prices(w_.Root() + u"LastPriceOfTests.txt"_s);
        QVERIFY(prices.open(QIODevice::WriteOnly));
        prices.write(FileBytes(ServerFile(u"Help Files/LastPriceOfTests.txt"_s)));
        prices.close();
        lab_.ClearLogs();
        prompts_->Clear();
        w_.Select(1, 6);  // Chol=180
        QString line;
        WhenTestsWindowOpens([&] { line = testsInfoWindow->documentText->textCursor().block().text(); });
        mainWindow->results->testPriceAction->trigger();
        QCOMPARE(mainWindow->reference->searchText, u"Chol"_s);
        QCOMPARE(line, Utf8("Chol   کلسترول   1,300,000"));
        QVERIFY(prompts_->messages.isEmpty());
        QVERIFY(lab_.FtpCommands().empty());

        // Update in the window: a standard server action.
        WhenTestsWindowOpens([&] { testsInfoWindow->updateButton->click(); });
        mainWindow->results->testPriceAction->trigger();
        QCOMPARE(orv::test::CommandsNaming(lab_, "RETR /Help Files/LastPriceOfTests.txt"), 1);
        // The search that follows the download found the test and emptied the status line.
        QCOMPARE(w_.Status(), QString());
        QCOMPARE(mainWindow->transferSize, 600000);
    }

    void aCellWithoutATest() {
        w_.Archive(u"14010630"_s, w_.Sample());
        mainWindow->results->setDateText(u"1401/06/30"_s);
        w_.Select(1, 4);  // a name
        mainWindow->results->normalValuesAction->trigger();
        QCOMPARE(prompts_->messages, QStringList{Utf8("Attention|متن جستجو خالی میباشد")});
        QVERIFY(!testsInfoWindow->isVisible());
        QCOMPARE(w_.Status(), QString());
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(mainWindow->results->normalValuesAction->isEnabled() && mainWindow->results->testPriceAction->isEnabled());
    }
};

QTEST_MAIN(MainformReferenceTest)
#include "test_main_window_reference.moc"
