#include "server/core/WindowsCredentials.h"

#include <windows.h>
#include <wincred.h>

namespace orv::windows_credentials {
namespace {

std::wstring Wide(const std::string& utf8) {
    if (utf8.empty()) return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n > 0 ? n : 0), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
}

}  // namespace

Lookup Read(const std::string& name, std::string& secret) {
    PCREDENTIALW credential = nullptr;
    if (!CredReadW(Wide(name).c_str(), CRED_TYPE_GENERIC, 0, &credential))
        return GetLastError() == ERROR_NOT_FOUND ? Lookup::Missing : Lookup::Failed;
    secret.assign(reinterpret_cast<const char*>(credential->CredentialBlob), credential->CredentialBlobSize);
    CredFree(credential);
    return Lookup::Found;
}

bool Write(const std::string& name, const std::string& secret) {
    std::wstring target = Wide(name);
    std::wstring user = L"Orvanet";
    CREDENTIALW credential{};
    credential.Type = CRED_TYPE_GENERIC;
    credential.TargetName = target.data();
    credential.UserName = user.data();
    credential.Persist = CRED_PERSIST_LOCAL_MACHINE;
    credential.CredentialBlobSize = static_cast<DWORD>(secret.size());
    credential.CredentialBlob = reinterpret_cast<LPBYTE>(const_cast<char*>(secret.data()));
    return CredWriteW(&credential, 0) != FALSE;
}

bool Remove(const std::string& name) {
    return CredDeleteW(Wide(name).c_str(), CRED_TYPE_GENERIC, 0) || GetLastError() == ERROR_NOT_FOUND;
}

}  // namespace orv::windows_credentials
