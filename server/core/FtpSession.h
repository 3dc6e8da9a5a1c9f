#pragma once
// The one FTP session of the main window. Remote paths reach the server exactly
// as written, "\" and "/" included. Operations run on a worker thread, one at a
// time; Abort() may be called from any thread.
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

struct FtpEndpoint {
    std::string host;
    int port = 21;
    std::string user;
    std::string password;
    int readTimeoutMs = 5500;       // no byte for this long ends an operation
    int transferTimeoutMs = 15000;  // bound of one whole operation
};

// Where an operation failed: on the way to or from the server (log-in, connection,
// data), at the server for want of the file, or at the local file.
enum class FtpFailure { None, Transfer, RemoteMissing, LocalFile };

struct FtpResult {
    bool ok = false;
    std::string error;  // for logs and tests; the caller chooses the user's message
    FtpFailure failure = FtpFailure::None;
    explicit operator bool() const { return ok; }
    static FtpResult Ok() { return {true, {}, FtpFailure::None}; }
    static FtpResult Fail(std::string why, FtpFailure failure = FtpFailure::Transfer) {
        return {false, std::move(why), failure};
    }
};

// Bytes transferred so far in the running operation (called on the worker thread).
using FtpProgress = std::function<void(int64_t done)>;

class FtpSession {
public:
    virtual ~FtpSession() = default;

    virtual void Configure(const FtpEndpoint& endpoint) = 0;
    virtual void SetProgress(FtpProgress progress) = 0;

    // Connects and logs in. Fails while a session is already open (that session stays).
    virtual FtpResult Open() = 0;
    // Written to a temporary file that replaces `localPath` only when the whole
    // file has arrived; a failure keeps the earlier local file.
    virtual FtpResult GetFile(const std::string& remotePath, const std::string& localPath) = 0;
    virtual FtpResult GetMemory(const std::string& remotePath, std::string& bytes) = 0;
    virtual FtpResult PutFile(const std::string& localPath, const std::string& remotePath) = 0;
    virtual FtpResult PutMemory(std::string_view bytes, const std::string& remotePath) = 0;
    virtual FtpResult ChangeDir(const std::string& remoteDir) = 0;
    // The long listing of the working directory, its raw lines.
    virtual FtpResult List(std::vector<std::string>& lines) = 0;
    // Disconnects; harmless on a closed session.
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;

    // Makes the running operation (if any) fail soon; the next one runs normally.
    virtual void Abort() = 0;
};

}  // namespace orv
