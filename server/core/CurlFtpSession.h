#pragma once
// FtpSession on libcurl. One easy handle driven through a multi handle (a plain
// curl_easy_perform on a reused connection stalls a second now and then); the
// control connection stays open from Open() to Close().
#include <chrono>
#include <memory>

#include "server/core/FtpSession.h"

typedef void CURL;
typedef void CURLM;

namespace orv {

class CurlFtpSession final : public FtpSession {
public:
    CurlFtpSession();
    ~CurlFtpSession() override;
    CurlFtpSession(const CurlFtpSession&) = delete;
    CurlFtpSession& operator=(const CurlFtpSession&) = delete;

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
    FtpSecurity Security() const override { return security_; }
    FtpSecurity LastOpenSecurity() const override { return lastOpenSecurity_; }
    void Abort() override;

    // The URL that makes curl send `remotePath` byte for byte (every byte but
    // A-Z a-z 0-9 - . _ ~ percent-encoded, "/" and "\" included).
    static std::string UrlFor(const std::string& host, int port, const std::string& remotePath);

    struct Transfer;  // the running operation's progress and abort state

private:
    void Prepare(const std::string& url);
    FtpResult Perform(const char* what);
    FtpResult Upload(const std::string& remotePath, size_t (*read)(char*, size_t, size_t, void*), void* source,
                     int64_t size);
    // Before an operation: a new log-in after a failure that may have left the
    // connection out of step, and before a data connection after an upload over
    // TLS (see Upload).
    FtpResult RestartIfAsked(const char* what, bool dataConnection);
    // A download's "550" as a missing file, or as a refusal when the file is there.
    FtpResult RefusedOrMissing(FtpResult r, const std::string& remotePath);

    FtpEndpoint endpoint_;
    FtpProgress progress_;
    CURL* easy_ = nullptr;
    CURLM* multi_ = nullptr;
    bool open_ = false;
    FtpSecurity security_ = FtpSecurity::Closed;
    FtpSecurity lastOpenSecurity_ = FtpSecurity::Closed;
    std::string cwd_;
    bool restartBeforeData_ = false;
    bool freshConnection_ = false;
    std::atomic<bool> abort_{false};
    std::unique_ptr<Transfer> transfer_;
    char errbuf_[256] = {};
};

}  // namespace orv
