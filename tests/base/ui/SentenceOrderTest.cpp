// Period-first Persian sentences painted with the period at their end, the
// label's text as it was set.
#include <QLabel>
#include <QtTest>

#include "base/ui/SentenceOrder.h"

using namespace Qt::StringLiterals;

class SentenceOrderTest : public QObject {
    Q_OBJECT
private slots:
    void thePeriodEndsAPersianSentence_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::newRow("period and space first") << u". سرور آزمايشگاه تاروینا جوابگو نميباشد"_s
                                                << u"سرور آزمايشگاه تاروینا جوابگو نميباشد."_s;
        QTest::newRow("period first") << u".لطفا کمی صبر کنید"_s << u"لطفا کمی صبر کنید."_s;
        QTest::newRow("detail after the sentence") << u". سرور نپذیرفت: \u2066550 Permission denied\u2069"_s
                                                   << u"سرور نپذیرفت: \u2066550 Permission denied\u2069."_s;
        QTest::newRow("no period") << u"پیغام شما با موفقیت ارسال گردید"_s << u"پیغام شما با موفقیت ارسال گردید"_s;
        QTest::newRow("latin") << u". Download failed"_s << u". Download failed"_s;
        QTest::newRow("period alone") << u"."_s << u"."_s;
    }
    void thePeriodEndsAPersianSentence() {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QCOMPARE(orv::ui::PeriodLast(text), shown);
    }

    // Only a period-first sentence is painted otherwise; the text stays as set.
    void onlyThePaintingChanges() {
        const auto paint = [](const QString& text, bool periodLast) {
            QLabel label;
            label.setLayoutDirection(Qt::RightToLeft);
            label.setTextFormat(Qt::PlainText);
            label.resize(400, 24);
            if (periodLast) orv::ui::PaintPeriodLast(&label);
            label.setText(text);
            const QImage image = label.grab().toImage();
            return std::make_pair(image, label.text());
        };
        const QString sentence = u". سرور جوابگو نميباشد"_s;
        const auto [plain, plainText] = paint(sentence, false);
        const auto [ordered, orderedText] = paint(sentence, true);
        QVERIFY(plain != ordered);
        QCOMPARE(orderedText, sentence);
        const QString other = u"پیغام شما ارسال گردید"_s;
        QCOMPARE(paint(other, true).first, paint(other, false).first);
    }
};

QTEST_MAIN(SentenceOrderTest)
#include "SentenceOrderTest.moc"
