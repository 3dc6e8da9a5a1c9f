#pragma once
// The Windows Credential Manager, called directly: a generic credential per
// name, its secret kept as UTF-8 bytes for the signed-in user on this computer.
// Plain C++ (Windows only), so the password store works without QtKeychain.
#include <string>

namespace orv::windows_credentials {

enum class Lookup { Found, Missing, Failed };

Lookup Read(const std::string& name, std::string& secret);
bool Write(const std::string& name, const std::string& secret);
// True when the credential is gone, also when there was none.
bool Remove(const std::string& name);

}  // namespace orv::windows_credentials
