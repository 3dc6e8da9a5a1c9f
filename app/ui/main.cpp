// Orvanet: the referring laboratory's desktop client of the Tarvina central laboratory.
#include <QApplication>
#include <QLocale>

#include "app/ui/AppFonts.h"
#include "app/ui/Forms.h"
#include "app/ui/TForm1.h"
#include "solar/core/ShortDateFormat.h"
#include "solar/core/TPublicUtils.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvanet"));
    QApplication::setQuitOnLastWindowClosed(false);  // the windows end the program themselves
    orv::ui::InstallFonts();
    TPublicUtils::SetShortDateFormat(orv::WithFourDigitYear(QLocale().dateFormat(QLocale::ShortFormat).toStdString()));
    CreateForms();
    Form1->show();
    const int status = QApplication::exec();
    DestroyForms();
    return status;
}
