#pragma once
// Reading back what a window drew or a report printed: a shot of the virtual
// display, and the text of a PDF.
#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QtTest>
#include <cstdlib>

namespace orv::test {

// Under a real display only: ORV_SHOT_DIR=dir xvfb-run ... <test> writes dir/<name>.png.
inline void Shot(const char* name) {
    const QByteArray dir = qgetenv("ORV_SHOT_DIR");
    if (dir.isEmpty()) return;
    QTest::qWait(300);
    const QByteArray command = "import -window root '" + dir + "/" + name + ".png'";
    QVERIFY(std::system(command.constData()) == 0);
}

// pdftotext hands Persian back in presentation forms between direction marks:
// compare after folding both.
inline QString Folded(QString text) {
    text = text.normalized(QString::NormalizationForm_KC);
    static const QRegularExpression marks(QStringLiteral("[\\x{200E}\\x{200F}\\x{202A}-\\x{202E}\\x{2066}-\\x{2069}]"));
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    return text.remove(marks).replace(blanks, QStringLiteral(" ")).trimmed();
}

// The text of the PDF (of its page `page`, counted from 1; 0 for all), laid out as on the page.
inline QString PdfText(const QByteArray& pdf, const QString& dir, int page = 0) {
    const QString path = dir + QStringLiteral("/report.pdf");
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(pdf);
    file.close();
    QStringList args;
    if (page) args << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l") << QString::number(page);
    args << QStringLiteral("-layout") << path << QStringLiteral("-");
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"), args);
    tool.waitForFinished(30000);
    return QString::fromUtf8(tool.readAllStandardOutput());
}

}  // namespace orv::test
