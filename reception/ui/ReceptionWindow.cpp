#include "reception/ui/ReceptionWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QCompleter>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QScreen>
#include <QSettings>
#include <QTableView>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QToolButton>
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
constexpr int kSaveSoonMs = 500;                     // a committed change reaches "today.txt" within a second
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
        if (const std::string unfit = codePage_ ? orv::reception::UnfitCharacter(text) : std::string();
            !unfit.empty()) {
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

namespace orv::reception {

ReceptionWindow::ReceptionWindow(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Tarvina Reception"));
    setLayoutDirection(Qt::RightToLeft);
    setFixedSize(kWidth, kHeight);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(kBackground));
    setPalette(p);
    setAutoFillBackground(true);
    maleNames = orv::reception::MaleNames::BuiltIn();
    BuildWindow();
    ConnectHandlers();
}

ReceptionWindow::~ReceptionWindow() {
    // Nothing keeps the window open now: a list that could not be saved is at least said so.
    if (isVisible() && !SaveToday()) Message(saveStatus->text());
}

void ReceptionWindow::BuildWindow() {
    // Left: today's list.
    Heading(this, "Label1", "لیست امروز", QRect(8, 6, 180, 20));
    // "ردیف" over the row numbers at the left, "شماره قبض" over the receipts.
    Caption(this, "Label2", " شماره قبض     ردیف", QRect(8, 28, 180, 18))
        ->setAlignment(Qt::AlignLeft | Qt::AlignAbsolute | Qt::AlignVCenter);
    worklist = new orv::reception::WorklistModel(this);
    worklist->setObjectName(QStringLiteral("ListBox4"));
    patientTable = Place<QTableView>(this, "StringGrid1", QRect(8, 48, 180, 402));
    patientTable->setLayoutDirection(Qt::LeftToRight);
    patientTable->setModel(worklist);
    patientTable->horizontalHeader()->hide();
    patientTable->verticalHeader()->hide();
    patientTable->verticalHeader()->setDefaultSectionSize(22);
    patientTable->setColumnWidth(0, 30);
    patientTable->setColumnWidth(1, 60);
    patientTable->horizontalHeader()->setStretchLastSection(true);
    patientTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    patientTable->setSelectionMode(QAbstractItemView::SingleSelection);
    patientTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    searchEdit = Place<QLineEdit>(this, "Edit7", QRect(8, 456, 180, 26));
    searchEdit->setToolTip(QStringLiteral("جستجو بر اساس کد پذیرش شما"));
    searchEdit->setValidator(FieldRule(searchEdit, false));

    BuildPatientFields();
    BuildButtons();
    BuildTestFields();

    // Hidden working controls.
    typedTestEdit = Place<QLineEdit>(this, "Edit9", QRect(0, 0, 10, 10));
    typedTestEdit->hide();
    exportDatePicker = Place<TSolarDatePicker>(this, "SolarDatePicker1", QRect(0, 0, 96, 24));
    exportDatePicker->hide();
    todayCalendar = Place<TSolarMonthCalendar>(this, "SolarMonthCalendar1", QRect(0, 0, 217, 170));
    todayCalendar->hide();

    // The main menu's F3 item.
    newPatientAction = new QAction(this);
    newPatientAction->setObjectName(QStringLiteral("new1"));
    newPatientAction->setShortcut(Qt::Key_F3);
    newPatientAction->setShortcutContext(Qt::WindowShortcut);
    addAction(newPatientAction);

    autosaveTimer = new QTimer(this);
    autosaveTimer->setObjectName(QStringLiteral("Timer1"));
    autosaveTimer->setInterval(kSaveIntervalMs);
    autosaveTimer->start();
    saveSoonTimer = new QTimer(this);
    saveSoonTimer->setObjectName(QStringLiteral("SaveSoon"));
    saveSoonTimer->setSingleShot(true);
    saveSoonTimer->setInterval(kSaveSoonMs);
}

QValidator* ReceptionWindow::FieldRule(QObject* field, bool record) {
    return new FieldValidator(field, record, record, &loading_,
                              [this](const QString& reason) { FieldRefused(reason); });
}

// A refused character: the beep, and for one the code page lacks, a message
// once the typing has returned (never from inside the field's own check).
void ReceptionWindow::FieldRefused(const QString& reason) {
    orv::ui::Beep();
    if (reason.isEmpty() || refusalPending_) return;
    refusalPending_ = true;
    QTimer::singleShot(0, this, [this, reason] {
        refusalPending_ = false;
        Message(reason);
    });
}

void ReceptionWindow::BuildPatientFields() {
    Heading(this, "Label3", "اطلاعات بیماران", QRect(200, 6, 270, 20));
    struct Field {
        QLineEdit** edit;
        const char* name;
        const char* caption;
        int y;
        bool required;
    };
    const Field fields[] = {
        {&receiptEdit, "Edit2", "شماره قبض :", 34, true},       {&firstNameEdit, "Edit1", "نام :", 66, true},
        {&familyNameEdit, "Edit4", "نام خانوادگی :", 98, true}, {&ageEdit, "Edit5", "سن :", 130, true},
        {&fatherNameEdit, "Edit6", "نام پدر :", 162, false},
    };
    int n = 4;
    for (const Field& f : fields) {
        *f.edit = Place<QLineEdit>(this, f.name, QRect(200, f.y, 180, 26));
        (*f.edit)->setValidator(FieldRule(*f.edit, true));
        QLabel* label = Caption(this, QByteArray("Label" + QByteArray::number(n++)).constData(), f.caption,
                                QRect(384, f.y + 3, 78, 20));
        label->setAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter);
        if (f.required) {
            QLabel* star =
                Caption(this, QByteArray("Star" + QByteArray(f.name)).constData(), "*", QRect(462, f.y + 3, 10, 20));
            star->setStyleSheet(QStringLiteral("color: red;"));
        }
    }
    receiptEdit->setToolTip(QStringLiteral("شماره قبض آزمایشگاه مبدا"));
    ageEdit->setGeometry(290, 130, 90, 26);
    ageUnitBox = Place<QComboBox>(this, "ComboBox4", QRect(200, 130, 86, 26));
    ageUnitBox->setLayoutDirection(Qt::LeftToRight);
    ageUnitBox->addItems({QStringLiteral("Year"), QStringLiteral("Month"), QStringLiteral("Day")});
    ageUnitBox->setCurrentIndex(0);
    sexBox = Place<QComboBox>(this, "ComboBox3", QRect(200, 194, 180, 26));
    sexBox->addItems({QString(), QStringLiteral("زن"), QStringLiteral("مرد")});
    // The style's own pop-up draws menu-like items from the left whatever the direction; this one reads right to left.
    sexBox->setItemDelegate(new QStyledItemDelegate(sexBox));
    sexBox->setCurrentIndex(0);
    QLabel* sex = Caption(this, "Label9", "جنسیت :", QRect(384, 197, 78, 20));
    sex->setAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter);
    // The required fields start cream; they turn pink as their text becomes empty.
    for (QLineEdit* e : {firstNameEdit, receiptEdit, familyNameEdit, ageEdit}) {
        QPalette cream = e->palette();
        cream.setColor(QPalette::Base, QColor(0xFFFBF0));
        e->setPalette(cream);
    }
}

void ReceptionWindow::BuildButtons() {
    newPatientButton = Button(this, "SpeedButton3", "NEW [F3]", QRect(200, 232, 132, 28));
    deleteButton = Button(this, "SpeedButton7", "حذف بیمار جاری", QRect(338, 232, 132, 28));
    newListButton = Button(this, "SpeedButton2", "تهیه لیست جدید برای امروز", QRect(200, 266, 270, 28));
    qualityControlButton = Button(this, "SpeedButton1", "کنترل کیفی فایل خروجی ", QRect(200, 300, 270, 28));
    exportButton = Button(this, "SpeedButton4", "Export WorkList", QRect(200, 334, 270, 28));
    exitButton = Button(this, "SpeedButton8", "خروج", QRect(200, 368, 270, 28));
    saveStatus = Caption(this, "SaveStatus", "", QRect(200, 404, 270, 78));
    saveStatus->setWordWrap(true);
    saveStatus->setAlignment(Qt::AlignTop | Qt::AlignRight | Qt::AlignAbsolute);
    saveStatus->setStyleSheet(QStringLiteral("color: #B00000;"));
}

void ReceptionWindow::BuildTestFields() {
    Heading(this, "Label10", "درخواست آزمایشات", QRect(480, 6, 270, 20));
    guessedNameLabel = Caption(this, "Label11", "کد شما", QRect(640, 34, 110, 24));
    guessedNameLabel->setAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter);
    codeBox = Place<QComboBox>(this, "ComboBox2", QRect(480, 34, 155, 26));
    codeBox->setEditable(true);
    codeBox->setInsertPolicy(QComboBox::NoInsert);
    codeBox->setLayoutDirection(Qt::LeftToRight);
    codeBox->setCompleter(nullptr);
    codeBox->setValidator(FieldRule(codeBox, false));
    Caption(this, "Label12", "آزمایشات مرتبط", QRect(480, 64, 270, 18));
    relatedTestsList = Place<QListWidget>(this, "ListBox2", QRect(480, 84, 270, 92));
    relatedTestsList->setLayoutDirection(Qt::LeftToRight);
    relatedTestsList->setToolTip(QStringLiteral("برای انتخاب دابل کلیک نمایید"));
    Caption(this, "Label13", "انتخاب بر اساس نام تست  ( تست جاری )", QRect(480, 180, 270, 18));
    testNameBox = Place<QComboBox>(this, "ComboBox1", QRect(480, 200, 270, 26));
    testNameBox->setEditable(true);
    testNameBox->setInsertPolicy(QComboBox::NoInsert);
    testNameBox->setLayoutDirection(Qt::LeftToRight);
    testNameBox->setMaxVisibleItems(20);
    testNameBox->setToolTip(QStringLiteral("برای درخواست دست جمعی کلیک سمت راست نمایید"));
    testNameBox->completer()->setCaseSensitivity(Qt::CaseInsensitive);
    testNameBox->completer()->setCompletionMode(QCompleter::InlineCompletion);
    testNameBox->completer()->setMaxVisibleItems(20);
    testNameBox->setContextMenuPolicy(Qt::CustomContextMenu);
    Caption(this, "Label14", "آزمایشات درخواست شده برای بیمار جاری", QRect(480, 232, 270, 18));
    requestedTestsList = Place<QListWidget>(this, "ListBox5", QRect(480, 252, 270, 156));
    requestedTestsList->setLayoutDirection(Qt::LeftToRight);
    requestedTestsList->setFlow(QListView::TopToBottom);
    requestedTestsList->setWrapping(true);
    requestedTestsList->setResizeMode(QListView::Adjust);
    requestedTestsList->setGridSize(QSize(130, 20));
    requestedTestsList->setToolTip(QStringLiteral("برای ادیت کلیک سمت راست نمایید"));
    requestedTestsList->setContextMenuPolicy(Qt::CustomContextMenu);
    Caption(this, "Label15", "کد دلخواه", QRect(660, 416, 90, 24))
        ->setAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter);
    customCodeEdit = Place<QLineEdit>(this, "Edit8", QRect(480, 416, 175, 26));
    customCodeEdit->setValidator(FieldRule(customCodeEdit, true));
    customCodeButton =
        Button(this, "SpeedButton9", "ثبت و اختصاص دادن کد دلخواه شما به تست جاری", QRect(480, 448, 270, 34));

    testNameMenu = new QMenu(this);
    testNameMenu->setObjectName(QStringLiteral("PopupMenu1"));
    everyPatientAction = testNameMenu->addAction(QStringLiteral("انتخاب تست جاری برای تمام بیماران امروز"));
    everyPatientAction->setObjectName(QStringLiteral("stgrt1"));
    requestedTestsMenu = new QMenu(this);
    requestedTestsMenu->setObjectName(QStringLiteral("PopupMenu2"));
    removeTestAction = requestedTestsMenu->addAction(QStringLiteral("       حذف تست انتخابی "));
    removeTestAction->setObjectName(QStringLiteral("N3"));
    removeAllTestsAction = requestedTestsMenu->addAction(QStringLiteral("حذف تمام تستهای این بیمار"));
    removeAllTestsAction->setObjectName(QStringLiteral("N5"));

    FillTests(orv::reception::BuiltInTests());
}

void ReceptionWindow::ConnectHandlers() {
    for (QLineEdit* e : {firstNameEdit, receiptEdit, familyNameEdit, ageEdit})
        connect(e, &QLineEdit::textChanged, this, [this, e] { PaintRequired(e); });
    for (QObject* o : std::initializer_list<QObject*>{firstNameEdit, receiptEdit, familyNameEdit, ageEdit,
                                                      fatherNameEdit, typedTestEdit, sexBox, ageUnitBox, testNameBox,
                                                      testNameBox->lineEdit(), codeBox, codeBox->lineEdit()})
        o->installEventFilter(this);
    connect(codeBox, &QComboBox::editTextChanged, this, &ReceptionWindow::selectTestByCode);
    connect(relatedTestsList, &QListWidget::itemClicked, this, &ReceptionWindow::pickRelatedTest);
    connect(relatedTestsList, &QListWidget::itemDoubleClicked, this, &ReceptionWindow::focusTestName);
    connect(patientTable, &QTableView::clicked, this, &ReceptionWindow::showClickedPatient);
    connect(searchEdit, &QLineEdit::textChanged, this, &ReceptionWindow::searchReceipt);
    connect(newPatientButton, &QToolButton::clicked, this, &ReceptionWindow::newPatient);
    connect(newPatientAction, &QAction::triggered, this, &ReceptionWindow::newPatient);
    connect(deleteButton, &QToolButton::clicked, this, &ReceptionWindow::deletePatient);
    connect(newListButton, &QToolButton::clicked, this, &ReceptionWindow::newList);
    connect(exitButton, &QToolButton::clicked, this, &ReceptionWindow::exitWindow);
    connect(customCodeButton, &QToolButton::clicked, this, &ReceptionWindow::assignCustomCode);
    connect(qualityControlButton, &QToolButton::clicked, this, &ReceptionWindow::checkQuality);
    connect(exportButton, &QToolButton::clicked, this, &ReceptionWindow::exportWorklist);
    connect(everyPatientAction, &QAction::triggered, this, &ReceptionWindow::addTestToEveryPatient);
    connect(removeTestAction, &QAction::triggered, this, &ReceptionWindow::removeSelectedTest);
    connect(removeAllTestsAction, &QAction::triggered, this, &ReceptionWindow::removeAllTests);
    connect(testNameBox, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { testNameMenu->popup(testNameBox->mapToGlobal(at)); });
    connect(requestedTestsList, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { requestedTestsMenu->popup(requestedTestsList->viewport()->mapToGlobal(at)); });
    connect(autosaveTimer, &QTimer::timeout, this, &ReceptionWindow::autosave);
    // The grid's current row is the patient shown, moved by the mouse or the keys.
    connect(patientTable->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { GridRowChanged(current.row()); });
    // Every committed change (a patient stored, added or deleted, a test added or removed) is saved soon.
    connect(saveSoonTimer, &QTimer::timeout, this, &ReceptionWindow::SaveToday);
    connect(worklist, &orv::reception::WorklistModel::dataChanged, this, &ReceptionWindow::ScheduleSave);
    connect(worklist, &orv::reception::WorklistModel::rowsInserted, this, &ReceptionWindow::ScheduleSave);
    connect(worklist, &orv::reception::WorklistModel::rowsRemoved, this, &ReceptionWindow::ScheduleSave);
}

void ReceptionWindow::ScheduleSave() {
    if (!saveSoonTimer->isActive()) saveSoonTimer->start();
}

bool ReceptionWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        SwitchLayoutFor(watched);
        return false;
    }
    if (event->type() == QEvent::KeyRelease && (watched == testNameBox || watched == testNameBox->lineEdit())) {
        showRelatedTests();
        return false;
    }
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
    if (watched == receiptEdit)
        receiptEntered();
    else if (watched == firstNameEdit)
        firstNameEntered();
    else if (watched == familyNameEdit)
        familyNameEntered();
    else if (watched == ageEdit)
        ageEntered();
    else if (watched == ageUnitBox)
        ageUnitEntered();
    else if (watched == fatherNameEdit)
        fatherNameEntered();
    else if (watched == sexBox)
        sexEntered();
    else if (watched == testNameBox || watched == testNameBox->lineEdit())
        testNameEntered();
    else if (watched == codeBox || watched == codeBox->lineEdit())
        codeEntered();
    else
        return false;
    return true;
}

QString ReceptionWindow::Path(const char* name) const { return root + QString::fromLatin1(name); }

void ReceptionWindow::Message(const QString& text) { orv::ui::MessageBox(this, QStringLiteral("Attention"), text); }

// --- files

void ReceptionWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) loadLists();
}

void ReceptionWindow::closeEvent(QCloseEvent* event) {
    if (!mayClose()) {
        event->ignore();
        return;
    }
    lastClosed_ = frameGeometry().topLeft();
    UserSettings().setValue(QString::fromLatin1(kPlaceKey), *lastClosed_);
    QWidget::closeEvent(event);
}

// Opens beside `mainWindow`, wholly inside the screen that shows it, or where it
// was last closed (in this run or an earlier one) when that is still on a screen.
void ReceptionWindow::ShowBeside(const QWidget* mainWindow) {
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

void ReceptionWindow::loadLists() {
    // A list that could not be saved stays as it is in memory rather than being replaced by the file.
    if (!unsaved_) {
        const orv::reception::ListFile today = orv::reception::ReadList(Path(orv::reception::kTodayFile).toStdString());
        todayUnreadable_ = !today.ok && !today.missing;
        if (todayUnreadable_)
            saveStatus->setText(QStringLiteral(". فایل today.txt خوانده نشد و تا رفع مشکل ذخیره نمیشود: ") +
                                U8(today.error));
        else
            saveStatus->clear();
        std::vector<std::string> records = today.ok ? today.lines : std::vector<std::string>{};
        for (std::string& r : records) r = orv::reception::AsciiDigits(r);  // receipts compare as typed
        worklist->SetRecords(std::move(records));
    }
    if (exportDatePicker->text().trimmed().isEmpty()) exportDatePicker->setText(todayCalendar->OutDate);
    const orv::reception::ListFile codes =
        orv::reception::ReadList(Path(orv::reception::kCustomCodeFile).toStdString());
    if (codes.ok) {
        codesEncoding_ = codes.encoding;
        codeBox->clear();
        for (const std::string& c : codes.lines) codeBox->addItem(U8(c));
        codeBox->setCurrentIndex(-1);
    }
    const orv::reception::ListFile tests = orv::reception::ReadList(Path(orv::reception::kTestsFile).toStdString());
    if (tests.ok) FillTests(tests.lines);
    ShowPatient(worklist->Count() - 1);
}

// Saves the list; when that fails the window stays open with the list and says
// so, and a second close asks whether to close without saving.
bool ReceptionWindow::mayClose() {
    if (SaveToday()) return true;
    if (!closeRefused_) {
        closeRefused_ = true;
        Message(saveStatus->text());
        return false;
    }
    return orv::ui::Confirm(this, QString::fromUtf8(kCloseUnsaved));
}

void ReceptionWindow::autosave() {
    if (isVisible()) SaveToday();
}

bool ReceptionWindow::SaveToday() {
    if (todayUnreadable_) return false;
    // Always code page 1256, the central laboratory's, when every character fits it (else UTF-8, nothing lost).
    const orv::FileResult saved = orv::reception::SaveList(Path(orv::reception::kTodayFile).toStdString(),
                                                           worklist->Records(), orv::TextEncoding::Cp1256);
    unsaved_ = !saved.ok;
    saveSoonTimer->stop();
    if (saved.ok) {
        closeRefused_ = false;
        saveStatus->clear();
    } else {
        saveStatus->setText(QStringLiteral(". لیست امروز در فایل today.txt ذخیره نشد و در برنامه باقی است: ") +
                            U8(saved.error));
    }
    return saved.ok;
}

bool ReceptionWindow::SaveCodes() {
    const orv::FileResult saved =
        orv::reception::SaveList(Path(orv::reception::kCustomCodeFile).toStdString(), Codes(), codesEncoding_);
    if (!saved.ok)
        saveStatus->setText(QStringLiteral(". کدهای دلخواه در فایل customcode.txt ذخیره نشد: ") + U8(saved.error));
    return saved.ok;
}

std::vector<std::string> ReceptionWindow::Records() const { return worklist->Records(); }

std::vector<std::string> ReceptionWindow::Codes() const {
    std::vector<std::string> codes;
    codes.reserve(static_cast<size_t>(codeBox->count()));
    for (int i = 0; i < codeBox->count(); ++i) codes.push_back(codeBox->itemText(i).toStdString());
    return codes;
}

void ReceptionWindow::FillTests(const std::vector<std::string>& names) {
    catalogue_ = orv::reception::TestCatalogue(names);
    QStringList items;
    items.reserve(catalogue_.size());
    for (const std::string& n : catalogue_.Names()) items << U8(n);
    testNameBox->clear();
    testNameBox->addItems(items);
    testNameBox->setCurrentIndex(-1);
}

void ReceptionWindow::TodayKnown(const QString& solarDate) {
    exportDatePicker->setText(solarDate);
    todayCalendar->SetInDate(solarDate);
}

}  // namespace orv::reception
