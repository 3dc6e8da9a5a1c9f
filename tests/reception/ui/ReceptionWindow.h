#pragma once
// The reception window on a workspace of its own, with the prompts and the
// keyboard-layout switch answered by the test.
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "base/core/TextFile.h"
#include "reception/core/TestCatalogue.h"
#include "reception/ui/KeyboardLayout.h"
#include "reception/ui/ReceptionWindow.h"
#include "reception/ui/WorklistModel.h"
#include "tests/support/PromptRecorder.h"

namespace orv::test {

class ReceptionWindow {
public:
    QTemporaryDir workspace;
    PromptRecorder prompts;
    QStringList layouts;  // "focused widget:fa" or ":en" for every switch asked for
    std::unique_ptr<orv::reception::ReceptionWindow> form;

    ReceptionWindow() {
        orv::reception::SetKeyboardLayouts([this](orv::reception::KeyboardLayout l) {
            QWidget* f = QApplication::focusWidget();
            layouts << (f ? f->objectName() : QString()) + (l == orv::reception::KeyboardLayout::Persian
                                                                 ? QStringLiteral(":fa")
                                                                 : QStringLiteral(":en"));
        });
    }
    ~ReceptionWindow() { orv::reception::SetKeyboardLayouts({}); }

    QString Root() const { return workspace.path() + u'/'; }
    QString FilePath(const char* name) const { return Root() + QString::fromLatin1(name); }

    void WriteFile(const char* name, const QByteArray& bytes) const {
        QFile f(FilePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray ReadFile(const char* name) const {
        QFile f(FilePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // Creates the window on the workspace and shows it.
    void Open() {
        if (!form) {
            form = std::make_unique<orv::reception::ReceptionWindow>();
            form->root = Root();
        }
        form->show();
        QApplication::setActiveWindow(form.get());
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }

    // Keys go wherever the focus is, as a user's typing does.
    // (QTest::keyClicks passes Latin-1 only: each character goes as the text of its key.)
    static void Type(const QString& text) {
        for (const QChar c : text) {
            QWidget* f = QApplication::focusWidget();
            QVERIFY(f);
            const Qt::Key key = c.isDigit() ? Qt::Key(Qt::Key_0 + c.digitValue())
                                : c.isLetter() && c.unicode() < 128 ? Qt::Key(Qt::Key_A + (c.toUpper().unicode() - 'A'))
                                                                     : Qt::Key_unknown;
            QTest::sendKeyEvent(QTest::Press, f, key, QString(c), Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Release, f, key, QString(c), Qt::NoModifier);
        }
    }
    static void Enter() {
        QWidget* f = QApplication::focusWidget();
        QVERIFY(f);
        QTest::keyClick(f, Qt::Key_Return);
    }
    static QString Focused() {
        QWidget* f = QApplication::focusWidget();
        return f ? f->objectName() : QString();
    }

    QStringList Records() const {
        QStringList records;
        for (const std::string& r : form->worklist->Records()) records << QString::fromStdString(r);
        return records;
    }
    QString Cell(int row, int column) const {
        return form->worklist->data(form->worklist->index(row, column)).toString();
    }
    QStringList Tests() const {
        QStringList tests;
        for (int i = 0; i < form->requestedTestsList->count(); ++i) tests << form->requestedTestsList->item(i)->text();
        return tests;
    }
    int SelectedRow() const {
        const auto rows = form->patientTable->selectionModel()->selectedRows();
        return rows.isEmpty() ? -1 : rows.first().row();
    }

    // "customcode.txt" giving `code` to the built-in test `test` (each a line of the sorted list).
    static QByteArray CodesFor(const std::vector<std::pair<std::string, std::string>>& codes) {
        const orv::reception::TestCatalogue catalogue = orv::reception::TestCatalogue::BuiltIn();
        std::vector<std::string> lines(static_cast<size_t>(catalogue.size()));
        for (const auto& [test, code] : codes) lines[static_cast<size_t>(catalogue.IndexOf(test))] = code;
        QByteArray bytes;
        for (const std::string& l : lines) bytes += QByteArray::fromStdString(l) + "\r\n";
        return bytes;
    }
};

inline QByteArray Cp1256(const QString& text) { return QByteArray::fromStdString(orv::Utf8ToCp1256(text.toStdString())); }

}  // namespace orv::test
