// Orvanet: the referring laboratory's desktop client of the Tarvina central laboratory.
#include <QApplication>
#include <QIcon>
#include <cstdio>

#include "app/ui/AppFonts.h"
#include "app/ui/Forms.h"
#include "app/ui/SingleInstance.h"
#include "app/ui/TForm1.h"
#include "solar/widgets/SolarLook.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvanet"));
    // One copy per workspace: two would each keep their own worklist, and the last to save would win.
    orv::ui::SingleInstance instance(QString::fromStdString(TForm1::SettledPaths().root));
    if (!instance.Acquire()) {
        const bool reached = instance.NotifyRunning();
        std::fprintf(stderr, "Orvanet already runs on this workspace%s.\n",
                     reached ? "; its window was brought forward" : "");
        return 0;
    }
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("orvanet"), QIcon(QStringLiteral(":/icons/orvanet.svg"))));
    QApplication::setQuitOnLastWindowClosed(false);  // the windows end the program themselves
    orv::ui::InstallFonts();
    orv::solar::UseLocaleShortDateFormat();
    CreateForms();
    QObject::connect(&instance, &orv::ui::SingleInstance::ActivationRequested, [] { BringFormsForward(); });
    Form1->show();
    const int status = QApplication::exec();
    DestroyForms();
    return status;
}
