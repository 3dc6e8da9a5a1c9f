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

bool FileHoldsPassword(const std::string& iniPath) {
    return QSettings(QString::fromStdString(iniPath), QSettings::IniFormat).contains(QStringLiteral("ftp/password"));
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

StartSettings LoadSettingsAtStart(const std::string& workspaceRoot, PasswordStore& store) {
    const std::string ini = WorkspaceSettingsFile(workspaceRoot);
    StartSettings start;
    start.settings = LoadWorkspaceSettings(workspaceRoot);
    if (!store.Available()) return start;
    const std::string key = PasswordKey(workspaceRoot);
    if (FileHoldsPassword(ini)) {
        // Into the store, then out of the file: a failure on the way leaves it where it was.
        if (!store.Write(key, start.settings.ftpPassword)) return start;
        if (!EditIniFile(ini, [](IniText& text) { text.Remove("ftp", "password"); })) return start;
    }
    const PasswordRead read = store.Read(key);
    if (read.status != PasswordRead::Found) return start;
    start.settings.ftpPassword = read.password;
    start.storedPassword = read.password;
    start.place = PasswordPlace::Store;
    return start;
}

ServerSettings SettingsWithStoredPassword(const std::string& workspaceRoot,
                                          const std::optional<std::string>& storedPassword) {
    const std::string ini = WorkspaceSettingsFile(workspaceRoot);
    ServerSettings settings = LoadWorkspaceSettings(workspaceRoot);
    if (storedPassword && !FileHoldsPassword(ini)) settings.ftpPassword = *storedPassword;
    return settings;
}

bool StorePassword(const std::string& workspaceRoot, ServerSettings& settings, const std::string& password,
                   PasswordStore* store, std::string* error, const ServerSettings* inherited) {
    settings.ftpPassword = password;
    const std::string ini = WorkspaceSettingsFile(workspaceRoot);
    if (store && store->Available() && store->Write(PasswordKey(workspaceRoot), password))
        return SaveServerSettingsWithoutPassword(ini, settings, error, inherited);
    return SaveServerSettings(ini, settings, error, inherited);
}

}  // namespace orv
