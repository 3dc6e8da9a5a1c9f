// Orvanet: the referring laboratory's desktop client of the Tarvina central laboratory.
#include <QApplication>
#include <QIcon>

#include "app/ui/AppFonts.h"
#include "app/ui/Forms.h"
#include "app/ui/TForm1.h"
#include "solar/widgets/SolarLook.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvanet"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("orvanet"), QIcon(QStringLiteral(":/icons/orvanet.svg"))));
    QApplication::setQuitOnLastWindowClosed(false);  // the windows end the program themselves
    orv::ui::InstallFonts();
    orv::solar::UseLocaleShortDateFormat();
    CreateForms();
    Form1->show();
    const int status = QApplication::exec();
    DestroyForms();
    return status;
}
