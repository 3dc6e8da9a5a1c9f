#include "server/ui/ServerAction.h"

#include "server/core/ServerMessages.h"

namespace orv {
namespace {

std::string Path(const QString& s) { return s.toStdString(); }

}  // namespace

QString ServerAction::FailureMessage(const FtpResult& result) const {
    return QString::fromStdString(msg::TransferFailure(result, failureText.toStdString(), notReadyText.toStdString(),
                                                       localFailureText.toStdString()));
}

ServerAction ServerAction::Download(const QString& remote, const QString& local, qint64 max) {
    ServerAction a;
    a.source = remote;
    a.dest = local;
    a.max = max;
    a.transfer = [r = Path(remote), l = Path(local)](FtpSession& s) { return s.GetFile(r, l); };
    return a;
}

ServerAction ServerAction::DownloadToMemory(const QString& remote, std::string* out, qint64 max) {
    ServerAction a;
    a.source = remote;
    a.max = max;
    a.transfer = [r = Path(remote), out](FtpSession& s) { return s.GetMemory(r, *out); };
    return a;
}

ServerAction ServerAction::Upload(const QString& local, const QString& remote) {
    ServerAction a;
    a.source = local;
    a.dest = remote;
    a.transfer = [l = Path(local), r = Path(remote)](FtpSession& s) { return s.PutFile(l, r); };
    return a;
}

ServerAction ServerAction::UploadBytes(const QByteArray& bytes, const QString& remote) {
    ServerAction a;
    a.dest = remote;
    a.max = bytes.size();
    a.transfer = [bytes, r = Path(remote)](FtpSession& s) {
        return s.PutMemory(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())), r);
    };
    return a;
}

ServerAction ServerAction::ListFolder(const QString& folder, std::vector<std::string>* lines) {
    ServerAction a;
    a.source = folder;
    a.transfer = [f = Path(folder), lines](FtpSession& s) {
        FtpResult r = s.ChangeDir(f);
        return r ? s.List(*lines) : r;
    };
    return a;
}

}  // namespace orv
