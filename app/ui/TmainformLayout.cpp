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
#include "results/core/ResultWatch.h"
#include "results/ui/ArchiveSearcher.h"
#include "results/ui/ResultFonts.h"
#include "reception/ui/ReceptionLauncher.h"

using namespace Qt::StringLiterals;
using orv::ui::Anchors;

namespace {
constexpr QSize kDesignSize(823, 514);

// Enter on a hit opens it.
class HitKeys : public QObject {
public:
    explicit HitKeys(Tmainform* form) : QObject(form), form_(form) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                form_->ListBox3DblClick();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    Tmainform* form_;
};
}  // namespace

void Tmainform::BuildEveryday() {
    setMinimumSize(kDesignSize);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    resize(kDesignSize);

    // The search field gives room to the mode button of the search across every day.
    Edit1->setGeometry(330, 70, 140, 24);
    SpeedButton22 = new QToolButton(this);
    SpeedButton22->setObjectName(u"SpeedButton22"_s);
    SpeedButton22->setGeometry(474, 70, 56, 24);
    SpeedButton22->setText(u"همه روزها"_s);
    SpeedButton22->setToolTip(u"جستجوی بیمار در همه روزهای بایگانی (نام، کد مبدا یا کد مرجع)"_s);
    SpeedButton22->setCheckable(true);
    SpeedButton22->setToolButtonStyle(Qt::ToolButtonTextOnly);
    ListBox3 = new QListWidget(this);
    ListBox3->setObjectName(u"ListBox3"_s);
    ListBox3->setGeometry(8, 100, 624, 200);
    ListBox3->setLayoutDirection(Qt::RightToLeft);
    ListBox3->setFont(orv::results::ResultFont(9));
    ListBox3->setToolTip(u"روی بیمار مورد نظر دابل کلیک نمایید"_s);
    ListBox3->hide();

    ResultWatch1 = new orv::results::ResultWatch();
    Timer7 = new QTimer(this);
    Timer7->setObjectName(u"Timer7"_s);
    Timer7->setInterval(1000);
    connect(Timer7, &QTimer::timeout, this, &Tmainform::Timer7Timer);

    ArchiveSearcher1 = new orv::results::ArchiveSearcher(this);
    connect(ArchiveSearcher1, &orv::results::ArchiveSearcher::IndexReady, this, [this] {
        if (ArchiveMode() && ListBox3->isVisible()) ArchiveSearchChange();
    });
    connect(SpeedButton22, &QToolButton::clicked, this, &Tmainform::SpeedButton22Click);
    connect(ListBox3, &QListWidget::itemDoubleClicked, this, &Tmainform::ListBox3DblClick);
    ListBox3->installEventFilter(new HitKeys(this));

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
    Anchoring->Add(StringGrid1, L | T | R | B);
    Anchoring->Add(ListBox3, L | T | R);
    for (QWidget* w : std::initializer_list<QWidget*>{Image3, Label12, Label13, SpeedButton16, SpeedButton6,
                                                      SpeedButton11, Label7, SpeedButton18, serverSettingsButton,
                                                      Image4, Image8, Image7, Image6, Label14, Label15, Label17, Label18})
        Anchoring->Add(w, T | R);
    for (QWidget* w : std::initializer_list<QWidget*>{Label2, Image10})
        Anchoring->Add(w, L | B);
    Anchoring->Add(Label6, L | R | B);
    Anchoring->Add(ProgressBar1, L | R | B);
}

void Tmainform::SetTabOrder() {
    const QList<QWidget*> chain{SolarDatePicker1, SpeedButton7, Edit1,         SpeedButton22, SpeedButton5,
                                SpeedButton16,    reference->downloadFilesButton, SpeedButton6,  SpeedButton11, accounting->accountingButton,
                                reception->receptionButton, SpeedButton18, serverSettingsButton, StringGrid1, SpeedButton3};
    for (QWidget* w : chain) w->setFocusPolicy(w == StringGrid1 || w == Edit1 || w == SolarDatePicker1 ? Qt::StrongFocus : Qt::TabFocus);
    for (qsizetype i = 0; i + 1 < chain.size(); ++i) setTabOrder(chain[i], chain[i + 1]);
}

// The parts anchor their controls as they are built, before everyday use is.
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
