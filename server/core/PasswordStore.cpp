#include "server/core/PasswordStore.h"

#ifdef ORV_HAVE_QTKEYCHAIN
#include <qt6keychain/keychain.h>
#else
#include "server/core/WindowsCredentials.h"
#endif

#include <QCoreApplication>
#include <QEventLoop>
#include <QSettings>
#include <QTimer>

#include <cstdlib>

#include "base/core/IniText.h"

namespace orv {
namespace {

const QString kService = QStringLiteral("Orvanet");

#ifdef ORV_HAVE_QTKEYCHAIN
// Runs a job to its end or for `timeoutMs`; false when it did not end in time
// (the job then deletes itself whenever it ends).
bool Finish(QKeychain::Job* job, int timeoutMs) {
    if (!QCoreApplication::instance()) {
        delete job;
        return false;
    }
    job->setAutoDelete(false);
    QEventLoop loop;
    bool done = false;
    QObject::connect(job, &QKeychain::Job::finished, &loop, [&] {
        done = true;
        loop.quit();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    job->start();
    if (!done) loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (!done) job->setAutoDelete(true);
    return done;
}

#else
// The Credential Manager's name of a key: "Orvanet/KEY".
std::string CredentialName(const std::string& key) { return kService.toStdString() + "/" + key; }
#endif

// The file's password when the settings reader takes it exactly as it is written
// there (as the program writes values: quoted when needed, a leading "@" doubled).
std::optional<std::string> PasswordAsWritten(const std::string& iniPath) {
    const std::optional<std::string> read = FilePassword(iniPath);
    std::string bytes;
    if (!read || !ReadWholeFile(iniPath, bytes)) return std::nullopt;
    const std::optional<std::string> written = IniText(bytes).Value("ftp", "password");
    if (!written || *written != *read) return std::nullopt;
    return read;
}

bool AnyFileHoldsPassword(const std::string& workspaceRoot) {
    for (const std::string& file : WorkspaceSettingsFiles(workspaceRoot))
        if (FileHoldsPassword(file)) return true;
    return false;
}

// The first line of a file holding a password (a trailing line end is no part of it).
std::string ReadSecretFile(const std::string& path, std::string& problem) {
    std::string bytes, error;
    if (!ReadWholeFile(path, bytes, &error)) {
        problem = path + ": " + error;
        return {};
    }
    if (const size_t end = bytes.find_first_of("\r\n"); end != std::string::npos) {
        if (bytes.find_first_not_of("\r\n", end) != std::string::npos) {
            problem = path + ": more than one line";
            return {};
        }
        bytes.erase(end);
    }
    if (bytes.empty()) problem = path + ": empty";
    for (const unsigned char c : bytes)
        if (c < 0x20 || c == 0x7f) problem = path + ": a control character";
    return problem.empty() ? bytes : std::string();
}


}  // namespace

bool KeychainPasswordStore::Available() {
    if (available_ < 0) {
        // Asking for a key no one writes: "not found" is the answer of a store that runs.
        const PasswordRead probe = Read("availability probe");
        available_ = probe.status != PasswordRead::Failed ? 1 : 0;
    }
    return available_ == 1;
}

#ifdef ORV_HAVE_QTKEYCHAIN
PasswordRead KeychainPasswordStore::Read(const std::string& key) {
    auto* job = new QKeychain::ReadPasswordJob(kService);
    job->setInsecureFallback(false);
    job->setKey(QString::fromStdString(key));
    PasswordRead read;
    if (!Finish(job, timeoutMs_)) return read;
    if (job->error() == QKeychain::NoError) {
        read.status = PasswordRead::Found;
        read.password = job->textData().toStdString();
    } else if (job->error() == QKeychain::EntryNotFound) {
        read.status = PasswordRead::Missing;
    }
    delete job;
    return read;
}

bool KeychainPasswordStore::Write(const std::string& key, const std::string& password) {
    auto* job = new QKeychain::WritePasswordJob(kService);
    job->setInsecureFallback(false);
    job->setKey(QString::fromStdString(key));
    job->setTextData(QString::fromStdString(password));
    if (!Finish(job, timeoutMs_)) return false;
    const bool ok = job->error() == QKeychain::NoError;
    delete job;
    return ok;
}

bool KeychainPasswordStore::Remove(const std::string& key) {
    auto* job = new QKeychain::DeletePasswordJob(kService);
    job->setInsecureFallback(false);
    job->setKey(QString::fromStdString(key));
    if (!Finish(job, timeoutMs_)) return false;
    const bool ok = job->error() == QKeychain::NoError || job->error() == QKeychain::EntryNotFound;
    delete job;
    return ok;
}

#else
// Windows without QtKeychain: the Credential Manager answers at once, no event loop needed.
PasswordRead KeychainPasswordStore::Read(const std::string& key) {
    PasswordRead read;
    switch (windows_credentials::Read(CredentialName(key), read.password)) {
        case windows_credentials::Lookup::Found: read.status = PasswordRead::Found; break;
        case windows_credentials::Lookup::Missing: read.status = PasswordRead::Missing; break;
        case windows_credentials::Lookup::Failed: read.status = PasswordRead::Failed; break;
    }
    return read;
}

bool KeychainPasswordStore::Write(const std::string& key, const std::string& password) {
    return windows_credentials::Write(CredentialName(key), password);
}

bool KeychainPasswordStore::Remove(const std::string& key) { return windows_credentials::Remove(CredentialName(key)); }
#endif

std::string PasswordKey(const std::string& workspaceRoot) { return "ftp password of " + workspaceRoot; }

OutsidePassword ReadOutsidePassword(const ServerSettings& settings, const std::string& credentialsDirectory) {
    OutsidePassword out;
    if (!credentialsDirectory.empty()) {
        const std::string path = credentialsDirectory + "/" + kCredentialName;
        if (FileExists(path)) {
            out.path = path;
            out.password = ReadSecretFile(path, out.problem);
            if (out.problem.empty()) out.place = PasswordPlace::Credential;
            return out;
        }
    }
    if (!settings.ftpPasswordFile.empty()) {
        out.path = settings.ftpPasswordFile;
        out.password = ReadSecretFile(out.path, out.problem);
        if (out.problem.empty()) out.place = PasswordPlace::PasswordFile;
    }
    return out;
}

OutsidePassword ReadOutsidePassword(const ServerSettings& settings) {
    const char* directory = std::getenv("CREDENTIALS_DIRECTORY");
    return ReadOutsidePassword(settings, directory ? directory : "");
}

StartSettings LoadSettingsAtStart(const std::string& workspaceRoot, PasswordStore& store) {
    const std::string ini = WorkspaceSettingsFile(workspaceRoot);
    StartSettings start;
    start.settings = LoadWorkspaceSettings(workspaceRoot);
    const OutsidePassword outside = ReadOutsidePassword(start.settings);
    if (outside.place != PasswordPlace::Nowhere) {
        start.settings.ftpPassword = outside.password;
        start.place = outside.place;
        return start;
    }
    if (!outside.problem.empty()) start.note = ". رمز عبور سرور از این فایل خوانده نشد: " + outside.problem;
    start.place = AnyFileHoldsPassword(workspaceRoot) ? PasswordPlace::File : PasswordPlace::Nowhere;
    if (!store.Available()) return start;
    const std::string key = PasswordKey(workspaceRoot);
    std::optional<std::string> moved;
    if (FileHoldsPassword(ini)) {
        // Only a value read back exactly as written moves: what the reader makes of
        // another (escapes applied, or refused for the placeholder) is not the password.
        const std::optional<std::string> exact = PasswordAsWritten(ini);
        if (!exact) {
            start.note = ". رمز عبور در orvanet.ini ماند و به انبار امن رمزها نرفت: مقدار password= آن آن‌گونه که نوشته "
                         "شده خوانده نمی‌شود (\\ یا \" یا نویسه کنترلی). آن را در تنظیمات سرور دوباره وارد کنید.";
            return start;
        }
        // Into the store, then out of the file: a failure on the way leaves it where it was.
        if (!store.Write(key, *exact)) return start;
        if (!EditIniFile(ini, [](IniText& text) { text.Remove("ftp", "password"); })) return start;
        moved = exact;
    }
    const PasswordRead read = store.Read(key);
    if (read.status == PasswordRead::Found || moved) {
        // A store that took the password but does not give it back now: the one just put there.
        start.storedPassword = read.status == PasswordRead::Found ? read.password : *moved;
        if (!FileHoldsPassword(ini)) {  // the workspace's own file wins over the store
            start.settings.ftpPassword = *start.storedPassword;
            start.place = PasswordPlace::Store;
        }
        return start;
    }
    if (read.status == PasswordRead::Failed && start.place == PasswordPlace::Nowhere) {
        start.place = PasswordPlace::Store;
        start.passwordKnown = false;
        start.note = ". انبار امن رمزها رمز عبور سرور را نداد؛ اگر ورود پذیرفته نشد، رمز عبور را در تنظیمات سرور دوباره وارد کنید";
    }
    return start;
}

ServerSettings SettingsWithStoredPassword(const std::string& workspaceRoot,
                                          const std::optional<std::string>& storedPassword) {
    ServerSettings settings = LoadWorkspaceSettings(workspaceRoot);
    if (const OutsidePassword outside = ReadOutsidePassword(settings); outside.place != PasswordPlace::Nowhere)
        settings.ftpPassword = outside.password;
    else if (storedPassword && !FileHoldsPassword(WorkspaceSettingsFile(workspaceRoot)))
        settings.ftpPassword = *storedPassword;
    return settings;
}

bool StorePassword(const std::string& workspaceRoot, ServerSettings& settings,
                   const std::optional<std::string>& password, PasswordStore* store, std::string* error,
                   const ServerSettings* inherited) {
    const std::string ini = WorkspaceSettingsFile(workspaceRoot);
    if (!password) return SaveServerSettings(ini, settings, error, inherited, PasswordKept::AsItIs);
    settings.ftpPassword = *password;
    if (store && store->Available() && store->Write(PasswordKey(workspaceRoot), *password))
        return SaveServerSettingsWithoutPassword(ini, settings, error, inherited);
    return SaveServerSettings(ini, settings, error, inherited);
}

std::string NoPasswordMessage(const std::string& workspaceRoot, bool storeAnswered) {
    const std::string ini = WorkspaceSettingsFile(workspaceRoot);
    const std::string where =
        storeAnswered ? "no FTP password is set: neither the secret store nor " + ini + " holds one"
                      : "no FTP password for this run: the program keeps it in the desktop's secret store, which a "
                        "run without a desktop session (cron, a system service) cannot reach, and " +
                            ini + " holds none";
    return where + ". Give it to unattended runs as a systemd credential (LoadCredential=" + kCredentialName +
           ":/path/to/file in the unit; read from $CREDENTIALS_DIRECTORY/" + kCredentialName +
           "), or name a file holding it (readable by you alone) with password_file=/path/to/file in [ftp] of " + ini +
           ".";
}

}  // namespace orv
