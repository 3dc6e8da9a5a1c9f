// The document of a single test (PDF or PowerPoint) for the grid's selected
// cell: opened from the workspace when kept there, otherwise downloaded first.
#include <QLabel>

#include "app/ui/Tmainform.h"
#include "server/ui/ReferenceDocuments.h"
#include "base/core/AtomicFile.h"
#include "base/ui/Prompts.h"
#include "results/core/TestDocuments.h"
#include "results/ui/ResultGrid.h"
#include "results/ui/ResultGridModel.h"
#include "server/core/ServerMessages.h"
#include "solar/core/TPublicUtils.h"

using namespace Qt::StringLiterals;
namespace res = orv::results;

namespace {
constexpr qint64 kDocumentSize = 45000;
const char* const kNoTestInCell = "متن جستجو خالی میباشد";
const char* const kNoSuchDocument = "این تست فاقد این شکل از جواب میباشد";
const char* const kNotReadyYet = ". جواب اين آزمايش هنوز آماده نميباشد";
}  // namespace

void Tmainform::N1Click() {
    dest.clear();
    source.clear();
    const int row = StringGrid1->Row();
    ser =
        QString::fromStdString(res::TestNameOfCell(StringGrid1Cells->CellText(row, StringGrid1->Col()).toStdString()));
    if (ser.isEmpty()) {
        orv::ui::MessageBox(this, u"Attention"_s, QString::fromUtf8(kNoTestInCell));
        return;
    }
    if (!DateFieldValid()) return;  // the file name holds the day's year and month
    const std::string key = res::DocumentKey(StringGrid1Cells->CellText(row, 1).toStdString());
    const std::string c2(res::TrimBlanks(StringGrid1Cells->CellText(row, 2).toStdString()));
    const int kind = res::DocumentKind(ser.toStdString());
    Word year = 0, month = 0, dayOfMonth = 0;
    TPublicUtils::SeparateYMD(DateText().toStdString(), dkSolar, year, month, dayOfMonth);
    const res::DocumentPlace place =
        res::DocumentFor(kind, key, c2, year, month, pooshe.toStdString(), WorkspaceRoot().toStdString());
    if (kind == res::kNoDocument || place.dest.empty()) {
        Flash(kNoSuchDocument);
        return;
    }
    source = QString::fromStdString(place.source);
    dest = QString::fromStdString(place.dest);

    Hourglass();
    ShowWait();
    if (orv::FileExists(place.dest)) {
        Label6->setText(u"Archive PDF File is opend."_s);
        ProcessMessages();
        const bool opened = reference->handToDesktop(dest);
        NormalCursor();
        if (opened)
            Label6->setText(QString());
        else
            Flash(u"No program opens "_s + dest);
        return;
    }
    orv::ServerAction a = orv::ServerAction::Download(source, dest, kDocumentSize);
    a.notReadyText = QString::fromUtf8(kNotReadyYet);
    if (RunServerAction(a) != orv::ActionResult::Done) return;
    Label6->setText(u"PDF File Download succesfully."_s);
    ProcessMessages();
    if (!reference->handToDesktop(dest)) Flash(u"No program opens "_s + dest);
}
