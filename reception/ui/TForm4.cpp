#include "reception/ui/TForm4.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QCompleter>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QValidator>
#include <functional>

#include "base/ui/Prompts.h"
#include "reception/core/BuiltInLists.h"
#include "reception/core/FieldText.h"
#include "reception/core/WindowPlace.h"
#include "reception/core/WorklistFiles.h"
#include "reception/ui/KeyboardLayout.h"
#include "reception/ui/WorklistModel.h"
#include "solar/widgets/TSolarDatePicker.h"
#include "solar/widgets/TSolarMonthCalendar.h"

namespace {

constexpr int kWidth = 758;
constexpr int kHeight = 494;
constexpr QRgb kBackground = 0xF0C0FE;
constexpr int kSaveIntervalMs = 20000;
constexpr int kSaveSoonMs = 500;  // a committed change reaches "today.txt" within a second
const char* const kPlaceKey = "reception/position";  // where the window was last closed
const char* const kCloseUnsaved =
    "لیست امروز در فایل today.txt ذخیره نشد. آیا مطمئنید که پنجره بدون ذخیره لیست بسته شود؟";

// What a worklist field takes as it is typed or pasted: digits of any script
// become ASCII digits; a line break or another control character, ";" and "["
// where `dividers` (they divide the stored record), and a character code page
// 1256 has no form for are refused whole, and `refused` is told (with the
// character's name for the code page, empty otherwise). A text set while
// `quiet` (a record loaded) is taken as it is.
class FieldValidator : public QValidator {
public:
    using Refused = std::function<void(const QString& reason)>;
    FieldValidator(QObject* parent, bool dividers, bool codePage, const bool* quiet, Refused refused)
        : QValidator(parent), dividers_(dividers), codePage_(codePage), quiet_(quiet), refused_(std::move(refused)) {}

    State validate(QString& input, int&) const override {
        if (input == accepted_) return Acceptable;  // asked again about the text as it stands
        if (*quiet_) {
            accepted_ = input;
            return Acceptable;
        }
        const std::string text = orv::reception::AsciiDigits(input.toStdString());
        if (orv::reception::HoldsControl(text) || (dividers_ && text.find_first_of(";[") != std::string::npos)) {
            refused_(QString());
            return Invalid;
        }
        if (const std::string unfit = codePage_ ? orv::reception::UnfitCharacter(text) : std::string(); !unfit.empty()) {
            refused_(QStringLiteral("نویسه ") + QString::fromStdString(orv::reception::CharacterName(unfit)) +
                     QStringLiteral(" در کدپیج 1256 که آزمایشگاه تاروینا میخواند جایی ندارد و پذیرفته نمیشود"));
            return Invalid;
        }
        input = QString::fromStdString(text);
        accepted_ = input;
        return Acceptable;
    }

private:
    bool dividers_, codePage_;
    const bool* quiet_;
    Refused refused_;
    mutable QString accepted_;
};

QLabel* Caption(QWidget* parent, const char* name, const char* text, const QRect& at) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(at);
    return label;
}

QLabel* Heading(QWidget* parent, const char* name, const char* text, const QRect& at) {
    QLabel* label = Caption(parent, name, text, at);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QToolButton* Button(QWidget* parent, const char* name, const char* text, const QRect& at) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(QString::fromUtf8(text));
    button->setGeometry(at);
    return button;
}

template <class W>
W* Place(QWidget* parent, const char* name, const QRect& at) {
    auto* w = new W(parent);
    w->setObjectName(QString::fromLatin1(name));
    w->setGeometry(at);
    return w;
}

QString U8(const std::string& s) { return QString::fromStdString(s); }

// The user's settings of the program (not the workspace's): where windows were closed.
QSettings UserSettings() { return QSettings(QStringLiteral("Orvanet"), QStringLiteral("Orvanet")); }

}  // namespace

TForm4::TForm4(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Tarvina Reception"));
    setLayoutDirection(Qt::RightToLeft);
    setFixedSize(kWidth, kHeight);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(kBackground));
    setPalette(p);
    setAutoFillBackground(true);
    Memo2 = orv::reception::MaleNames::BuiltIn();
    BuildWindow();
    ConnectHandlers();
}

TForm4::~TForm4() {
    // Nothing keeps the window open now: a list that could not be saved is at least said so.
    if (isVisible() && !SaveToday()) Message(SaveStatus->text());
}

void TForm4::BuildWindow() {
    // Left: today's list.
    Heading(this, "Label1", "لیست امروز", QRect(8, 6, 180, 20));
    // "ردیف" over the row numbers at the left, "شماره قبض" over the receipts.
    Caption(this, "Label2", " شماره قبض     ردیف", QRect(8, 28, 180, 18))
        ->setAlignment(Qt::AlignLeft | Qt::AlignAbsolute | Qt::AlignVCenter);
    ListBox4 = new orv::reception::WorklistModel(this);
    ListBox4->setObjectName(QStringLiteral("ListBox4"));
    StringGrid1 = Place<QTableView>(this, "StringGrid1", QRect(8, 48, 180, 402));
    StringGrid1->setLayoutDirection(Qt::LeftToRight);
    StringGrid1->setModel(ListBox4);
    StringGrid1->horizontalHeader()->hide();
    StringGrid1->verticalHeader()->hide();
    StringGrid1->verticalHeader()->setDefaultSectionSize(22);
    StringGrid1->setColumnWidth(0, 30);
    StringGrid1->setColumnWidth(1, 60);
    StringGrid1->horizontalHeader()->setStretchLastSection(true);
    StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Edit7 = Place<QLineEdit>(this, "Edit7", QRect(8, 456, 180, 26));
    Edit7->setToolTip(QStringLiteral("جستجو بر اساس کد پذیرش شما"));
    Edit7->setValidator(FieldRule(Edit7, false));

    BuildPatientFields();
    BuildButtons();
    BuildTestFields();

    // Hidden working controls.
    Edit9 = Place<QLineEdit>(this, "Edit9", QRect(0, 0, 10, 10));
    Edit9->hide();
    SolarDatePicker1 = Place<TSolarDatePicker>(this, "SolarDatePicker1", QRect(0, 0, 96, 24));
    SolarDatePicker1->hide();
    SolarMonthCalendar1 = Place<TSolarMonthCalendar>(this, "SolarMonthCalendar1", QRect(0, 0, 217, 170));
    SolarMonthCalendar1->hide();

    // The main menu's F3 item.
    new1 = new QAction(this);
    new1->setObjectName(QStringLiteral("new1"));
    new1->setShortcut(Qt::Key_F3);
    new1->setShortcutContext(Qt::WindowShortcut);
    addAction(new1);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(kSaveIntervalMs);
    Timer1->start();
    SaveSoon = new QTimer(this);
    SaveSoon->setObjectName(QStringLiteral("SaveSoon"));
    SaveSoon->setSingleShot(true);
    SaveSoon->setInterval(kSaveSoonMs);
}

QValidator* TForm4::FieldRule(QObject* field, bool record) {
    return new FieldValidator(field, record, record, &loading_, [this](const QString& reason) { FieldRefused(reason); });
}

// A refused character: the beep, and for one the code page lacks, a message
// once the typing has returned (never from inside the field's own check).
void TForm4::FieldRefused(const QString& reason) {
    orv::ui::Beep();
    if (reason.isEmpty() || refusalPending_) return;
    refusalPending_ = true;
    QTimer::singleShot(0, this, [this, reason] {
        refusalPending_ = false;
        Message(reason);
    });
}

void TForm4::BuildPatientFields() {
    Heading(this, "Label3", "اطلاعات بیماران", QRect(200, 6, 270, 20));
    struct Field {
        QLineEdit** edit;
        const char* name;
        const char* caption;
        int y;
        bool required;
    };
    const Field fields[] = {
        {&Edit2, "Edit2", "شماره قبض :", 34, true}, {&Edit1, "Edit1", "نام :", 66, true},
        {&Edit4, "Edit4", "نام خانوادگی :", 98, true}, {&Edit5, "Edit5", "سن :", 130, true},
        {&Edit6, "Edit6", "نام پدر :", 162, false},
    };
    int n = 4;
    for (const Field& f : fields) {
        *f.edit = Place<QLineEdit>(this, f.name, QRect(200, f.y, 180, 26));
        (*f.edit)->setValidator(FieldRule(*f.edit, true));
        QLabel* label = Caption(this, QByteArray("Label" + QByteArray::number(n++)).constData(), f.caption,
                                QRect(384, f.y + 3, 78, 20));
        label->setAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter);
        if (f.required) {
            QLabel* star = Caption(this, QByteArray("Star" + QByteArray(f.name)).constData(), "*",
                                   QRect(462, f.y + 3, 10, 20));
            star->setStyleSheet(QStringLiteral("color: red;"));
        }
    }
    Edit2->setToolTip(QStringLiteral("شماره قبض آزمایشگاه مبدا"));
    Edit5->setGeometry(290, 130, 90, 26);
    ComboBox4 = Place<QComboBox>(this, "ComboBox4", QRect(200, 130, 86, 26));
    ComboBox4->setLayoutDirection(Qt::LeftToRight);
    ComboBox4->addItems({QStringLiteral("Year"), QStringLiteral("Month"), QStringLiteral("Day")});
    ComboBox4->setCurrentIndex(0);
    ComboBox3 = Place<QComboBox>(this, "ComboBox3", QRect(200, 194, 180, 26));
    ComboBox3->addItems({QString(), QStringLiteral("زن"), QStringLiteral("مرد")});
    ComboBox3->setCurrentIndex(0);
    QLabel* sex = Caption(this, "Label9", "جنسیت :", QRect(384, 197, 78, 20));
    sex->setAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter);
    // The required fields start cream; they turn pink as their text becomes empty.
    for (QLineEdit* e : {Edit1, Edit2, Edit4, Edit5}) {
        QPalette cream = e->palette();
        cream.setColor(QPalette::Base, QColor(0xFFFBF0));
        e->setPalette(cream);
    }
}

void TForm4::BuildButtons() {
    SpeedButton3 = Button(this, "SpeedButton3", "NEW [F3]", QRect(200, 232, 132, 28));
    SpeedButton7 = Button(this, "SpeedButton7", "حذف بیمار جاری", QRect(338, 232, 132, 28));
    SpeedButton2 = Button(this, "SpeedButton2", "تهیه لیست جدید برای امروز", QRect(200, 266, 270, 28));
    SpeedButton1 = Button(this, "SpeedButton1", "کنترل کیفی فایل خروجی ", QRect(200, 300, 270, 28));
    SpeedButton4 = Button(this, "SpeedButton4", "Export WorkList", QRect(200, 334, 270, 28));
    SpeedButton8 = Button(this, "SpeedButton8", "خروج", QRect(200, 368, 270, 28));
    SaveStatus = Caption(this, "SaveStatus", "", QRect(200, 404, 270, 78));
    SaveStatus->setWordWrap(true);
    SaveStatus->setAlignment(Qt::AlignTop | Qt::AlignRight | Qt::AlignAbsolute);
    SaveStatus->setStyleSheet(QStringLiteral("color: #B00000;"));
}

void TForm4::BuildTestFields() {
    Heading(this, "Label10", "درخواست آزمایشات", QRect(480, 6, 270, 20));
    Label11 = Caption(this, "Label11", "کد شما", QRect(640, 34, 110, 24));
    Label11->setAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter);
    ComboBox2 = Place<QComboBox>(this, "ComboBox2", QRect(480, 34, 155, 26));
    ComboBox2->setEditable(true);
    ComboBox2->setInsertPolicy(QComboBox::NoInsert);
    ComboBox2->setLayoutDirection(Qt::LeftToRight);
    ComboBox2->setCompleter(nullptr);
    ComboBox2->setValidator(FieldRule(ComboBox2, false));
    Caption(this, "Label12", "آزمایشات مرتبط", QRect(480, 64, 270, 18));
    ListBox2 = Place<QListWidget>(this, "ListBox2", QRect(480, 84, 270, 92));
    ListBox2->setLayoutDirection(Qt::LeftToRight);
    ListBox2->setToolTip(QStringLiteral("برای انتخاب دابل کلیک نمایید"));
    Caption(this, "Label13", "انتخاب بر اساس نام تست  ( تست جاری )", QRect(480, 180, 270, 18));
    ComboBox1 = Place<QComboBox>(this, "ComboBox1", QRect(480, 200, 270, 26));
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->setLayoutDirection(Qt::LeftToRight);
    ComboBox1->setMaxVisibleItems(20);
    ComboBox1->setToolTip(QStringLiteral("برای درخواست دست جمعی کلیک سمت راست نمایید"));
    ComboBox1->completer()->setCaseSensitivity(Qt::CaseInsensitive);
    ComboBox1->completer()->setCompletionMode(QCompleter::InlineCompletion);
    ComboBox1->completer()->setMaxVisibleItems(20);
    ComboBox1->setContextMenuPolicy(Qt::CustomContextMenu);
    Caption(this, "Label14", "آزمایشات درخواست شده برای بیمار جاری", QRect(480, 232, 270, 18));
    ListBox5 = Place<QListWidget>(this, "ListBox5", QRect(480, 252, 270, 156));
    ListBox5->setLayoutDirection(Qt::LeftToRight);
    ListBox5->setFlow(QListView::TopToBottom);
    ListBox5->setWrapping(true);
    ListBox5->setResizeMode(QListView::Adjust);
    ListBox5->setGridSize(QSize(130, 20));
    ListBox5->setToolTip(QStringLiteral("برای ادیت کلیک سمت راست نمایید"));
    ListBox5->setContextMenuPolicy(Qt::CustomContextMenu);
    Caption(this, "Label15", "کد دلخواه", QRect(660, 416, 90, 24))
        ->setAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter);
    Edit8 = Place<QLineEdit>(this, "Edit8", QRect(480, 416, 175, 26));
    Edit8->setValidator(FieldRule(Edit8, true));
    SpeedButton9 = Button(this, "SpeedButton9", "ثبت و اختصاص دادن کد دلخواه شما به تست جاری", QRect(480, 448, 270, 34));

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    stgrt1 = PopupMenu1->addAction(QStringLiteral("انتخاب تست جاری برای تمام بیماران امروز"));
    stgrt1->setObjectName(QStringLiteral("stgrt1"));
    PopupMenu2 = new QMenu(this);
    PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    N3 = PopupMenu2->addAction(QStringLiteral("       حذف تست انتخابی "));
    N3->setObjectName(QStringLiteral("N3"));
    N5 = PopupMenu2->addAction(QStringLiteral("حذف تمام تستهای این بیمار"));
    N5->setObjectName(QStringLiteral("N5"));

    FillTests(orv::reception::BuiltInTests());
}

void TForm4::ConnectHandlers() {
    for (QLineEdit* e : {Edit1, Edit2, Edit4, Edit5})
        connect(e, &QLineEdit::textChanged, this, [this, e] { PaintRequired(e); });
    for (QObject* o : std::initializer_list<QObject*>{Edit1, Edit2, Edit4, Edit5, Edit6, Edit9, ComboBox3, ComboBox4,
                                                     ComboBox1, ComboBox1->lineEdit(), ComboBox2,
                                                     ComboBox2->lineEdit()})
        o->installEventFilter(this);
    connect(ComboBox2, &QComboBox::editTextChanged, this, &TForm4::ComboBox2Change);
    connect(ListBox2, &QListWidget::itemClicked, this, &TForm4::ListBox2Click);
    connect(ListBox2, &QListWidget::itemDoubleClicked, this, &TForm4::ListBox2DblClick);
    connect(StringGrid1, &QTableView::clicked, this, &TForm4::StringGrid1Click);
    connect(Edit7, &QLineEdit::textChanged, this, &TForm4::Edit7Change);
    connect(SpeedButton3, &QToolButton::clicked, this, &TForm4::SpeedButton3Click);
    connect(new1, &QAction::triggered, this, &TForm4::new1Click);
    connect(SpeedButton7, &QToolButton::clicked, this, &TForm4::SpeedButton7Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TForm4::SpeedButton2Click);
    connect(SpeedButton8, &QToolButton::clicked, this, &TForm4::SpeedButton8Click);
    connect(SpeedButton9, &QToolButton::clicked, this, &TForm4::SpeedButton9Click);
    connect(SpeedButton1, &QToolButton::clicked, this, &TForm4::SpeedButton1Click);
    connect(SpeedButton4, &QToolButton::clicked, this, &TForm4::SpeedButton4Click);
    connect(stgrt1, &QAction::triggered, this, &TForm4::stgrt1Click);
    connect(N3, &QAction::triggered, this, &TForm4::N3Click);
    connect(N5, &QAction::triggered, this, &TForm4::N5Click);
    connect(ComboBox1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu1->popup(ComboBox1->mapToGlobal(at)); });
    connect(ListBox5, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu2->popup(ListBox5->viewport()->mapToGlobal(at)); });
    connect(Timer1, &QTimer::timeout, this, &TForm4::Timer1Timer);
    // The grid's current row is the patient shown, moved by the mouse or the keys.
    connect(StringGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { GridRowChanged(current.row()); });
    // Every committed change (a patient stored, added or deleted, a test added or removed) is saved soon.
    connect(SaveSoon, &QTimer::timeout, this, &TForm4::SaveToday);
    connect(ListBox4, &orv::reception::WorklistModel::dataChanged, this, &TForm4::ScheduleSave);
    connect(ListBox4, &orv::reception::WorklistModel::rowsInserted, this, &TForm4::ScheduleSave);
    connect(ListBox4, &orv::reception::WorklistModel::rowsRemoved, this, &TForm4::ScheduleSave);
}

void TForm4::ScheduleSave() {
    if (!SaveSoon->isActive()) SaveSoon->start();
}

bool TForm4::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        if (watched == Edit1) Edit1Enter();
        if (watched == Edit4) Edit4Enter();
        if (watched == Edit6) Edit6Enter();
        if (watched == ComboBox1) ComboBox1Enter();
        if (watched == Edit9) Edit3Enter();
        return false;
    }
    if (event->type() == QEvent::KeyRelease && (watched == ComboBox1 || watched == ComboBox1->lineEdit())) {
        ComboBox1KeyUp();
        return false;
    }
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
    if (watched == Edit2) Edit2KeyPress();
    else if (watched == Edit1) Edit1KeyPress();
    else if (watched == Edit4) Edit4KeyPress();
    else if (watched == Edit5) Edit5KeyPress();
    else if (watched == ComboBox4) ComboBox4KeyPress();
    else if (watched == Edit6) Edit6KeyPress();
    else if (watched == ComboBox3) ComboBox3KeyPress();
    else if (watched == ComboBox1 || watched == ComboBox1->lineEdit()) ComboBox1KeyPress();
    else if (watched == ComboBox2 || watched == ComboBox2->lineEdit()) ComboBox2KeyPress();
    else return false;
    return true;
}

QString TForm4::Path(const char* name) const { return root + QString::fromLatin1(name); }

void TForm4::Message(const QString& text) { orv::ui::MessageBox(this, QStringLiteral("Attention"), text); }

// --- files

void TForm4::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TForm4::closeEvent(QCloseEvent* event) {
    if (!FormClose()) {
        event->ignore();
        return;
    }
    lastClosed_ = frameGeometry().topLeft();
    UserSettings().setValue(QString::fromLatin1(kPlaceKey), *lastClosed_);
    QWidget::closeEvent(event);
}

// Opens beside `mainWindow`, wholly inside the screen that shows it, or where it
// was last closed (in this run or an earlier one) when that is still on a screen.
void TForm4::ShowBeside(const QWidget* mainWindow) {
    if (!lastClosed_) {
        const QVariant kept = UserSettings().value(QString::fromLatin1(kPlaceKey));
        if (kept.canConvert<QPoint>()) lastClosed_ = kept.toPoint();
    }
    const auto box = [](const QRect& r) { return orv::reception::Box{r.x(), r.y(), r.width(), r.height()}; };
    std::vector<orv::reception::Box> screens;
    for (const QScreen* s : QGuiApplication::screens()) screens.push_back(box(s->availableGeometry()));
    const QScreen* home = mainWindow && mainWindow->screen() ? mainWindow->screen() : QGuiApplication::primaryScreen();
    const QRect main = mainWindow ? mainWindow->frameGeometry() : QRect();
    std::optional<orv::reception::Box> last;
    if (lastClosed_) last = orv::reception::Box{lastClosed_->x(), lastClosed_->y(), 0, 0};
    const auto place = [&] {
        const QSize frame = frameGeometry().size();
        const orv::reception::Box at = orv::reception::PlaceWindow(frame.width(), frame.height(), box(main),
                                                                   box(home->availableGeometry()), screens, last);
        move(at.x, at.y);
        return frame;
    };
    const QSize assumed = place();
    show();
    raise();
    if (frameGeometry().size() != assumed) place();  // the frame became known on the first showing
}

void TForm4::FormShow() {
    // A list that could not be saved stays as it is in memory rather than being replaced by the file.
    if (!unsaved_) {
        const orv::reception::ListFile today = orv::reception::ReadList(Path(orv::reception::kTodayFile).toStdString());
        todayUnreadable_ = !today.ok && !today.missing;
        if (todayUnreadable_)
            SaveStatus->setText(QStringLiteral(". فایل today.txt خوانده نشد و تا رفع مشکل ذخیره نمیشود: ") +
                                U8(today.error));
        else
            SaveStatus->clear();
        std::vector<std::string> records = today.ok ? today.lines : std::vector<std::string>{};
        for (std::string& r : records) r = orv::reception::AsciiDigits(r);  // receipts compare as typed
        ListBox4->SetRecords(std::move(records));
    }
    if (SolarDatePicker1->text().trimmed().isEmpty()) SolarDatePicker1->setText(SolarMonthCalendar1->OutDate);
    const orv::reception::ListFile codes = orv::reception::ReadList(Path(orv::reception::kCustomCodeFile).toStdString());
    if (codes.ok) {
        codesEncoding_ = codes.encoding;
        ComboBox2->clear();
        for (const std::string& c : codes.lines) ComboBox2->addItem(U8(c));
        ComboBox2->setCurrentIndex(-1);
    }
    const orv::reception::ListFile tests = orv::reception::ReadList(Path(orv::reception::kTestsFile).toStdString());
    if (tests.ok) FillTests(tests.lines);
    ShowPatient(ListBox4->Count() - 1);
}

// Saves the list; when that fails the window stays open with the list and says
// so, and a second close asks whether to close without saving.
bool TForm4::FormClose() {
    if (SaveToday()) return true;
    if (!closeRefused_) {
        closeRefused_ = true;
        Message(SaveStatus->text());
        return false;
    }
    return orv::ui::Confirm(this, QString::fromUtf8(kCloseUnsaved));
}

void TForm4::Timer1Timer() {
    if (isVisible()) SaveToday();
}

bool TForm4::SaveToday() {
    if (todayUnreadable_) return false;
    // Always code page 1256, the central laboratory's, when every character fits it (else UTF-8, nothing lost).
    const orv::FileResult saved = orv::reception::SaveList(Path(orv::reception::kTodayFile).toStdString(),
                                                           ListBox4->Records(), orv::TextEncoding::Cp1256);
    unsaved_ = !saved.ok;
    SaveSoon->stop();
    if (saved.ok) {
        closeRefused_ = false;
        SaveStatus->clear();
    } else {
        SaveStatus->setText(QStringLiteral(". لیست امروز در فایل today.txt ذخیره نشد و در برنامه باقی است: ") +
                            U8(saved.error));
    }
    return saved.ok;
}

bool TForm4::SaveCodes() {
    const orv::FileResult saved =
        orv::reception::SaveList(Path(orv::reception::kCustomCodeFile).toStdString(), Codes(), codesEncoding_);
    if (!saved.ok)
        SaveStatus->setText(QStringLiteral(". کدهای دلخواه در فایل customcode.txt ذخیره نشد: ") + U8(saved.error));
    return saved.ok;
}

std::vector<std::string> TForm4::Records() const { return ListBox4->Records(); }

std::vector<std::string> TForm4::Codes() const {
    std::vector<std::string> codes;
    codes.reserve(static_cast<size_t>(ComboBox2->count()));
    for (int i = 0; i < ComboBox2->count(); ++i) codes.push_back(ComboBox2->itemText(i).toStdString());
    return codes;
}

void TForm4::FillTests(const std::vector<std::string>& names) {
    catalogue_ = orv::reception::TestCatalogue(names);
    QStringList items;
    items.reserve(catalogue_.size());
    for (const std::string& n : catalogue_.Names()) items << U8(n);
    ComboBox1->clear();
    ComboBox1->addItems(items);
    ComboBox1->setCurrentIndex(-1);
}

void TForm4::TodayKnown(const QString& solarDate) {
    SolarDatePicker1->setText(solarDate);
    SolarMonthCalendar1->SetInDate(solarDate);
}
