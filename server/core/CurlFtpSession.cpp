#include "server/core/CurlFtpSession.h"

#include <curl/curl.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <optional>

#include "base/core/AtomicFile.h"

namespace orv {

struct CurlFtpSession::Transfer {
    std::chrono::steady_clock::time_point lastActivity;
    curl_off_t lastBytes = 0;
    int transferTimeoutMs = 15000;
    bool stalled = false;
    std::atomic<bool>* abort = nullptr;
    FtpProgress* progress = nullptr;
    // The control dialogue, as far as TLS goes: the answers to AUTH and PROT
    // (0 while not sent on this operation's connection).
    std::string lastCommand;
    int authReply = 0;
    int protReply = 0;
    // The server's last answer on the control connection ("553 Prohibited file name"),
    // every line of a longer one.
    int lastReply = 0;
    std::string lastReplyText;
    std::string partialReply;  // the lines of an answer still coming
    // What this operation learnt of its file: the answers to SIZE and MDTM (0: not asked).
    int sizeReply = 0;
    int mdtmReply = 0;
    std::string sizeReplyText;
    // A transfer was asked for (RETR, STOR, LIST...): a failure after it may leave
    // the control connection out of step.
    bool transferAsked = false;
    // Since when the server owes an answer (the greeting, or the command last
    // sent); none while it owes nothing.
    std::optional<std::chrono::steady_clock::time_point> awaiting;
    bool answerLate = false;  // an answer did not come within the read timeout
    // The server refused the log-in because it wants TLS ("421 ... cleartext sessions not accepted").
    bool cleartextRefused = false;
};

namespace {

std::once_flag curlInit;

int OnProgress(void* p, curl_off_t, curl_off_t dlnow, curl_off_t, curl_off_t ulnow) {
    auto* t = static_cast<CurlFtpSession::Transfer*>(p);
    if (t->abort->load()) return 1;
    const auto now = std::chrono::steady_clock::now();
    const curl_off_t bytes = dlnow + ulnow;
    if (bytes != t->lastBytes) {
        t->lastBytes = bytes;
        t->lastActivity = now;
        if (*t->progress) (*t->progress)(bytes);
    } else if (now - t->lastActivity > std::chrono::milliseconds(t->transferTimeoutMs)) {
        // No byte moved for this long: the data connection is dead, however long
        // the transfer has run (waits for control answers have their own limit).
        t->stalled = true;
        return 1;
    }
    return 0;
}

bool SaysTlsWanted(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const char* words : {"cleartext", "clear text", "tls", "ssl", "encryption", "secure"})
        if (text.find(words) != std::string::npos) return true;
    return false;
}

// Watches the control connection: the answers to AUTH and PROT (with no other
// way to ask libcurl whether "try" ended up encrypted), to SIZE and MDTM, the
// last answer in the server's words, and whether an answer is owed.
int OnDebug(CURL*, curl_infotype type, char* data, size_t size, void* p) {
    auto* t = static_cast<CurlFtpSession::Transfer*>(p);
    if (type == CURLINFO_HEADER_OUT) {
        t->lastCommand.assign(data, std::min<size_t>(size, 4));
        if (t->lastCommand == "RETR" || t->lastCommand == "STOR" || t->lastCommand == "APPE" ||
            t->lastCommand == "LIST" || t->lastCommand == "NLST" || t->lastCommand == "MLSD")
            t->transferAsked = true;
        t->awaiting = std::chrono::steady_clock::now();
        return 0;
    }
    if (type != CURLINFO_HEADER_IN || size < 4 || !std::isdigit(static_cast<unsigned char>(data[0])) ||
        !std::isdigit(static_cast<unsigned char>(data[1])) || !std::isdigit(static_cast<unsigned char>(data[2])))
        return 0;
    std::string line(data, size);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    if (data[3] == '-') {  // a line of a longer answer
        t->partialReply += line + " ";
        return 0;
    }
    if (data[3] != ' ') return 0;
    // The last line of an answer.
    const int code = (data[0] - '0') * 100 + (data[1] - '0') * 10 + (data[2] - '0');
    t->awaiting.reset();  // a transfer's end is owed too, but timed by its data and libcurl
    if (t->lastCommand == "AUTH") t->authReply = code;
    if (t->lastCommand == "PROT") t->protReply = code;
    t->lastReply = code;
    t->lastReplyText = t->partialReply + line;
    t->partialReply.clear();
    if (t->lastCommand == "SIZE") {
        t->sizeReply = code;
        t->sizeReplyText = t->lastReplyText;
    }
    if (t->lastCommand == "MDTM") t->mdtmReply = code;
    // A log-in refused for want of TLS (pure-ftpd: "421 Sorry, cleartext sessions ... are not
    // accepted", vsftpd: "530 Non-anonymous sessions must use encryption").
    const bool logIn = t->lastCommand.empty() || t->lastCommand == "USER" || t->lastCommand == "PASS";
    if (logIn && code >= 400 && t->authReply != 234 && SaysTlsWanted(t->lastReplyText)) t->cleartextRefused = true;
    return 0;
}

// How a failed operation ended, from curl's code and the server's last answer.
FtpFailure FailureOf(CURLcode code, int lastReply) {
    switch (code) {
        case CURLE_PEER_FAILED_VERIFICATION:
        case CURLE_SSL_CACERT_BADFILE:
        case CURLE_SSL_ISSUER_ERROR:
        case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
            return FtpFailure::Certificate;
        case CURLE_USE_SSL_FAILED:
            return FtpFailure::TlsUnavailable;
        case CURLE_SSL_CONNECT_ERROR:
            return FtpFailure::Tls;
        case CURLE_REMOTE_FILE_NOT_FOUND:  // 550 to SIZE or RETR: the server has no such file
            return FtpFailure::RemoteMissing;
        case CURLE_LOGIN_DENIED:
            return FtpFailure::LogIn;
        case CURLE_COULDNT_RESOLVE_HOST:
        case CURLE_COULDNT_RESOLVE_PROXY:
        case CURLE_COULDNT_CONNECT:
            return FtpFailure::Unreachable;
        default:
            break;
    }
    // The server said no to the request itself: 550 is "no such file or folder",
    // any other permanent answer (553 a name not allowed, 532 or 550 permission)
    // does not change by trying again. A 5xx after a transfer began (a broken
    // data connection ends in 426 or 451) is no refusal.
    if (lastReply == 530) return FtpFailure::LogIn;
    if (lastReply == 550) return FtpFailure::RemoteMissing;
    if (lastReply >= 500 && lastReply < 600 && code != CURLE_PARTIAL_FILE && code != CURLE_OPERATION_TIMEDOUT)
        return FtpFailure::Refused;
    return FtpFailure::Other;
}

long UseSsl(FtpTls tls) {
    switch (tls) {
        case FtpTls::Off:
            return CURLUSESSL_NONE;
        case FtpTls::Try:
            return CURLUSESSL_TRY;
        case FtpTls::Required:
            return CURLUSESSL_ALL;
    }
    return CURLUSESSL_ALL;
}

FtpSecurity SecurityOf(const CurlFtpSession::Transfer& t) {
    const bool control = t.authReply == 234;                      // "AUTH TLS successful"
    const bool data = t.protReply >= 200 && t.protReply < 300;  // "PROT P" accepted
    return control && data ? FtpSecurity::Tls : FtpSecurity::Plain;
}

size_t ToString(char* data, size_t size, size_t n, void* out) {
    static_cast<std::string*>(out)->append(data, size * n);
    return size * n;
}

size_t ToWriter(char* data, size_t size, size_t n, void* out) {
    return static_cast<AtomicFileWriter*>(out)->Write(data, size * n) ? size * n : 0;
}

size_t Discard(char*, size_t size, size_t n, void*) { return size * n; }

size_t FromFile(char* buffer, size_t size, size_t n, void* in) {
    return std::fread(buffer, size, n, static_cast<FILE*>(in));
}

struct MemorySource {
    std::string_view bytes;
    size_t offset = 0;
};

size_t FromMemory(char* buffer, size_t size, size_t n, void* in) {
    auto* src = static_cast<MemorySource*>(in);
    const size_t count = std::min(size * n, src->bytes.size() - src->offset);
    std::memcpy(buffer, src->bytes.data() + src->offset, count);
    src->offset += count;
    return count;
}

}  // namespace

CurlFtpSession::CurlFtpSession() : transfer_(std::make_unique<Transfer>()) {
    std::call_once(curlInit, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

CurlFtpSession::~CurlFtpSession() { Close(); }

std::string CurlFtpSession::UrlFor(const std::string& host, int port, const std::string& remotePath) {
    static const char* hex = "0123456789ABCDEF";
    std::string url = "ftp://" + host + ":" + std::to_string(port) + "/";
    for (unsigned char c : remotePath) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
            c == '_' || c == '~') {
            url += static_cast<char>(c);
        } else {
            url += '%';
            url += hex[c >> 4];
            url += hex[c & 15];
        }
    }
    return url;
}

void CurlFtpSession::Prepare(const std::string& url) {
    curl_easy_reset(easy_);
    errbuf_[0] = 0;
    curl_easy_setopt(easy_, CURLOPT_URL, url.c_str());
    curl_easy_setopt(easy_, CURLOPT_ERRORBUFFER, errbuf_);
    curl_easy_setopt(easy_, CURLOPT_USERNAME, endpoint_.user.c_str());
    curl_easy_setopt(easy_, CURLOPT_PASSWORD, endpoint_.password.c_str());
    curl_easy_setopt(easy_, CURLOPT_FTP_FILEMETHOD, static_cast<long>(CURLFTPMETHOD_NOCWD));
    curl_easy_setopt(easy_, CURLOPT_FTP_USE_EPSV, 1L);
    curl_easy_setopt(easy_, CURLOPT_IPRESOLVE, static_cast<long>(CURL_IPRESOLVE_V4));
    curl_easy_setopt(easy_, CURLOPT_PROXY, "");  // direct, whatever the environment says
    curl_easy_setopt(easy_, CURLOPT_NOSIGNAL, 1L);
    // No bound on a whole transfer: a large file on a slow line may take long, as
    // long as its bytes keep coming (the progress callback watches that).
    // Each answer within the read timeout (Perform watches it to the millisecond,
    // the answer to PASS within twice that; libcurl's own limit, in whole seconds,
    // backs it), not the whole log-in: a server may take its time over a wrong
    // password's 530 or answer every command slowly. The log-in as a whole
    // (greeting, AUTH, USER, PASS, PBSZ, PROT, PWD) is bounded at eight answers' worth.
    curl_easy_setopt(easy_, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(endpoint_.readTimeoutMs) * 8);
    curl_easy_setopt(easy_, CURLOPT_SERVER_RESPONSE_TIMEOUT,
                     static_cast<long>((2 * endpoint_.readTimeoutMs + 999) / 1000));
    // TLS: the peer's certificate and name are verified (libcurl's defaults, said
    // here so they stay); the CA file adds to the system's store (libcurl keeps its
    // CA path, /etc/ssl/certs on Debian, beside it).
    curl_easy_setopt(easy_, CURLOPT_USE_SSL, UseSsl(endpoint_.tls));
    curl_easy_setopt(easy_, CURLOPT_FTPSSLAUTH, static_cast<long>(CURLFTPAUTH_TLS));  // "AUTH TLS" first, not "AUTH SSL"
    curl_easy_setopt(easy_, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(easy_, CURLOPT_SSL_VERIFYHOST, 2L);
    if (!endpoint_.caFile.empty()) curl_easy_setopt(easy_, CURLOPT_CAINFO, endpoint_.caFile.c_str());
    curl_easy_setopt(easy_, CURLOPT_VERBOSE, 1L);
    curl_easy_setopt(easy_, CURLOPT_DEBUGFUNCTION, OnDebug);
    curl_easy_setopt(easy_, CURLOPT_DEBUGDATA, transfer_.get());
    curl_easy_setopt(easy_, CURLOPT_BUFFERSIZE, 100L * 1024);
    curl_easy_setopt(easy_, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(easy_, CURLOPT_XFERINFOFUNCTION, OnProgress);
    curl_easy_setopt(easy_, CURLOPT_XFERINFODATA, transfer_.get());
    curl_easy_setopt(easy_, CURLOPT_WRITEFUNCTION, Discard);
}

FtpResult CurlFtpSession::Perform(const char* what) {
    *transfer_ = Transfer{};
    transfer_->lastActivity = std::chrono::steady_clock::now();
    transfer_->transferTimeoutMs = endpoint_.transferTimeoutMs;
    transfer_->abort = &abort_;
    transfer_->progress = &progress_;
    // A new connection owes its greeting from the start (a connection kept sends a command at once).
    transfer_->awaiting = transfer_->lastActivity;
    const auto answerLimit = std::chrono::milliseconds(endpoint_.readTimeoutMs);
    curl_multi_add_handle(multi_, easy_);
    CURLcode code = CURLE_OK;
    for (bool done = false; !done;) {
        int running = 0;
        if (curl_multi_perform(multi_, &running) != CURLM_OK) {
            code = CURLE_FAILED_INIT;
            break;
        }
        int queued = 0;
        while (CURLMsg* m = curl_multi_info_read(multi_, &queued)) {
            if (m->msg == CURLMSG_DONE) {
                code = m->data.result;
                done = true;
            }
        }
        // Each answer (the connection and its greeting included) within the read
        // timeout, to the millisecond: libcurl's own limit counts whole seconds.
        // The answer to PASS gets twice as long: a server may hold back a wrong
        // password's 530 on purpose (pure-ftpd: 3 to 6 s).
        const auto limit = transfer_->lastCommand == "PASS" ? 2 * answerLimit : answerLimit;
        if (!done && transfer_->awaiting && std::chrono::steady_clock::now() - *transfer_->awaiting > limit) {
            transfer_->answerLate = true;
            code = CURLE_OPERATION_TIMEDOUT;
            done = true;
        }
        if (!done) curl_multi_poll(multi_, nullptr, 0, 100, nullptr);
    }
    curl_multi_remove_handle(multi_, easy_);
    abort_ = false;  // an abort ends the running operation only
    // An operation that asked for TLS logged in anew (the open, or a new
    // connection after the server closed the old one): what it got is the session's.
    if (open_ && transfer_->authReply != 0) security_ = SecurityOf(*transfer_);
    if (code == CURLE_OK) return FtpResult::Ok();
    // After a failed transfer, a late answer or a cancel the control connection
    // may be out of step (a refused RETR over TLS leaves some servers expecting
    // the data connection): the next operation logs in on a new one.
    if (transfer_->transferAsked || transfer_->answerLate || code == CURLE_ABORTED_BY_CALLBACK ||
        code == CURLE_OPERATION_TIMEDOUT || code == CURLE_PARTIAL_FILE)
        freshConnection_ = true;
    std::string why = std::string(what) + ": ";
    if (code == CURLE_ABORTED_BY_CALLBACK && transfer_->stalled)
        why += "no data for " + std::to_string(endpoint_.transferTimeoutMs) + " ms";
    else if (code == CURLE_ABORTED_BY_CALLBACK)
        why += "cancelled";
    else if (transfer_->answerLate)
        why += "no answer within " + std::to_string(endpoint_.readTimeoutMs) + " ms" +
               (transfer_->lastCommand.empty() ? std::string() : " (after " + transfer_->lastCommand + ")");
    else
        why += errbuf_[0] ? errbuf_ : curl_easy_strerror(code);
    FtpFailure kind = code == CURLE_ABORTED_BY_CALLBACK ? FtpFailure::Other : FailureOf(code, transfer_->lastReply);
    // Timed out before any connection was made (a host that drops what is sent to it).
    curl_off_t connected = 0;
    curl_easy_getinfo(easy_, CURLINFO_CONNECT_TIME_T, &connected);
    if (code == CURLE_OPERATION_TIMEDOUT && connected == 0 && transfer_->lastReply == 0) kind = FtpFailure::Unreachable;
    if (transfer_->cleartextRefused) kind = FtpFailure::CleartextRefused;
    // A refusal is told in the server's own words.
    if (kind == FtpFailure::Refused || kind == FtpFailure::CleartextRefused) why = transfer_->lastReplyText;
    return FtpResult::Fail(why, kind);
}

FtpResult CurlFtpSession::Open() {
    if (open_) return FtpResult::Fail("open: already connected");
    if (!multi_) multi_ = curl_multi_init();
    if (!easy_) easy_ = curl_easy_init();
    if (!multi_ || !easy_) return FtpResult::Fail("open: libcurl cannot start");
    if (endpoint_.tls != FtpTls::Off && !endpoint_.caFile.empty() && !FileExists(endpoint_.caFile))
        return FtpResult::Fail("open: the certificate authority file " + endpoint_.caFile + " cannot be read",
                               FtpFailure::Certificate);
    cwd_.clear();
    Prepare(UrlFor(endpoint_.host, endpoint_.port, ""));
    curl_slist* noop = curl_slist_append(nullptr, "NOOP");
    curl_easy_setopt(easy_, CURLOPT_NOBODY, 1L);
    curl_easy_setopt(easy_, CURLOPT_QUOTE, noop);
    FtpResult r = Perform("open");
    curl_easy_setopt(easy_, CURLOPT_QUOTE, nullptr);
    curl_slist_free_all(noop);
    if (r) {
        open_ = true;
        security_ = SecurityOf(*transfer_);
        lastOpenSecurity_ = security_;
    } else {
        // How far the refused log-in got: the control connection under TLS once AUTH TLS was taken.
        lastOpenSecurity_ = transfer_->authReply == 234 ? FtpSecurity::Tls
                            : transfer_->lastReply != 0 ? FtpSecurity::Plain
                                                        : FtpSecurity::Closed;
        // A failed log-in leaves nothing behind: the next Open starts afresh.
        curl_multi_cleanup(multi_);
        multi_ = nullptr;
    }
    return r;
}

FtpResult CurlFtpSession::RestartIfAsked(const char* what, bool dataConnection) {
    if (!freshConnection_ && !(dataConnection && restartBeforeData_)) return FtpResult::Ok();
    restartBeforeData_ = false;
    freshConnection_ = false;
    const std::string folder = cwd_;
    Close();  // a new easy handle: no TLS session of the old one is offered again
    FtpResult r = Open();
    cwd_ = folder;
    if (!r) r.error = std::string(what) + ": " + r.error;
    return r;
}

FtpResult CurlFtpSession::GetFile(const std::string& remotePath, const std::string& localPath) {
    if (!open_) return FtpResult::Fail("get: not connected");
    if (FtpResult restarted = RestartIfAsked("get", true); !restarted) return restarted;
    AtomicFileWriter writer(localPath);
    if (!writer.IsOpen()) return FtpResult::Fail("get: " + writer.Error(), FtpFailure::LocalFile);
    Prepare(UrlFor(endpoint_.host, endpoint_.port, remotePath));
    curl_easy_setopt(easy_, CURLOPT_WRITEFUNCTION, ToWriter);
    curl_easy_setopt(easy_, CURLOPT_WRITEDATA, &writer);
    FtpResult r = RefusedOrMissing(Perform("get"), remotePath);
    if (!r) {
        if (!writer.Error().empty()) {
            r.error += " (" + writer.Error() + ")";
            r.failure = FtpFailure::LocalFile;
        }
        return r;  // the writer removes its temporary file
    }
    const FileResult committed = writer.Commit();
    return committed ? r : FtpResult::Fail("get: " + committed.error, FtpFailure::LocalFile);
}

FtpResult CurlFtpSession::RefusedOrMissing(FtpResult r, const std::string& remotePath) {
    if (r || r.failure != FtpFailure::RemoteMissing) return r;
    // A 550 says "no such file" and "permission denied" alike. A file the server
    // told the size or time of is there: its RETR refused is a refusal.
    if (transfer_->sizeReply == 213 || transfer_->mdtmReply == 213) {
        r.failure = FtpFailure::Refused;
        r.error = transfer_->lastReplyText;
        return r;
    }
    // SIZE was refused and RETR never sent: the file may still be there,
    // unreadable (proftpd's <Limit READ>); its time tells.
    const std::string sizeRefusal = transfer_->sizeReplyText;
    FtpFileInfo info;
    if (FileInfo(remotePath, info) && info.exists) {
        r.failure = FtpFailure::Refused;
        r.error = sizeRefusal.empty() ? transfer_->lastReplyText : sizeRefusal;
    }
    return r;
}

FtpResult CurlFtpSession::FileInfo(const std::string& remotePath, FtpFileInfo& info) {
    info = {};
    if (!open_) return FtpResult::Fail("file info: not connected");
    if (FtpResult restarted = RestartIfAsked("file info", false); !restarted) return restarted;
    // With no body and the file time asked for, curl sends MDTM and SIZE and no RETR.
    Prepare(UrlFor(endpoint_.host, endpoint_.port, remotePath));
    curl_easy_setopt(easy_, CURLOPT_NOBODY, 1L);
    curl_easy_setopt(easy_, CURLOPT_FILETIME, 1L);
    FtpResult r = Perform("file info");
    const bool sized = transfer_->sizeReply == 213, timed = transfer_->mdtmReply == 213;
    // Either answer says the file is there, though the other be refused (a
    // folder whose files may be written, not read, still tells their time).
    if (!r && !sized && !timed) {
        if (r.failure == FtpFailure::RemoteMissing || r.failure == FtpFailure::Refused)
            return FtpResult::Ok();  // no such file (yet), as far as the server says
        return r;
    }
    curl_off_t size = -1, time = -1;
    if (sized) curl_easy_getinfo(easy_, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &size);
    if (timed) curl_easy_getinfo(easy_, CURLINFO_FILETIME_T, &time);
    if (r && size < 0 && time < 0) return FtpResult::Ok();  // neither SIZE nor MDTM knew the file
    info.exists = true;
    info.size = size;
    info.mtime = time;
    return FtpResult::Ok();
}

FtpResult CurlFtpSession::GetMemory(const std::string& remotePath, std::string& bytes) {
    if (!open_) return FtpResult::Fail("get: not connected");
    if (FtpResult restarted = RestartIfAsked("get", true); !restarted) return restarted;
    std::string received;
    Prepare(UrlFor(endpoint_.host, endpoint_.port, remotePath));
    curl_easy_setopt(easy_, CURLOPT_WRITEFUNCTION, ToString);
    curl_easy_setopt(easy_, CURLOPT_WRITEDATA, &received);
    FtpResult r = RefusedOrMissing(Perform("get"), remotePath);
    if (r) bytes = std::move(received);
    return r;
}

FtpResult CurlFtpSession::Upload(const std::string& remotePath, size_t (*read)(char*, size_t, size_t, void*),
                                 void* source, int64_t size) {
    if (FtpResult restarted = RestartIfAsked("put", true); !restarted) return restarted;
    Prepare(UrlFor(endpoint_.host, endpoint_.port, remotePath));
    curl_easy_setopt(easy_, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(easy_, CURLOPT_READFUNCTION, read);
    curl_easy_setopt(easy_, CURLOPT_READDATA, source);
    curl_easy_setopt(easy_, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(size));
    FtpResult r = Perform("put");
    // Over TLS, the next data connection must reuse the control connection's TLS
    // session, and some servers (proftpd's default) refuse the one libcurl offers
    // after an upload, whose data connection brought session tickets of its own:
    // the next transfer starts from a fresh log-in.
    if (security_ == FtpSecurity::Tls) restartBeforeData_ = true;
    if (!r && r.failure == FtpFailure::RemoteMissing) {
        // A 550 to STOR is no missing file but a folder that is not there or not
        // writable: a refusal, in the server's words.
        r.failure = FtpFailure::Refused;
        if (!transfer_->lastReplyText.empty()) r.error = transfer_->lastReplyText;
    }
    if (!r) return r;
    // A "226 Transfer complete" is not yet the file in its place: a server may
    // have taken the name for something else, or kept part of it. Its size
    // there must be the size sent.
    Prepare(UrlFor(endpoint_.host, endpoint_.port, remotePath));
    curl_easy_setopt(easy_, CURLOPT_NOBODY, 1L);
    FtpResult asked = Perform("put: size");
    curl_off_t kept = -1;
    if (asked) curl_easy_getinfo(easy_, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &kept);
    if (asked && kept < 0) return r;  // a server that does not tell sizes: its 226 is all there is
    // A folder whose files may be written but not read refuses the SIZE (550):
    // the 226 is all there is.
    if (!asked && (asked.failure == FtpFailure::RemoteMissing || asked.failure == FtpFailure::Refused)) return r;
    if (!asked) return asked;
    if (kept == size) return r;
    return FtpResult::Fail("put: the server keeps " + std::to_string(kept < 0 ? 0 : kept) + " of " +
                               std::to_string(size) + " bytes sent as " + remotePath,
                           FtpFailure::Unconfirmed);
}

FtpResult CurlFtpSession::PutFile(const std::string& localPath, const std::string& remotePath) {
    if (!open_) return FtpResult::Fail("put: not connected");
    int64_t size = 0;
    FILE* f = OpenForReading(localPath, &size);  // a wide path on Windows: any name the workspace holds
    if (!f) return FtpResult::Fail("put: cannot read " + localPath + ": " + std::strerror(errno), FtpFailure::LocalFile);
    FtpResult r = Upload(remotePath, FromFile, f, size);
    std::fclose(f);
    return r;
}

FtpResult CurlFtpSession::PutMemory(std::string_view bytes, const std::string& remotePath) {
    if (!open_) return FtpResult::Fail("put: not connected");
    MemorySource src{bytes};
    return Upload(remotePath, FromMemory, &src, static_cast<int64_t>(bytes.size()));
}

FtpResult CurlFtpSession::ChangeDir(const std::string& remoteDir) {
    if (!open_) return FtpResult::Fail("cwd: not connected");
    if (FtpResult restarted = RestartIfAsked("cwd", false); !restarted) return restarted;
    Prepare(UrlFor(endpoint_.host, endpoint_.port, ""));
    const std::string command = "CWD " + remoteDir;
    curl_slist* quote = curl_slist_append(nullptr, command.c_str());
    curl_easy_setopt(easy_, CURLOPT_NOBODY, 1L);
    curl_easy_setopt(easy_, CURLOPT_QUOTE, quote);
    FtpResult r = Perform("cwd");
    curl_easy_setopt(easy_, CURLOPT_QUOTE, nullptr);
    curl_slist_free_all(quote);
    if (!r && transfer_->lastReply >= 500) r.error = transfer_->lastReplyText;  // the server's words
    if (!r) return r;
    // Kept as an absolute path where it can be, so List can go there again.
    if (!remoteDir.empty() && remoteDir.front() == '/')
        cwd_ = remoteDir;
    else if (!cwd_.empty() && cwd_.front() == '/')
        cwd_ = (cwd_.back() == '/' ? cwd_ : cwd_ + '/') + remoteDir;
    else
        cwd_.clear();  // below the log-in folder, wherever that is: listed where the session is
    return r;
}

FtpResult CurlFtpSession::List(std::vector<std::string>& lines) {
    if (!open_) return FtpResult::Fail("list: not connected");
    if (FtpResult restarted = RestartIfAsked("list", true); !restarted) return restarted;
    std::string text;
    // LIST goes with no argument: some servers split an argument at its spaces
    // ("LIST /Help Files" lists two names that do not exist). The folder is
    // changed to again first, on the same connection, in case curl had to log
    // in anew since ChangeDir.
    Prepare(UrlFor(endpoint_.host, endpoint_.port, ""));
    const std::string command = "CWD " + cwd_;
    curl_slist* quote = cwd_.empty() ? nullptr : curl_slist_append(nullptr, command.c_str());
    curl_easy_setopt(easy_, CURLOPT_QUOTE, quote);
    curl_easy_setopt(easy_, CURLOPT_WRITEFUNCTION, ToString);
    curl_easy_setopt(easy_, CURLOPT_WRITEDATA, &text);
    FtpResult r = Perform("list");
    curl_easy_setopt(easy_, CURLOPT_QUOTE, nullptr);
    curl_slist_free_all(quote);
    if (!r) return r;
    lines.clear();
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) lines.push_back(std::move(line));
        start = end + 1;
    }
    return r;
}

void CurlFtpSession::Close() {
    open_ = false;
    restartBeforeData_ = false;
    freshConnection_ = false;
    security_ = FtpSecurity::Closed;
    cwd_.clear();
    // Cleaning up the multi handle closes its connections (with QUIT).
    if (multi_) curl_multi_cleanup(multi_);
    multi_ = nullptr;
    if (easy_) curl_easy_cleanup(easy_);
    easy_ = nullptr;
}

void CurlFtpSession::Abort() { abort_ = true; }

}  // namespace orv
