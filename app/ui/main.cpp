// Orvanet: the referring laboratory's desktop client of the Tarvina central laboratory.
#include <QApplication>
#include <QIcon>
#include <sys/stat.h>
#include <cstdio>
#include <string>
#include <vector>

#include "app/core/CommandLine.h"
#include "app/ui/AppFonts.h"
#include "app/ui/Forms.h"
#include "app/ui/SingleInstance.h"
#include "app/ui/SignInWindow.h"
#include "app/ui/MainWindow.h"
#include "base/ui/DesktopNotice.h"
#include "base/ui/Prompts.h"
#include "server/core/PasswordStore.h"
#include "solar/widgets/SolarLook.h"

namespace {
const char* const kAlreadyRuns = "برنامه روی این پوشه کار باز است؛ پنجره آن همین است - Orvanet already runs on this workspace";
const char* const kRunsNotAnswering =
    "برنامه روی این پوشه کار باز است ولی پاسخ نمی‌دهد؛ آن را ببندید و دوباره باز کنید - "
    "Orvanet already runs on this workspace and does not answer: close it and start it again.";
}  // namespace

int main(int argc, char** argv) {
    // Answered before the window system is asked for: --help works on a server without a display.
    const orv::CommandLine line = orv::ParseProgramArguments(std::vector<std::string>(argv + 1, argv + argc));
    switch (line.action) {
        case orv::CommandLineAction::Help:
            std::fputs(orv::ProgramHelp().c_str(), stdout);
            return 0;
        case orv::CommandLineAction::Version:
            std::fputs(orv::VersionText("orvanet").c_str(), stdout);
            return 0;
        case orv::CommandLineAction::Wrong:
            std::fprintf(stderr, "orvanet: unknown argument '%s'\n%s", line.wrong.c_str(), orv::ProgramUsage().c_str());
            return 2;
        case orv::CommandLineAction::Run:
            break;
    }
    // Whatever else the program or Qt writes (printed PDFs, the lock, its own settings) is the user's alone.
    ::umask(077);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvanet"));
    // One copy per workspace: two would each keep their own worklist, and the last to save would win.
    orv::ui::SingleInstance instance(QString::fromStdString(SignInWindow::SettledPaths().root));
    switch (instance.Claim()) {
        case orv::ui::SingleInstance::Start::Run:
            break;
        case orv::ui::SingleInstance::Start::BroughtForward:
            // The running copy says so on the desktop as it comes forward.
            std::fprintf(stderr, "Orvanet already runs on this workspace; its window was brought forward.\n");
            return 0;
        case orv::ui::SingleInstance::Start::Unanswered:
            std::fprintf(stderr, "Orvanet already runs on this workspace and does not answer.\n");
            orv::ui::MessageBox(nullptr, QStringLiteral("Orvanet"), QString::fromUtf8(kRunsNotAnswering));
            return 0;
    }
    // The FTP password: moved from orvanet.ini into the desktop's secret store when one runs.
    orv::KeychainPasswordStore passwordStore;
    const orv::StartSettings start = orv::LoadSettingsAtStart(SignInWindow::SettledPaths().root, passwordStore);
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("orvanet"), QIcon(QStringLiteral(":/icons/orvanet.svg"))));
    QApplication::setQuitOnLastWindowClosed(false);  // the windows end the program themselves
    orv::ui::InstallFonts();
    orv::solar::UseLocaleShortDateFormat();
    CreateForms();
    mainWindow->UsePasswordStore(&passwordStore, start);
    QObject::connect(&instance, &orv::ui::SingleInstance::ActivationRequested, [] {
        BringFormsForward();
        orv::ui::DesktopNotice::Show(mainWindow->isVisible() ? static_cast<QWidget*>(mainWindow) : signInWindow,
                                     QStringLiteral("Orvanet"), QString::fromUtf8(kAlreadyRuns));
    });
    signInWindow->show();
    const int status = QApplication::exec();
    DestroyForms();
    return status;
}
