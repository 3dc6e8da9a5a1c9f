#pragma once
// The one FTP session of the main window. Remote paths reach the server exactly
// as written (absolute, "/" between folders: base/core/RemotePath.h). Operations
// run on a worker thread, one at a time; Abort() may be called from any thread.
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

// FTP over TLS (explicit, "AUTH TLS" of RFC 4217) as orvanet.ini's [ftp] tls= asks.
enum class FtpTls {
    Off,       // plain FTP
    Try,       // TLS when the server offers it, plain FTP otherwise
    Required,  // no log-in without TLS on the control and the data connections
};

// What the open session turned out to be.
enum class FtpSecurity {
    Closed,
    Plain,  // the password and the files travel as they are
    Tls,    // control and data connections encrypted, the certificate verified
};

struct FtpEndpoint {
    std::string host;
    int port = 21;
    std::string user;
    std::string password;
    int readTimeoutMs = 5500;       // connecting, and each control answer, within this long
    int transferTimeoutMs = 15000;  // a transfer moving no byte for this long ends
    FtpTls tls = FtpTls::Try;
    std::string caFile;  // a certificate authority trusted beside the system's; empty: none
};

// Why an operation failed, where the user is told something other than "the server does not answer".
enum class FtpFailure {
    None,
    Other,           // on the way to or from the server: connection, data
    Unreachable,     // no connection was made at all: the host unknown, nothing listening, no route
    LogIn,           // the server refused the user name or the password (530)
    Certificate,     // the server's certificate failed verification (or ca_file cannot be read)
    TlsUnavailable,  // tls=required and the server offers no TLS
    CleartextRefused,  // the server takes no log-in without TLS ("421 ... cleartext sessions not accepted")
    Tls,             // the TLS handshake failed
    RemoteMissing,   // the server has no such file (550, and neither SIZE nor MDTM knew it)
    Refused,         // the server refused the request for good (another 5xx: a name not allowed,
                     // no permission); `error` is the server's answer
    Unconfirmed,     // an upload the server took, but whose size there is not the size sent
    LocalFile,       // the local file could not be written or read
};

struct FtpResult {
    bool ok = false;
    std::string error;  // for logs and tests; the caller chooses the user's message
    FtpFailure failure = FtpFailure::None;
    explicit operator bool() const { return ok; }
    static FtpResult Ok() { return {true, {}, FtpFailure::None}; }
    static FtpResult Fail(std::string why, FtpFailure kind = FtpFailure::Other) {
        return {false, std::move(why), kind};
    }
};

// What the server says of one file without sending it (SIZE and MDTM).
struct FtpFileInfo {
    bool exists = false;
    int64_t size = -1;   // bytes
    int64_t mtime = -1;  // seconds since 1970 (UTC), -1 when the server does not say
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
    // An upload succeeds only once the server says (SIZE) that the file it keeps
    // has every byte sent.
    virtual FtpResult PutFile(const std::string& localPath, const std::string& remotePath) = 0;
    virtual FtpResult PutMemory(std::string_view bytes, const std::string& remotePath) = 0;
    virtual FtpResult ChangeDir(const std::string& remoteDir) = 0;
    // The long listing of the working directory, its raw lines: the folder
    // changed to, then LIST with no argument (a server may split an argument
    // at its spaces).
    virtual FtpResult List(std::vector<std::string>& lines) = 0;
    // The size and modification time of one file (SIZE, MDTM), no data connection.
    // A file the server does not have is no failure: `info.exists` is false.
    virtual FtpResult FileInfo(const std::string& remotePath, FtpFileInfo& info) {
        (void)remotePath;
        info = {};
        return FtpResult::Fail("file info: not supported");
    }
    // Disconnects; harmless on a closed session.
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    // Plain or TLS once open; a session without TLS support is plain.
    virtual FtpSecurity Security() const { return IsOpen() ? FtpSecurity::Plain : FtpSecurity::Closed; }
    // What the last Open reached before it logged in or failed: TLS once the server
    // took "AUTH TLS" and "PROT P", plain when it went on without, closed when it
    // never got that far.
    virtual FtpSecurity LastOpenSecurity() const { return Security(); }

    // Makes the running operation (if any) fail soon; the next one runs normally.
    virtual void Abort() = 0;
};

}  // namespace orv
