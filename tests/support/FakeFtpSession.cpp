#include "tests/support/FakeFtpSession.h"

#include <thread>

#include "base/core/AtomicFile.h"

namespace orv::test {

std::vector<std::string> FakeFtpSession::Calls() const {
    std::lock_guard lock(mutex_);
    return calls_;
}

FtpResult FakeFtpSession::Step(const std::string& call, const std::string& path) {
    {
        std::lock_guard lock(mutex_);
        calls_.push_back(path.empty() ? call : call + " " + path);
    }
    const auto until = std::chrono::steady_clock::now() + delay;
    while (std::chrono::steady_clock::now() < until) {
        if (abort_.exchange(false)) return FtpResult::Fail(call + ": cancelled");
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    abort_ = false;
    if (call != "OPEN" && !open_) return FtpResult::Fail(call + ": not connected");
    if (failingPaths.count(path)) return FtpResult::Fail(call + ": failed " + path);
    return FtpResult::Ok();
}

FtpResult FakeFtpSession::Open() {
    FtpResult r = Step("OPEN", "");
    if (!r) return r;
    if (open_) return FtpResult::Fail("open: already connected");
    if (refuseOpen) return FtpResult::Fail("open: log-in refused");
    open_ = true;
    return r;
}

FtpResult FakeFtpSession::GetFile(const std::string& remotePath, const std::string& localPath) {
    std::string bytes;
    FtpResult r = GetMemory(remotePath, bytes);
    if (!r) return r;
    const FileResult w = WriteFileAtomically(localPath, bytes);
    return w ? r : FtpResult::Fail("get: " + w.error, FtpFailure::LocalFile);
}

FtpResult FakeFtpSession::GetMemory(const std::string& remotePath, std::string& bytes) {
    FtpResult r = Step("GET", remotePath);
    if (!r) return r;
    auto it = files.find(remotePath);
    if (it == files.end()) return FtpResult::Fail("get: 550 " + remotePath, FtpFailure::RemoteMissing);
    if (progress_) progress_(static_cast<int64_t>(it->second.size()));
    bytes = it->second;
    return r;
}

FtpResult FakeFtpSession::PutFile(const std::string& localPath, const std::string& remotePath) {
    std::string bytes;
    if (!ReadWholeFile(localPath, bytes)) return FtpResult::Fail("put: cannot read " + localPath, FtpFailure::LocalFile);
    return PutMemory(bytes, remotePath);
}

FtpResult FakeFtpSession::PutMemory(std::string_view bytes, const std::string& remotePath) {
    FtpResult r = Step("PUT", remotePath);
    if (r) files[remotePath] = std::string(bytes);
    return r;
}

FtpResult FakeFtpSession::ChangeDir(const std::string& remoteDir) {
    FtpResult r = Step("CWD", remoteDir);
    if (r && !listings.count(remoteDir)) return FtpResult::Fail("cwd: 550 " + remoteDir);
    if (r) cwd_ = remoteDir;
    return r;
}

FtpResult FakeFtpSession::List(std::vector<std::string>& lines) {
    FtpResult r = Step("LIST", cwd_);
    if (r) lines = listings[cwd_];
    return r;
}

FtpResult FakeFtpSession::FileInfo(const std::string& remotePath, FtpFileInfo& info) {
    info = {};
    FtpResult r = Step("INFO", remotePath);
    if (!r) return r;
    const auto file = files.find(remotePath);
    if (file == files.end()) return r;
    info.exists = true;
    info.size = static_cast<int64_t>(file->second.size());
    const auto time = mtimes.find(remotePath);
    info.mtime = time == mtimes.end() ? 0 : time->second;
    return r;
}

void FakeFtpSession::Close() {
    std::lock_guard lock(mutex_);
    calls_.push_back("CLOSE");
    open_ = false;
    cwd_.clear();
}

}  // namespace orv::test
