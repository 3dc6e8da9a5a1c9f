// The program update: the version check of the account refresh, the update
// indicator's double click and the download of the published program to the Desktop.
#include <QDir>
#include <QLabel>
#include <QProgressBar>

#include "accounting/core/AccountFiles.h"
#include "accounting/core/BillNumbers.h"
#include "app/ui/Forms.h"
#include "app/ui/TForm1.h"
#include "app/ui/Tmainform.h"
#include "base/core/Trim.h"
#include "server/core/ServerMessages.h"

using namespace Qt::StringLiterals;
namespace acc = orv::accounting;

namespace {
constexpr const char* kDesktopFailed = "مشکلی برای ذخیره برنامه بر روی دسکتاپ وجود دارد";
constexpr const char* kNotPublished = ". نسخه جدید برنامه هنوز بر روی سرور تاروینا قرار نگرفته است";
}  // namespace

void Tmainform::VersionCheck(const acc::Account& account) {
    const std::optional<double> local = acc::ParseDecimal(Label19->text().toStdString(), acc::NumberFormat{});
    if (local && account.versionNumber > *local) {
        SetPicture(Image6, Image5);
        ver = false;  // a version published during the run is offered again
    } else {
        SetPicture(Image6, Image2);
        ver = true;
    }
}

void Tmainform::Image6DblClick() {
    if (ver) {
        Flash(". برنامه به روز است و نیازی به آپدیت نمیباشد");
        return;
    }
    if (netok) SpeedButton9Click();
}

// The published program, saved whole on the Desktop as "OrvanetVer <version>.exe".
void Tmainform::SpeedButton9Click() {
    const std::vector<std::string> bill = BillLines();
    const std::string published = bill.size() >= 2 ? std::string(orv::Trim(bill[1])) : std::string();
    const std::optional<std::string> name = acc::UpdateFileName(published);
    if (!name) {
        Flash(". نسخه منتشر شده نام فایل معتبری نمی سازد: " + published);
        return;
    }
    // The Desktop folder is made when the desktop has none yet; one that cannot be
    // made fails the download with the Desktop's message.
    QDir().mkpath(Form1->desk);
    orv::ServerAction a = orv::ServerAction::Download(QString::fromLatin1(acc::kProgramPath),
                                                      Form1->desk + u'/' + QString::fromStdString(*name), 5000000);
    // The Desktop's message only when the Desktop took no file; a program the
    // server does not have, or a download cut short, says so.
    a.localFailureText = QString::fromUtf8(kDesktopFailed);
    a.notReadyText = QString::fromUtf8(kNotPublished);
    a.successText = u"New version of Application Download succesfully."_s;
    if (RunServerAction(a) != orv::ActionResult::Done) return;
    ProcessMessages();
    ProcessMessages();
    ProgressBar1->setValue(ProgressBar1->maximum());
#ifdef Q_OS_WIN
    Flash(". نسخه جديد نرم افزار با موفقيت در دسکتاپ شما نصب گردید");
#else
    // The server's program is for Windows: here it is only downloaded, never installed.
    Flash(". نسخه جديد نرم افزار در دسکتاپ شما دانلود شد: " + *name);
#endif
}
