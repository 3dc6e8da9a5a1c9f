#include "server/ui/TestsInfoWindow.h"

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

namespace orv::ui {

TestsInfoWindow::TestsInfoWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(u"Form3"_s);
    setWindowTitle(u"Tests Information"_s);
    // System menu and minimise button only.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(kClientWidth, kClientHeight);

    documentText = new QTextEdit(this);
    documentText->setObjectName(u"RichEdit1"_s);
    documentText->setGeometry(0, 0, kClientWidth, kClientHeight - kStrip);
    documentText->setReadOnly(true);
    documentText->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    documentText->setLineWrapMode(QTextEdit::NoWrap);
    documentText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette palette = documentText->palette();
    palette.setColor(QPalette::Base, QColor(0xE1, 0xE4, 0xFF));
    // The selection stays visible when the search box has the focus.
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    documentText->setPalette(palette);

    const int y = kClientHeight - kStrip;
    searchIcon = new QLabel(this);
    searchIcon->setObjectName(u"Image1"_s);
    searchIcon->setPixmap(style()->standardIcon(QStyle::SP_FileDialogContentsView).pixmap(20, 20));
    searchIcon->setGeometry(10, y + 9, 20, 20);
    searchField = new QLineEdit(this);
    searchField->setObjectName(u"Edit1"_s);
    searchField->setGeometry(38, y + 7, 290, 24);
    searchField->installEventFilter(this);
    findNextButton = Button(this, "SpeedButton5", u"Find next   "_s, QRect(336, y + 5, 110, 28));
    updateButton = Button(this, "SpeedButton2", u"Update"_s, QRect(572, y + 5, 105, 28));
    updateButton->setToolTip(u"Referesh"_s);
    closeButton = Button(this, "SpeedButton1", u"Close"_s, QRect(689, y + 5, 105, 28));

    loadTimer = new QTimer(this);
    loadTimer->setObjectName(u"Timer1"_s);
    loadTimer->setSingleShot(true);
    loadTimer->setInterval(200);

    connect(loadTimer, &QTimer::timeout, this, &TestsInfoWindow::loadDocument);
    connect(searchField, &QLineEdit::textChanged, this, &TestsInfoWindow::onSearchChanged);
    connect(searchField, &QLineEdit::returnPressed, this, [this] { onSearchKey(QChar(u'\r')); });
    connect(findNextButton, &QToolButton::clicked, this, &TestsInfoWindow::findNext);
    connect(updateButton, &QToolButton::clicked, this, &TestsInfoWindow::updateDocument);
    connect(closeButton, &QToolButton::clicked, this, &TestsInfoWindow::close);
}

void TestsInfoWindow::showEvent(QShowEvent* event) {
    if (centreOn) {
        QRect frame = frameGeometry();
        frame.moveCenter(centreOn->frameGeometry().center());
        move(frame.topLeft());
    }
    QDialog::showEvent(event);
    startLoading();
}

bool TestsInfoWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == searchField && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        onSearchClicked();
    return QDialog::eventFilter(watched, event);
}

void TestsInfoWindow::startLoading() {
    documentText->clear();
    text_.clear();
    loadTimer->start();
}

void TestsInfoWindow::loadDocument() {
    loadTimer->stop();
    if (QFile::exists(localPath)) {
        if (!loadLocalCopy()) return;
        for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
        putSearchText();
        QCoreApplication::processEvents();
        restoreCursor();
        return;
    }
    restoreCursor();
    if (orv::ui::Confirm(this, kNotDownloaded)) updateDocument();
}

void TestsInfoWindow::onSearchChanged() { searchFromStart(true); }

void TestsInfoWindow::onSearchClicked() { searchFromStart(false); }

void TestsInfoWindow::searchFromStart(bool tellNoMatch) {
    const QString what = searchField->text();
    if (what.isEmpty()) return;
    lastMatch = findText(what, 0, textLength());
    // A match at the very first character is a match.
    if (lastMatch < 0) {
        if (tellNoMatch) orv::ui::MessageBox(this, u"Attention"_s, kNoMatch);
        return;
    }
    showMatch(lastMatch);
    if (clearStatus) clearStatus();
    restoreCursor();
}

void TestsInfoWindow::onSearchKey(QChar key) {
    if (key != u'\r') return;
    const int found = findText(searchField->text(), 1, textLength());
    if (found == -1) return;
    documentText->setFocus();
    showMatch(found);
}

void TestsInfoWindow::findNext() {
    const QString what = searchField->text();
    const int from = std::max(0, lastMatch + static_cast<int>(what.size()));
    lastMatch = what.isEmpty() ? -1 : findText(what, from, textLength() - from);
    if (lastMatch < 0) {
        orv::ui::MessageBox(this, u"Attention"_s, kNoMoreMatch);
        return;
    }
    showMatch(lastMatch);
}

void TestsInfoWindow::updateDocument() {
    if (!download || !download()) return;
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    if (!loadLocalCopy()) return;
    QCoreApplication::processEvents();
    putSearchText();
    restoreCursor();
}

int TestsInfoWindow::findText(const QString& what, int start, int length) const {
    if (what.isEmpty() || start < 0 || length <= 0 || start >= text_.size()) return -1;
    const qsizetype at = text_.indexOf(what, start, Qt::CaseInsensitive);
    if (at < 0 || at + what.size() > static_cast<qsizetype>(start) + length) return -1;
    return static_cast<int>(at);
}

int TestsInfoWindow::textLength() const { return static_cast<int>(text_.size()); }

bool TestsInfoWindow::loadLocalCopy() {
    orv::ui::LoadedDocument loaded = orv::ui::LoadTextDocument(localPath);
    if (!loaded.document) {
        restoreCursor();
        orv::ui::MessageBox(this, u"Attention"_s, loaded.error);
        return false;
    }
    // The editor's own first document goes with setDocument; ours are its children.
    QTextDocument* old = documentText->document()->parent() == documentText ? documentText->document() : nullptr;
    loaded.document->setParent(documentText);
    loaded.document->setDefaultFont(documentText->font());
    documentText->setDocument(loaded.document.release());
    delete old;
    text_ = documentText->document()->toRawText();
    return true;
}

void TestsInfoWindow::putSearchText() {
    searchField->clear();
    searchField->setText(searchText);
}

void TestsInfoWindow::showMatch(int position) {
    // Past the match first, so the text after it scrolls into view.
    QTextCursor cursor(documentText->document());
    const int last = std::max(0, documentText->document()->characterCount() - 1);
    cursor.setPosition(std::min(position + 200, last));
    documentText->setTextCursor(cursor);
    documentText->ensureCursorVisible();
    cursor.setPosition(std::min(position, last));
    cursor.setPosition(std::min(position + static_cast<int>(searchField->text().size()), last), QTextCursor::KeepAnchor);
    documentText->setTextCursor(cursor);
    documentText->ensureCursorVisible();
}

void TestsInfoWindow::restoreCursor() {
    while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
}

}  // namespace orv::ui
