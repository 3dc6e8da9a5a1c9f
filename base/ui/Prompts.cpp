#include "base/ui/Prompts.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace orv::ui {
namespace {
// One responder of each kind; `Kind` tells apart kinds of the same signature.
template <typename Responder, int Kind = 0>
Responder& Slot() {
    static Responder r;
    return r;
}
constexpr int kOpenFile = 1;    // the open-file dialog: the save dialog's signature
constexpr int kOpenFailed = 1;  // a program that failed to open a file: the hand-off's signature
}  // namespace

void SetMessageResponder(MessageResponder responder) { Slot<MessageResponder>() = std::move(responder); }
void SetSaveFileResponder(SaveFileResponder responder) { Slot<SaveFileResponder>() = std::move(responder); }
void SetOpenResponder(OpenResponder responder) { Slot<OpenResponder>() = std::move(responder); }
void SetOpenFileResponder(OpenFileResponder responder) { Slot<OpenFileResponder, kOpenFile>() = std::move(responder); }
void SetOpenFailedResponder(OpenFailedResponder responder) { Slot<OpenFailedResponder, kOpenFailed>() = std::move(responder); }
void SetBeepResponder(BeepResponder responder) { Slot<BeepResponder>() = std::move(responder); }

QMessageBox::StandardButton MessageBox(QWidget* parent, const QString& caption, const QString& text,
                                       QMessageBox::StandardButtons buttons, QMessageBox::Icon icon) {
    if (const auto& answer = Slot<MessageResponder>()) return answer(caption, text, buttons);
    QMessageBox box(icon, caption, text, buttons, parent);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

bool Confirm(QWidget* parent, const QString& text) {
    return MessageBox(parent, u"Attention"_s, text, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Question) ==
           QMessageBox::Ok;
}

QString SaveFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filter) {
    if (const auto& answer = Slot<SaveFileResponder>()) return answer(caption, dir, filter);
    return QFileDialog::getSaveFileName(parent, caption, dir, filter);
}

QString OpenFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filter) {
    if (const auto& answer = Slot<OpenFileResponder, kOpenFile>()) return answer(caption, dir, filter);
    return QFileDialog::getOpenFileName(parent, caption, dir, filter);
}

QString SaveFileAs(QWidget* parent, const QString& kind, const QString& suffix, const QString& dir) {
    QString name = SaveFileName(parent, QString(), dir, kind + u" (*."_s + suffix + u')');
    if (!name.isEmpty() && QFileInfo(name).suffix().isEmpty()) name += u'.' + suffix;
    return name;
}

bool OpenUrl(const QUrl& url) {
    if (const auto& answer = Slot<OpenResponder>()) return answer(url);
    return QDesktopServices::openUrl(url);
}

bool OpenFile(const QString& path) { return OpenUrl(QUrl::fromLocalFile(path)); }

namespace {

// The desktop's opener whose exit status says whether the program it chose
// opened the file: xdg-open, else gio; empty where there is none (Windows,
// macOS), where the shell's own answer is all there is.
QStringList Opener(const QString& target) {
    const QString xdg = QStandardPaths::findExecutable(u"xdg-open"_s);
    if (!xdg.isEmpty()) return {xdg, target};
    const QString gio = QStandardPaths::findExecutable(u"gio"_s);
    if (!gio.isEmpty()) return {gio, u"open"_s, target};
    return {};
}

}  // namespace

bool OpenFile(const QString& path, QObject* context, std::function<void()> failed) {
    return OpenUrl(QUrl::fromLocalFile(path), context, std::move(failed));
}

bool OpenUrl(const QUrl& url, QObject* context, std::function<void()> failed) {
    const QPointer<QObject> alive(context);
    const auto report = [alive, bound = context != nullptr, failed = std::move(failed)] {
        if (failed && (alive || !bound)) failed();
    };
    if (const auto& answer = Slot<OpenResponder>()) {
        if (!answer(url)) return false;
        if (const auto& fails = Slot<OpenFailedResponder, kOpenFailed>(); fails && fails(url))
            QTimer::singleShot(0, context ? context : QCoreApplication::instance(), report);
        return true;
    }
    const QStringList opener = Opener(url.isLocalFile() ? url.toLocalFile() : url.toString(QUrl::FullyEncoded));
    if (opener.isEmpty()) return QDesktopServices::openUrl(url);
    // The opener may wait for the program to close: it runs on, unowned, and
    // goes once it has ended. Its output is nobody's.
    auto* process = new QProcess;
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    QObject::connect(process, &QProcess::finished, process, [process, report](int code, QProcess::ExitStatus status) {
        if (status != QProcess::NormalExit || code != 0) report();
        process->deleteLater();
    });
    process->start(opener.first(), opener.mid(1));
    if (!process->waitForStarted(5000)) {
        delete process;
        return QDesktopServices::openUrl(url);
    }
    return true;
}

void Beep() {
    if (const auto& answer = Slot<BeepResponder>()) return answer();
    QApplication::beep();
}

}  // namespace orv::ui
