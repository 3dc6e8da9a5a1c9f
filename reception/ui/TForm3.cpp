#include "reception/ui/TForm3.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyle>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <algorithm>

#include "base/ui/Prompts.h"
#include "server/ui/RichTextDocument.h"

using namespace Qt::StringLiterals;

namespace {
const QString kNoMatch = u"no match found. "_s;
const QString kNoMoreMatch = u"There is no more match. "_s;
const QString kNotDownloaded =
    u"این فایل هنوز برای شما داونلود نشده. آیا مایلید آخرین ویرایش این فایل را داونلود کنید؟"_s;
constexpr int kClientWidth = 804;
constexpr int kClientHeight = 407;
constexpr int kStrip = 38;  // the bottom strip with the search box and the buttons

QToolButton* Button(QWidget* parent, const char* name, const QString& caption, const QRect& place) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setText(caption);
    b->setGeometry(place);
    b->setAutoRaise(false);
    return b;
}
}  // namespace

TForm3::TForm3(QWidget* parent) : QDialog(parent) {
    setObjectName(u"Form3"_s);
    setWindowTitle(u"Tests Information"_s);
    // System menu and minimise button only.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(kClientWidth, kClientHeight);

    RichEdit1 = new QTextEdit(this);
    RichEdit1->setObjectName(u"RichEdit1"_s);
    RichEdit1->setGeometry(0, 0, kClientWidth, kClientHeight - kStrip);
    RichEdit1->setReadOnly(true);
    RichEdit1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    RichEdit1->setLineWrapMode(QTextEdit::NoWrap);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette palette = RichEdit1->palette();
    palette.setColor(QPalette::Base, QColor(0xE1, 0xE4, 0xFF));
    // The selection stays visible when the search box has the focus.
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    RichEdit1->setPalette(palette);

    const int y = kClientHeight - kStrip;
    Image1 = new QLabel(this);
    Image1->setObjectName(u"Image1"_s);
    Image1->setPixmap(style()->standardIcon(QStyle::SP_FileDialogContentsView).pixmap(20, 20));
    Image1->setGeometry(10, y + 9, 20, 20);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(u"Edit1"_s);
    Edit1->setGeometry(38, y + 7, 290, 24);
    Edit1->installEventFilter(this);
    SpeedButton5 = Button(this, "SpeedButton5", u"Find next   "_s, QRect(336, y + 5, 110, 28));
    SpeedButton2 = Button(this, "SpeedButton2", u"Update"_s, QRect(572, y + 5, 105, 28));
    SpeedButton2->setToolTip(u"Referesh"_s);
    SpeedButton1 = Button(this, "SpeedButton1", u"Close"_s, QRect(689, y + 5, 105, 28));

    Timer1 = new QTimer(this);
    Timer1->setObjectName(u"Timer1"_s);
    Timer1->setSingleShot(true);
    Timer1->setInterval(200);

    connect(Timer1, &QTimer::timeout, this, &TForm3::Timer1Timer);
    connect(Edit1, &QLineEdit::textChanged, this, &TForm3::Edit1Change);
    connect(Edit1, &QLineEdit::returnPressed, this, [this] { Edit1KeyPress(QChar(u'\r')); });
    connect(SpeedButton5, &QToolButton::clicked, this, &TForm3::SpeedButton5Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TForm3::SpeedButton2Click);
    connect(SpeedButton1, &QToolButton::clicked, this, &TForm3::SpeedButton1Click);
}

void TForm3::showEvent(QShowEvent* event) {
    if (centreOn) {
        QRect frame = frameGeometry();
        frame.moveCenter(centreOn->frameGeometry().center());
        move(frame.topLeft());
    }
    QDialog::showEvent(event);
    FormShow();
}

bool TForm3::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Edit1 && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        Edit1Click();
    return QDialog::eventFilter(watched, event);
}

void TForm3::FormShow() {
    RichEdit1->clear();
    text_.clear();
    Timer1->start();
}

void TForm3::Timer1Timer() {
    Timer1->stop();
    if (QFile::exists(dest)) {
        if (!LoadDest()) return;
        for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
        SetSearchText();
        QCoreApplication::processEvents();
        NormalCursor();
        return;
    }
    NormalCursor();
    if (orv::ui::Confirm(this, kNotDownloaded)) SpeedButton2Click();
}

void TForm3::Edit1Change() { SearchTyped(true); }

void TForm3::Edit1Click() { SearchTyped(false); }

void TForm3::SearchTyped(bool tellNoMatch) {
    const QString what = Edit1->text();
    if (what.isEmpty()) return;
    fi = FindText(what, 0, TextLength());
    // A match at the very first character is a match.
    if (fi < 0) {
        if (tellNoMatch) orv::ui::MessageBox(this, u"Attention"_s, kNoMatch);
        return;
    }
    ShowMatch(fi);
    if (clearStatus) clearStatus();
    NormalCursor();
}

void TForm3::Edit1KeyPress(QChar key) {
    if (key != u'\r') return;
    const int found = FindText(Edit1->text(), 1, TextLength());
    if (found == -1) return;
    RichEdit1->setFocus();
    ShowMatch(found);
}

void TForm3::SpeedButton5Click() {
    const QString what = Edit1->text();
    const int from = std::max(0, fi + static_cast<int>(what.size()));
    fi = what.isEmpty() ? -1 : FindText(what, from, TextLength() - from);
    if (fi < 0) {
        orv::ui::MessageBox(this, u"Attention"_s, kNoMoreMatch);
        return;
    }
    ShowMatch(fi);
}

void TForm3::SpeedButton2Click() {
    if (!download || !download()) return;
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    if (!LoadDest()) return;
    QCoreApplication::processEvents();
    SetSearchText();
    NormalCursor();
}

void TForm3::SpeedButton1Click() { close(); }

int TForm3::FindText(const QString& what, int start, int length) const {
    if (what.isEmpty() || start < 0 || length <= 0 || start >= text_.size()) return -1;
    const qsizetype at = text_.indexOf(what, start, Qt::CaseInsensitive);
    if (at < 0 || at + what.size() > static_cast<qsizetype>(start) + length) return -1;
    return static_cast<int>(at);
}

int TForm3::TextLength() const { return static_cast<int>(text_.size()); }

bool TForm3::LoadDest() {
    orv::ui::LoadedDocument loaded = orv::ui::LoadTextDocument(dest);
    if (!loaded.document) {
        NormalCursor();
        orv::ui::MessageBox(this, u"Attention"_s, loaded.error);
        return false;
    }
    // The editor's own first document goes with setDocument; ours are its children.
    QTextDocument* old = RichEdit1->document()->parent() == RichEdit1 ? RichEdit1->document() : nullptr;
    loaded.document->setParent(RichEdit1);
    loaded.document->setDefaultFont(RichEdit1->font());
    RichEdit1->setDocument(loaded.document.release());
    delete old;
    text_ = RichEdit1->document()->toRawText();
    return true;
}

void TForm3::SetSearchText() {
    Edit1->clear();
    Edit1->setText(ser);
}

void TForm3::ShowMatch(int position) {
    // Past the match first, so the text after it scrolls into view.
    QTextCursor cursor(RichEdit1->document());
    const int last = std::max(0, RichEdit1->document()->characterCount() - 1);
    cursor.setPosition(std::min(position + 200, last));
    RichEdit1->setTextCursor(cursor);
    RichEdit1->ensureCursorVisible();
    cursor.setPosition(std::min(position, last));
    cursor.setPosition(std::min(position + static_cast<int>(Edit1->text().size()), last), QTextCursor::KeepAnchor);
    RichEdit1->setTextCursor(cursor);
    RichEdit1->ensureCursorVisible();
}

void TForm3::NormalCursor() {
    while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
}
