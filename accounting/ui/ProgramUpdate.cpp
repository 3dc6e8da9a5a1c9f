#include "accounting/ui/ProgramUpdate.h"

#include <QDir>
#include <QLabel>
#include <QToolButton>

#include "accounting/core/Account.h"
#include "accounting/core/AccountFiles.h"
#include "accounting/core/BillNumbers.h"
#include "base/core/Trim.h"
#include "base/ui/Controls.h"
#include "base/ui/DoubleClick.h"
#include "server/ui/WindowFrame.h"

using namespace Qt::StringLiterals;

namespace orv::accounting {

namespace {
constexpr const char* kDesktopFailed = "مشکلی برای ذخیره برنامه بر روی دسکتاپ وجود دارد";
constexpr const char* kNotPublished = ". نسخه جدید برنامه هنوز بر روی سرور تاروینا قرار نگرفته است";
}  // namespace

ProgramUpdate::ProgramUpdate(orv::ui::WindowFrame& frame, QObject* parent) : QObject(parent), frame_(frame) {
    using orv::ui::WindowFrame;
    QWidget* canvas = frame_.Canvas();
    versionCaption = orv::ui::Caption(canvas, "Label3", "Orvanet Ver ...", QRect(690, 482, 88, 18));
    versionLabel = orv::ui::Caption(canvas, "Label19", "22.00", QRect(778, 482, 40, 18));
    updateButton = orv::ui::Button(canvas, "SpeedButton9", "update", QRect(0, 0, 10, 10));
    updateButton->hide();
    frame_.Anchor(versionCaption, WindowFrame::kRight | WindowFrame::kBottom);
    frame_.Anchor(versionLabel, WindowFrame::kRight | WindowFrame::kBottom);
    connect(updateButton, &QToolButton::clicked, this, &ProgramUpdate::downloadUpdate);
    orv::ui::OnDoubleClick(frame_.IndicatorWidget(orv::ui::Indicator::UpToDate),
                           [this] { onIndicatorDoubleClicked(); });
}

void ProgramUpdate::checkVersion(const Account& account) {
    const std::optional<double> local = ParseDecimal(versionLabel->text().toStdString(), NumberFormat{});
    if (local && account.versionNumber > *local) {
        frame_.SetIndicator(orv::ui::Indicator::UpToDate, orv::ui::IndicatorState::Failure);
        programCurrent = false;  // a version published during the run is offered again
    } else {
        frame_.SetIndicator(orv::ui::Indicator::UpToDate, orv::ui::IndicatorState::Success);
        programCurrent = true;
    }
}

void ProgramUpdate::onIndicatorDoubleClicked() {
    if (programCurrent) {
        frame_.Flash(". برنامه به روز است و نیازی به آپدیت نمیباشد");
        return;
    }
    if (frame_.State().networkOk) downloadUpdate();
}

// The published program, saved whole on the Desktop as "OrvanetVer <version>.exe".
void ProgramUpdate::downloadUpdate() {
    const QStringList bill = billLines ? billLines() : QStringList();
    const std::string published = bill.size() >= 2 ? std::string(orv::Trim(bill[1].toStdString())) : std::string();
    const std::optional<std::string> name = UpdateFileName(published);
    if (!name) {
        frame_.Flash(". نسخه منتشر شده نام فایل معتبری نمی سازد: " + published);
        return;
    }
    // The Desktop folder is made when the desktop has none yet; one that cannot be
    // made fails the download with the Desktop's message.
    const QString desk = frame_.DesktopFolder();
    QDir().mkpath(desk);
    orv::ServerAction a = orv::ServerAction::Download(QString::fromLatin1(kProgramPath),
                                                      desk + u'/' + QString::fromStdString(*name), 5000000);
    // The Desktop's message only when the Desktop took no file; a program the
    // server does not have, or a download cut short, says so.
    a.localFailureText = QString::fromUtf8(kDesktopFailed);
    a.notReadyText = QString::fromUtf8(kNotPublished);
    a.successText = u"New version of Application Download succesfully."_s;
    if (frame_.RunServerAction(a) != orv::ActionResult::Done) return;
    frame_.ProcessMessages();
    frame_.ProcessMessages();
    frame_.FillTransferGauge();
#ifdef Q_OS_WIN
    frame_.Flash(". نسخه جديد نرم افزار با موفقيت در دسکتاپ شما نصب گردید");
#else
    // The server's program is for Windows: here it is only downloaded, never installed.
    frame_.Flash(". نسخه جديد نرم افزار در دسکتاپ شما دانلود شد: " + *name);
#endif
}

}  // namespace orv::accounting
