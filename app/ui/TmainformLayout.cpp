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
#include "app/ui/Tmainform.h"
#include "server/ui/ReferenceDocuments.h"
#include "reception/ui/ReceptionLauncher.h"
#include "results/ui/ResultGrid.h"
#include "results/ui/ResultsView.h"

using namespace Qt::StringLiterals;
using orv::ui::Anchors;

namespace {
constexpr QSize kDesignSize(823, 514);
}  // namespace

void Tmainform::BuildEveryday() {
    setMinimumSize(kDesignSize);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    resize(kDesignSize);

    if (!Anchoring) Anchoring = new Anchors(kDesignSize);  // the parts may have anchored theirs
    AnchorControls();
    SetTabOrder();
}

// Which edges each control keeps to. The grid (and what lies over it) grows
// both ways; the right column of buttons, the stamp and the indicators keep to
// the top right; the status line stretches along the bottom.
void Tmainform::AnchorControls() {
    constexpr int L = Anchors::kLeft, T = Anchors::kTop, R = Anchors::kRight, B = Anchors::kBottom;
    Anchoring->Add(Image1, L | T | R);
    for (QWidget* w : std::initializer_list<QWidget*>{Label7, SpeedButton18, serverSettingsButton,
                                                      Image4, Image8, Image7, Image6, Label14, Label15, Label17, Label18})
        Anchoring->Add(w, T | R);
    for (QWidget* w : std::initializer_list<QWidget*>{Label2, Image10})
        Anchoring->Add(w, L | B);
    Anchoring->Add(Label6, L | R | B);
    Anchoring->Add(ProgressBar1, L | R | B);
}

void Tmainform::SetTabOrder() {
    const QList<QWidget*> chain{results->dayPicker,     results->nextDayButton, results->searchField,
                                results->allDaysButton, results->findNextButton, results->receiveButton,
                                reference->downloadFilesButton, results->saveAsButton,  results->printButton,
                                accounting->accountingButton, reception->receptionButton, SpeedButton18,
                                serverSettingsButton,   results->resultGrid,    results->previousDayButton};
    for (QWidget* w : chain)
        w->setFocusPolicy(w == results->resultGrid || w == results->searchField || w == results->dayPicker
                              ? Qt::StrongFocus
                              : Qt::TabFocus);
    for (qsizetype i = 0; i + 1 < chain.size(); ++i) setTabOrder(chain[i], chain[i + 1]);
}

// A part's control may join before the rest of the window is anchored.
void Tmainform::Anchor(QWidget* control, int sides) {
    if (!Anchoring) Anchoring = new Anchors(kDesignSize);
    Anchoring->Add(control, sides);
}

void Tmainform::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!Anchoring) return;
    Anchoring->Apply(event->size());
    if (Image1->width() != Image1->pixmap().width()) Image1->setPixmap(orv::ui::BannerPicture(Image1->size()));
}
