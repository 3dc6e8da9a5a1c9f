#pragma once
// "Test connection" of the server settings: the way to the central laboratory
// walked step by step (time server, TCP connection, TLS, log-in, the
// laboratory's folder), each step told as it ends, a failure by its step.
#include <atomic>
#include <functional>
#include <string>

#include "server/core/FtpSession.h"
#include "server/core/ServerSettings.h"
#include "server/core/SntpClient.h"

namespace orv {

enum class ConnectionStep { TimeServer, Connection, Tls, LogIn, Folder };

enum class StepState {
    Passed,
    Caution,  // passed, with something the user should know (no encryption)
    Failed,
    Skipped,  // not tried: an earlier step failed, or nothing to try it with
};

struct StepReport {
    ConnectionStep step = ConnectionStep::TimeServer;
    StepState state = StepState::Skipped;
    std::string text;  // UTF-8, one line
};

// The step's name as the settings window shows it.
const char* StepName(ConnectionStep step);

// Why a certificate was not accepted, from the TLS library's words.
std::string CertificateReason(const std::string& error);

// The folder step: "/Text Result/<folderCode>/" changed to on the open session.
StepReport CheckLabFolder(FtpSession& session, const std::string& folderCode);

// Runs every step against `settings` with `sntp` and `session` (configured here,
// closed at the end); `report` is called as each step ends, on the calling
// thread. The folder step lists "/Text Result/<folderCode>/" and is skipped
// when no code is given. The time server is asked whatever the FTP steps give,
// and the FTP steps run whatever it answers. True when no step failed.
bool RunConnectionTest(const ServerSettings& settings, const std::string& folderCode, SntpClient& sntp,
                       FtpSession& session, const std::function<void(const StepReport&)>& report,
                       const std::atomic<bool>* cancel = nullptr);

}  // namespace orv
