#pragma once
// The FTP password in the desktop's secret store (the Secret Service of GNOME or
// KDE on Linux, the Credential Manager on Windows) rather than in orvanet.ini.
// Where no store answers (a bare session, a server without a desktop) the
// password stays in orvanet.ini, which is written readable by its owner alone.
#include <optional>
#include <string>

#include "server/core/ServerSettings.h"

namespace orv {

struct PasswordRead {
    enum Status { Found, Missing, Failed } status = Failed;
    std::string password;  // when Found
};

// One password per key.
class PasswordStore {
public:
    virtual ~PasswordStore() = default;
    // True when a store answers; asked once, then remembered.
    virtual bool Available() = 0;
    virtual PasswordRead Read(const std::string& key) = 0;
    virtual bool Write(const std::string& key, const std::string& password) = 0;
    virtual bool Remove(const std::string& key) = 0;
};

// The platform's store through QtKeychain, under the service "Orvanet". Each call
// waits for its answer (running a local event loop: a Qt application object must
// exist) at most `timeoutMs`; a store that does not answer in time is taken as
// none, so the program starts on the password in its file.
class KeychainPasswordStore : public PasswordStore {
public:
    explicit KeychainPasswordStore(int timeoutMs = 10000) : timeoutMs_(timeoutMs) {}
    bool Available() override;
    PasswordRead Read(const std::string& key) override;
    bool Write(const std::string& key, const std::string& password) override;
    bool Remove(const std::string& key) override;

private:
    int timeoutMs_;
    int available_ = -1;  // not asked yet
};

// The key of a workspace's FTP password in the store.
std::string PasswordKey(const std::string& workspaceRoot);

enum class PasswordPlace { File, Store };

struct StartSettings {
    ServerSettings settings;  // with the password wherever it is kept
    std::optional<std::string> storedPassword;  // the password read from the store
    PasswordPlace place = PasswordPlace::File;
};

// Called once at start: reads the workspace's orvanet.ini. With a store that
// answers, a password still in the file moves into the store (the file is
// rewritten without it, its other keys and comments kept) and the password is
// read from the store. Without one the file is used as it is.
StartSettings LoadSettingsAtStart(const std::string& workspaceRoot, PasswordStore& store);

// The settings of orvanet.ini as read now, with `storedPassword` (the password
// LoadSettingsAtStart found in the store) when the file holds none.
ServerSettings SettingsWithStoredPassword(const std::string& workspaceRoot,
                                          const std::optional<std::string>& storedPassword);

// Saves `settings` into orvanet.ini with `password` kept where passwords are
// kept: in the store when one answers (the file then holds none), else in the
// file. `store` may be null (no store). Also sets settings.ftpPassword.
// `inherited` as SaveServerSettings takes it.
bool StorePassword(const std::string& workspaceRoot, ServerSettings& settings, const std::string& password,
                   PasswordStore* store, std::string* error = nullptr, const ServerSettings* inherited = nullptr);

}  // namespace orv
