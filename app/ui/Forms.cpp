#include "app/ui/Forms.h"

#include <QWidget>

#include "app/ui/SignInWindow.h"
#include "app/ui/MainWindow.h"
#include "reception/ui/ReceptionLauncher.h"
#include "reception/ui/ReceptionWindow.h"
#include "server/ui/ReferenceDocuments.h"
#include "server/ui/TestsInfoWindow.h"

SignInWindow* signInWindow = nullptr;
MainWindow* mainWindow = nullptr;
orv::ui::TestsInfoWindow* testsInfoWindow = nullptr;
orv::reception::ReceptionWindow* receptionWindow = nullptr;

void CreateForms() {
    signInWindow = new SignInWindow();
    mainWindow = new MainWindow();
    testsInfoWindow = new orv::ui::TestsInfoWindow();
    mainWindow->reference->setTestsWindow(testsInfoWindow, signInWindow);
    receptionWindow = new orv::reception::ReceptionWindow();
    QObject::connect(mainWindow, &MainWindow::FirstTodayKnown, receptionWindow,
                     &orv::reception::ReceptionWindow::TodayKnown);
    receptionWindow->root = signInWindow->root;
    // The "Reception" button shows it; its "Export WorkList" runs the launcher's export.
    mainWindow->reception->SetWindow(receptionWindow);
}

void BringFormsForward() {
    for (QWidget* w : {static_cast<QWidget*>(signInWindow), static_cast<QWidget*>(mainWindow), static_cast<QWidget*>(receptionWindow)}) {
        if (!w || !w->isVisible()) continue;
        if (w->isMinimized()) w->showNormal();
        w->raise();
        w->activateWindow();
    }
}

void DestroyForms() {
    delete receptionWindow;
    delete testsInfoWindow;
    delete mainWindow;
    delete signInWindow;
    receptionWindow = nullptr;
    testsInfoWindow = nullptr;
    mainWindow = nullptr;
    signInWindow = nullptr;
}
