#include "app/ui/Forms.h"

#include <QToolButton>
#include <QWidget>

#include "app/ui/TForm1.h"
#include "app/ui/Tmainform.h"
#include "reception/ui/TForm4.h"
#include "server/ui/ReferenceDocuments.h"
#include "server/ui/TestsInfoWindow.h"

TForm1* Form1 = nullptr;
Tmainform* mainform = nullptr;
orv::ui::TestsInfoWindow* testsInfoWindow = nullptr;
TForm4* Form4 = nullptr;

void CreateForms() {
    Form1 = new TForm1();
    mainform = new Tmainform();
    testsInfoWindow = new orv::ui::TestsInfoWindow();
    mainform->reference->setTestsWindow(testsInfoWindow, Form1);
    Form4 = new TForm4();
    QObject::connect(mainform, &Tmainform::FirstTodayKnown, Form4, &TForm4::TodayKnown);
    Form4->root = Form1->root;
    QObject::connect(Form4, &TForm4::ExportWorkList, mainform->SpeedButton21, &QToolButton::click);
}

void BringFormsForward() {
    for (QWidget* w : {static_cast<QWidget*>(Form1), static_cast<QWidget*>(mainform), static_cast<QWidget*>(Form4)}) {
        if (!w || !w->isVisible()) continue;
        if (w->isMinimized()) w->showNormal();
        w->raise();
        w->activateWindow();
    }
}

void DestroyForms() {
    delete Form4;
    delete testsInfoWindow;
    delete mainform;
    delete Form1;
    Form4 = nullptr;
    testsInfoWindow = nullptr;
    mainform = nullptr;
    Form1 = nullptr;
}
