// The day's report printed through the preview, or saved as a text file.
#include <QApplication>

#include "app/ui/Tmainform.h"
#include "base/ui/Prompts.h"
#include "results/core/ReportBody.h"
#include "results/ui/ReportPreview.h"
#include "results/ui/ResultGridModel.h"
#include "results/ui/ResultReport.h"
#include "results/ui/SaveFolder.h"
#include "results/ui/SignaturePicture.h"

using namespace Qt::StringLiterals;
namespace res = orv::results;

void Tmainform::SpeedButton11Click() {
    if (RichEdit1.size() < 2) {
        Flash(u"متن خاصی برای پرینت موجود نمیباشد"_s);
        NormalCursor();
        return;
    }
    res::ReportContent content;
    content.laboratory = res::ResultReport::CentralLaboratory();
    content.dateLabel = rowday;  // QRLabel3
    content.signature = res::LoadSignature(WorkspaceRoot());
    for (const std::string& line : res::BuildReportBody(StringGrid1Cells->Table()))
        content.body << QString::fromStdString(line);
    ProcessMessages();
    res::ReportPreview::Show(res::ResultReport(std::move(content)), this);
}

void Tmainform::SpeedButton6Click() {
    if (RichEdit1.size() < 2) {
        Flash(u"متن خاصی برای ذخیره موجود نمیباشد"_s);
        NormalCursor();
        return;
    }
    // The report as it is now: a refresh while the dialog is open may load another day.
    const std::vector<std::string> report = RichEdit1;
    const orv::TextEncoding encoding = RichEdit1Encoding;
    const QString path = res::SaveFolder::Ask(this, u"Text files"_s, u"txt"_s, day);
    if (path.isEmpty()) return;
    const orv::FileResult written = orv::WriteTextFile(path.toStdString(), report, encoding);
    if (!written)
        orv::ui::MessageBox(this, u"Save As..."_s, QString::fromStdString(written.error), QMessageBox::Ok,
                            QMessageBox::Critical);
}
