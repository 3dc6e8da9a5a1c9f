#pragma once
// An FtpSession in memory for unit tests: remote files are a map, every call is
// recorded, and faults can be set per path.
#include <chrono>
#include <map>
#include <mutex>
#include <set>

#include "server/core/FtpSession.h"

namespace orv::test {

class FakeFtpSession final : public FtpSession {
public:
    // Remote files by path, exactly as a client writes the path.
    std::map<std::string, std::string> files;
    std::map<std::string, std::vector<std::string>> listings;  // folder -> LIST lines
    bool refuseOpen = false;
    std::set<std::string> failingPaths;  // transfers of these paths fail
    std::chrono::milliseconds delay{0};  // every operation takes this long (abortable)
    std::map<std::string, int64_t> mtimes;  // path -> modification time (FileInfo)

    void Configure(const FtpEndpoint& endpoint) override { endpoint_ = endpoint; }
    void SetProgress(FtpProgress progress) override { progress_ = std::move(progress); }
    FtpResult Open() override;
    FtpResult GetFile(const std::string& remotePath, const std::string& localPath) override;
    FtpResult GetMemory(const std::string& remotePath, std::string& bytes) override;
    FtpResult PutFile(const std::string& localPath, const std::string& remotePath) override;
    FtpResult PutMemory(std::string_view bytes, const std::string& remotePath) override;
    FtpResult ChangeDir(const std::string& remoteDir) override;
    FtpResult List(std::vector<std::string>& lines) override;
    FtpResult FileInfo(const std::string& remotePath, FtpFileInfo& info) override;
    void Close() override;
    bool IsOpen() const override { return open_; }
    void Abort() override { abort_ = true; }

    // "OPEN", "GET /Text Result\12\x.txt", "PUT pay/may/x", "CWD /Help Files", "LIST", "INFO path", "CLOSE".
    std::vector<std::string> Calls() const;
    const FtpEndpoint& Endpoint() const { return endpoint_; }

private:
    FtpResult Step(const std::string& call, const std::string& path);

    mutable std::mutex mutex_;
    std::vector<std::string> calls_;
    FtpEndpoint endpoint_;
    FtpProgress progress_;
    bool open_ = false;
    std::string cwd_;
    std::atomic<bool> abort_{false};
};

}  // namespace orv::test
