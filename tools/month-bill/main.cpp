// month-bill IN.tsv OUT.qrp [IN.tsv OUT.pdf ...]: lays out the central
// laboratory's PDFs, each IN into its OUT. The local central laboratory runs it
// to publish its month bills and its single tests' documents.
//
// A month's itemised bill (a PDF page: heading, laboratory, month, one row per
// day with its sample count and amount, and the total) from UTF-8 lines
// "title\t...", "lab\t...", "month\t...", "row\tdate\tsamples\tamount", "total\t...".
// A test's document (heading, patient, reference code, lines of the report)
// from "title\t...", "lab\t...", "patient\t...", "code\t...", "line\t..." lines.
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>
#include <QTextOption>
#include <cstdio>

namespace {

QString Escape(const QString& s) { return s.toHtmlEscaped(); }

// The input's lines as fields ("key\tvalue\t..."), lines of one field left out.
QList<QStringList> Fields(const QStringList& lines) {
    QList<QStringList> fields;
    for (const QString& line : lines)
        if (QStringList f = line.split(u'\t'); f.size() >= 2) fields << f;
    return fields;
}

// The value of the last line named `key`, escaped for the page.
QString Value(const QList<QStringList>& fields, QStringView key) {
    QString value;
    for (const QStringList& f : fields)
        if (f[0] == key) value = f[1];
    return Escape(value);
}

// Text kept left to right inside a Persian line.
QString LeftToRight(const QString& s) { return QChar(0x202A) + s + QChar(0x202C); }

QString BillHtml(const QList<QStringList>& fields) {
    QString rows;
    int n = 0;
    for (const QStringList& f : fields) {
        if (f[0] == u"row" && f.size() >= 4) {
            // Columns are written left to right: the amount first, the row number last (rightmost).
            rows += QStringLiteral("<tr><td align=left>%1</td><td align=center>%2</td><td align=center>%3</td>"
                                   "<td align=center>%4</td></tr>")
                        .arg(Escape(f[3]), Escape(f[2]), Escape(f[1]))
                        .arg(++n);
        }
    }
    return QStringLiteral(
               "<html><body dir=rtl style='font-family:\"Noto Sans Arabic\"'>"
               "<h2 align=center>%1</h2><p align=right>آزمایشگاه: %2<br>دوره: %3</p>"
               "<table width=98% align=center border=1 cellspacing=0 cellpadding=4>"
               "<tr><th>مبلغ (ریال)</th><th>تعداد نمونه</th><th>تاریخ</th><th>ردیف</th></tr>%4"
               "<tr><td align=left><b>%5</b></td><td colspan=3 align=center><b>جمع کل</b></td></tr>"
               "</table><p align=center>آزمایشگاه مرجع تاروینا</p></body></html>")
        // The period "1401-05" is kept left to right inside the Persian line.
        .arg(Value(fields, u"title"), Value(fields, u"lab"), LeftToRight(Value(fields, u"month")), rows,
             Value(fields, u"total"));
}

// A single test's report: the test, the patient, then its lines.
QString DocumentHtml(const QList<QStringList>& fields) {
    QString body;
    for (const QStringList& f : fields)
        if (f[0] == u"line") body += QStringLiteral("<p align=right>%1</p>").arg(Escape(f[1]));
    return QStringLiteral(
               "<html><body dir=rtl style='font-family:\"Noto Sans Arabic\"'>"
               "<h2 align=center>%1</h2><p align=right>آزمایشگاه: %2<br>بیمار: %3<br>کد مرجع: %4</p>%5"
               "<p align=center>آزمایشگاه مرجع تاروینا</p></body></html>")
        // The test's name and the code are kept left to right inside the Persian lines.
        .arg(LeftToRight(Value(fields, u"title")), Value(fields, u"lab"), Value(fields, u"patient"),
             LeftToRight(Value(fields, u"code")), body);
}

bool IsDocument(const QList<QStringList>& fields) {
    for (const QStringList& f : fields)
        if (f[0] == u"patient") return true;
    return false;
}

bool Lay(const char* inPath, const char* outPath) {
    QFile in(QString::fromLocal8Bit(inPath));
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "month-bill: cannot read %s\n", inPath);
        return false;
    }
    const QList<QStringList> fields = Fields(QString::fromUtf8(in.readAll()).split(u'\n'));
    const bool document = IsDocument(fields);

    QSaveFile out(QString::fromLocal8Bit(outPath));
    if (!out.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "month-bill: cannot write %s\n", outPath);
        return false;
    }
    {
        QPdfWriter pdf(&out);
        pdf.setCreator(QStringLiteral("Tarvina"));
        pdf.setTitle(document ? QStringLiteral("Test report") : QStringLiteral("Itemised bill"));
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15)));
        pdf.setResolution(150);
        QTextDocument doc;
        doc.setDefaultFont(QFont(QStringLiteral("Noto Sans Arabic"), 10));
        QTextOption option = doc.defaultTextOption();
        option.setTextDirection(Qt::RightToLeft);
        doc.setDefaultTextOption(option);
        doc.setHtml(document ? DocumentHtml(fields) : BillHtml(fields));
        doc.print(&pdf);  // pages as many as the rows need
    }
    if (!out.commit()) {
        std::fprintf(stderr, "month-bill: cannot write %s\n", outPath);
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QGuiApplication app(argc, argv);
    if (argc < 3 || argc % 2 != 1) {
        std::fprintf(stderr, "usage: month-bill IN.tsv OUT.qrp [IN.tsv OUT.pdf ...]\n");
        return 2;
    }
    for (int i = 1; i + 1 < argc; i += 2)
        if (!Lay(argv[i], argv[i + 1])) return 2;
    return 0;
}
