#pragma once
// A month's itemised bill as the central laboratory saves it (".qrp": a PDF
// page per part of the month), loaded for the report preview: drawn page by
// page on a printer, and its own bytes for "Save as PDF".
#include <QByteArray>
#include <QString>
#include <memory>

class QPdfDocument;
class QPrinter;

namespace orv::accounting {

class MonthBill {
public:
    MonthBill();
    ~MonthBill();

    // False when the file is missing, empty or not a saved bill, and always in a
    // build without a PDF reader (Windows: no Qt PDF), where Bytes() still holds it.
    bool Load(const QString& path);
    // Whether the bytes loaded are a PDF (for the desktop's PDF program).
    bool IsPdf() const;
    int PageCount() const;
    void Render(QPrinter& printer) const;
    const QByteArray& Bytes() const { return bytes_; }

private:
    QByteArray bytes_;
    std::unique_ptr<QPdfDocument> document_;
};

}  // namespace orv::accounting
