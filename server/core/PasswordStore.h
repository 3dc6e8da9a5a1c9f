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

// Unattended runs have no desktop session and so no store; they give the password
// in a file of their own, read before the store and orvanet.ini: a systemd
// credential ($CREDENTIALS_DIRECTORY/orvanet-ftp-password, LoadCredential= of a
// unit), else the file [ftp] password_file= names. Its first line is the password.
inline constexpr const char* kCredentialName = "orvanet-ftp-password";

enum class PasswordPlace {
    File,          // orvanet.ini (or a system-wide settings file)
    Store,         // the desktop's secret store
    Credential,    // the systemd credential
    PasswordFile,  // the file of [ftp] password_file=
    Nowhere,       // none of them holds one: the built-in placeholder is all there is
};

struct OutsidePassword {
    PasswordPlace place = PasswordPlace::Nowhere;  // Credential or PasswordFile when found
    std::string password;
    std::string path;
    std::string problem;  // a file named but unreadable, empty or holding a line break
};
// The password of the credential or of password_file=, from `credentialsDirectory`
// ($CREDENTIALS_DIRECTORY; empty: none) and `settings`.
OutsidePassword ReadOutsidePassword(const ServerSettings& settings, const std::string& credentialsDirectory);
// The same from this process's environment.
OutsidePassword ReadOutsidePassword(const ServerSettings& settings);

struct StartSettings {
    ServerSettings settings;  // with the password wherever it is kept
    std::optional<std::string> storedPassword;  // the password read from (or just put into) the store
    PasswordPlace place = PasswordPlace::File;
    // False when the store holds the password but did not give it: the settings
    // then carry the placeholder, and nothing may save that over the real one.
    bool passwordKnown = true;
    // Said once to the user: why the password stays in orvanet.ini, or why a
    // place that should hold it did not give it. Empty: nothing to say.
    std::string note;
};

// Called once at start: reads the workspace's orvanet.ini. A credential or
// password_file= gives the password before anything else. Otherwise, with a
// store that answers, a password still in the file moves into the store (the
// file is rewritten without it, its other keys and comments kept) and the
// password is read from the store; a file password the settings reader would
// not read back exactly as written stays where it is. Without a store the file
// is used as it is.
StartSettings LoadSettingsAtStart(const std::string& workspaceRoot, PasswordStore& store);

// The settings of orvanet.ini as read now, the password from the credential or
// password_file= first, else from the file, else `storedPassword` (the password
// LoadSettingsAtStart found in the store).
ServerSettings SettingsWithStoredPassword(const std::string& workspaceRoot,
                                          const std::optional<std::string>& storedPassword);

// Saves `settings` into orvanet.ini with `password` kept where passwords are
// kept: in the store when one answers (the file then holds none), else in the
// file. `store` may be null (no store). Also sets settings.ftpPassword. Without
// `password` (none typed) the password stays as and where it is.
// `inherited` as SaveServerSettings takes it.
bool StorePassword(const std::string& workspaceRoot, ServerSettings& settings,
                   const std::optional<std::string>& password, PasswordStore* store, std::string* error = nullptr,
                   const ServerSettings* inherited = nullptr);

// What an unattended run says when no place gives a password: where it is and how to give it.
std::string NoPasswordMessage(const std::string& workspaceRoot, bool storeAnswered);

}  // namespace orv
