// month-bill IN.tsv OUT.qrp: lays out one month's itemised bill as the central
// laboratory sends it (a PDF page: heading, laboratory, month, one row per day
// with its sample count and amount, and the total). The local central
// laboratory runs it to publish its month bills. IN holds UTF-8 lines
// "title\t...", "lab\t...", "month\t...", "row\tdate\tsamples\tamount", "total\t...".
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

QString BillHtml(const QStringList& lines) {
    QString title, lab, month, total, rows;
    int n = 0;
    for (const QString& line : lines) {
        const QStringList f = line.split(u'\t');
        if (f.size() < 2) continue;
        if (f[0] == u"title") title = f[1];
        if (f[0] == u"lab") lab = f[1];
        if (f[0] == u"month") month = f[1];
        if (f[0] == u"total") total = f[1];
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
        .arg(Escape(title), Escape(lab), QChar(0x202A) + Escape(month) + QChar(0x202C), rows, Escape(total));
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: month-bill IN.tsv OUT.qrp\n");
        return 2;
    }
    QFile in(QString::fromLocal8Bit(argv[1]));
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "month-bill: cannot read %s\n", argv[1]);
        return 2;
    }
    const QStringList lines = QString::fromUtf8(in.readAll()).split(u'\n');

    QSaveFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "month-bill: cannot write %s\n", argv[2]);
        return 2;
    }
    {
        QPdfWriter pdf(&out);
        pdf.setCreator(QStringLiteral("Tarvina"));
        pdf.setTitle(QStringLiteral("Itemised bill"));
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15)));
        pdf.setResolution(150);
        QTextDocument doc;
        doc.setDefaultFont(QFont(QStringLiteral("Noto Sans Arabic"), 10));
        QTextOption option = doc.defaultTextOption();
        option.setTextDirection(Qt::RightToLeft);
        doc.setDefaultTextOption(option);
        doc.setHtml(BillHtml(lines));
        doc.print(&pdf);  // pages as many as the rows need
    }
    if (!out.commit()) {
        std::fprintf(stderr, "month-bill: cannot write %s\n", argv[2]);
        return 2;
    }
    return 0;
}
