// Everyday use of the main window: it opens at 823 x 514 and may be resized and
// maximised, the controls keeping to the edges they belong to; Tab walks from
// the date field through the buttons to the grid and out again.
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QResizeEvent>
#include <QTimer>
#include <QToolButton>

#include "base/ui/Anchors.h"
#include "app/ui/Banner.h"
#include "accounting/ui/AccountingPanel.h"
#include "app/ui/MainWindow.h"
#include "server/ui/ReferenceDocuments.h"
#include "reception/ui/ReceptionLauncher.h"
#include "results/ui/ResultGrid.h"
#include "results/ui/ResultsView.h"

using namespace Qt::StringLiterals;
using orv::ui::Anchors;

namespace {
constexpr QSize kDesignSize(823, 514);
}  // namespace

void MainWindow::BuildEveryday() {
    setMinimumSize(kDesignSize);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    resize(kDesignSize);

    if (!anchors) anchors = new Anchors(kDesignSize);  // the parts may have anchored theirs
    AnchorControls();
    SetTabOrder();
}

// Which edges each control keeps to. The grid (and what lies over it) grows
// both ways; the right column of buttons, the stamp and the indicators keep to
// the top right; the status line stretches along the bottom.
void MainWindow::AnchorControls() {
    constexpr int L = Anchors::kLeft, T = Anchors::kTop, R = Anchors::kRight, B = Anchors::kBottom;
    anchors->Add(banner, L | T | R);
    for (QWidget* w : std::initializer_list<QWidget*>{programStatusCaption, refreshButton, serverSettingsButton,
                                                      networkIndicator, serverIndicator, securityIndicator, upToDateIndicator, networkCaption, serverCaption, securityCaption, upToDateCaption})
        anchors->Add(w, T | R);
    for (QWidget* w : std::initializer_list<QWidget*>{statusCaption, debtGaugeIcon})
        anchors->Add(w, L | B);
    anchors->Add(statusLine, L | R | B);
    anchors->Add(transferGauge, L | R | B);
}

void MainWindow::SetTabOrder() {
    const QList<QWidget*> chain{results->dayPicker,     results->nextDayButton, results->searchField,
                                results->allDaysButton, results->findNextButton, results->receiveButton,
                                reference->downloadFilesButton, results->saveAsButton,  results->printButton,
                                accounting->accountingButton, reception->receptionButton, refreshButton,
                                serverSettingsButton,   results->resultGrid,    results->previousDayButton};
    for (QWidget* w : chain)
        w->setFocusPolicy(w == results->resultGrid || w == results->searchField || w == results->dayPicker
                              ? Qt::StrongFocus
                              : Qt::TabFocus);
    for (qsizetype i = 0; i + 1 < chain.size(); ++i) setTabOrder(chain[i], chain[i + 1]);
}

// A part's control may join before the rest of the window is anchored.
void MainWindow::Anchor(QWidget* control, int sides) {
    if (!anchors) anchors = new Anchors(kDesignSize);
    anchors->Add(control, sides);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!anchors) return;
    anchors->Apply(event->size());
    if (banner->width() != banner->pixmap().width()) banner->setPixmap(orv::ui::BannerPicture(banner->size()));
}
