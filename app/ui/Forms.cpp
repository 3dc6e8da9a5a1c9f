#include "app/ui/Forms.h"

#include <QWidget>

#include "app/ui/TForm1.h"
#include "app/ui/Tmainform.h"
#include "reception/ui/ReceptionLauncher.h"
#include "reception/ui/ReceptionWindow.h"
#include "server/ui/ReferenceDocuments.h"
#include "server/ui/TestsInfoWindow.h"

TForm1* Form1 = nullptr;
Tmainform* mainform = nullptr;
orv::ui::TestsInfoWindow* testsInfoWindow = nullptr;
orv::reception::ReceptionWindow* receptionWindow = nullptr;

void CreateForms() {
    Form1 = new TForm1();
    mainform = new Tmainform();
    testsInfoWindow = new orv::ui::TestsInfoWindow();
    mainform->reference->setTestsWindow(testsInfoWindow, Form1);
    receptionWindow = new orv::reception::ReceptionWindow();
    QObject::connect(mainform, &Tmainform::FirstTodayKnown, receptionWindow,
                     &orv::reception::ReceptionWindow::TodayKnown);
    receptionWindow->root = Form1->root;
    // The "Reception" button shows it; its "Export WorkList" runs the launcher's export.
    mainform->reception->SetWindow(receptionWindow);
}

void BringFormsForward() {
    for (QWidget* w : {static_cast<QWidget*>(Form1), static_cast<QWidget*>(mainform), static_cast<QWidget*>(receptionWindow)}) {
        if (!w || !w->isVisible()) continue;
        if (w->isMinimized()) w->showNormal();
        w->raise();
        w->activateWindow();
    }
}

void DestroyForms() {
    delete receptionWindow;
    delete testsInfoWindow;
    delete mainform;
    delete Form1;
    receptionWindow = nullptr;
    testsInfoWindow = nullptr;
    mainform = nullptr;
    Form1 = nullptr;
}
