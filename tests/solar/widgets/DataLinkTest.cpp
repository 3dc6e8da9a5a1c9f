#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlTableModel>
#include <QTest>
#include <QVBoxLayout>

#include "solar/widgets/TDataSource.h"
#include "solar/widgets/TSolarDatePicker.h"
#include "solar/widgets/TSolarMonthCalendar.h"

using namespace orv::solar;

class DataLinkTest : public QObject {
    Q_OBJECT

    QSqlDatabase db;
    QSqlTableModel* model = nullptr;
    TDataSource* source = nullptr;

    QVariant Stored(int id, const QString& column) {
        QSqlQuery q(db);
        q.exec(QStringLiteral("SELECT %1 FROM visits WHERE id = %2").arg(column).arg(id));
        return q.next() ? q.value(0) : QVariant();
    }

private slots:
    void init() {
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("link"));
        db.setDatabaseName(QStringLiteral(":memory:"));
        QVERIFY(db.open());
        QSqlQuery q(db);
        QVERIFY(q.exec(QStringLiteral("CREATE TABLE visits (id INTEGER PRIMARY KEY, solar TEXT, born DATE, note TEXT)")));
        QVERIFY(q.exec(QStringLiteral("INSERT INTO visits VALUES (1, '1401/06/30', '2022-09-21', 'a')")));
        QVERIFY(q.exec(QStringLiteral("INSERT INTO visits VALUES (2, '1399/12/30', '2021-03-20', NULL)")));
        QVERIFY(q.exec(QStringLiteral("INSERT INTO visits VALUES (3, '', NULL, NULL)")));
        model = new QSqlTableModel(nullptr, db);
        model->setTable(QStringLiteral("visits"));
        model->setEditStrategy(QSqlTableModel::OnManualSubmit);
        model->setSort(0, Qt::AscendingOrder);
        QVERIFY(model->select());
        source = new TDataSource(model);
    }

    void cleanup() {
        delete source;
        delete model;
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("link"));
    }

    void pickerShowsTheFieldOfTheCurrentRecord() {
        TSolarDatePicker p;
        p.SetDataSource(source);
        p.SetDataField(QStringLiteral("solar"));
        QCOMPARE(p.text(), QStringLiteral("1401/06/30"));
        source->SetCurrentRow(1);
        QCOMPARE(p.text(), QStringLiteral("1399/12/30"));
        source->SetCurrentRow(2);
        QCOMPARE(p.text(), QString());
        // A date column is shown as its solar date.
        p.SetDataField(QStringLiteral("born"));
        source->SetCurrentRow(0);
        QVERIFY(source->IsDateField(QStringLiteral("born")));
        QCOMPARE(p.text(), QStringLiteral("1401/06/30"));
        // A Gregorian picker shows a text field only with the Gregorian field type.
        p.SetDateKind(dkGregorian);
        p.SetDataField(QStringLiteral("solar"));
        QCOMPARE(p.text(), QString());
        p.SetDataFieldType(dftGregorian);
        p.SetDataField(QStringLiteral("born"));
        QCOMPARE(p.text(), QStringLiteral("2022/09/21"));
        // A missing field, a blank field name and no source clear the text.
        p.SetDataField(QStringLiteral("nothere"));
        QCOMPARE(p.text(), QString());
        p.SetDataField(QStringLiteral("born"));
        p.SetDataSource(nullptr);
        QCOMPARE(p.text(), QString());
        QCOMPARE(p.DataField(), QString());
    }

    void pickerWritesOnFocusExit() {
        QWidget form;
        auto* layout = new QVBoxLayout(&form);
        auto* p = new TSolarDatePicker(&form);
        auto* other = new QLineEdit(&form);
        layout->addWidget(p);
        layout->addWidget(other);
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        p->SetDataSource(source);
        p->SetDataField(QStringLiteral("solar"));
        p->setFocus();
        p->setText(QStringLiteral("1401/07/01"));
        other->setFocus(Qt::TabFocusReason);
        QCOMPARE(source->State(), TDataSource::dsBrowse);  // not without DataFieldAutoSaveModified
        p->SetDataFieldAutoSaveModified(true);
        p->setFocus();
        p->setText(QStringLiteral("1401/07/01"));
        other->setFocus(Qt::TabFocusReason);
        QCOMPARE(source->State(), TDataSource::dsEdit);
        QCOMPARE(p->text(), QStringLiteral("1401/07/01"));  // the write did not reload the text
        QVERIFY(source->Post());
        QCOMPARE(Stored(1, QStringLiteral("solar")).toString(), QStringLiteral("1401/07/01"));
        // A date column takes the Gregorian day.
        p->SetDataField(QStringLiteral("born"));
        p->setFocus();
        p->setText(QStringLiteral("1399/12/30"));
        other->setFocus(Qt::TabFocusReason);
        QVERIFY(source->Post());
        QCOMPARE(Stored(1, QStringLiteral("born")).toString(), QStringLiteral("2021-03-20"));
    }

    void calendarFollowsTheRecord() {
        TSolarMonthCalendar c;
        c.SetDataSource(source);
        c.SetDataField(QStringLiteral("solar"));
        QCOMPARE(c.OutDate, QStringLiteral("1401/06/30"));
        source->SetCurrentRow(1);
        QCOMPARE(c.OutDate, QStringLiteral("1399/12/30"));
        // An empty field changes nothing.
        source->SetCurrentRow(2);
        QCOMPARE(c.OutDate, QStringLiteral("1399/12/30"));
        c.SetDataField(QStringLiteral("born"));
        source->SetCurrentRow(0);
        QCOMPARE(c.OutDate, QStringLiteral("1401/06/30"));
        // A Gregorian calendar with a text field needs the Gregorian field type.
        c.SetDateKind(dkGregorian);
        c.SetDataField(QStringLiteral("solar"));
        QCOMPARE(c.OutDate, QStringLiteral("2022/09/21"));
        c.SetDataSource(nullptr);
        QCOMPARE(c.DataField(), QString());
    }
};

QTEST_MAIN(DataLinkTest)
#include "DataLinkTest.moc"
