// The password in Windows' Credential Manager: written, read back byte for byte
// (a Persian password too), replaced, and removed.
#include <gtest/gtest.h>

#include <string>

#include "server/core/WindowsCredentials.h"

namespace cred = orv::windows_credentials;

TEST(WindowsCredentials, PasswordKeptReadReplacedAndRemoved) {
    const std::string name = "Orvanet/ftp password of C:\\\u0622\u0632\u0645\u0627\u06cc\u0634";
    std::string secret;
    ASSERT_TRUE(cred::Remove(name));
    EXPECT_EQ(cred::Read(name, secret), cred::Lookup::Missing);
    ASSERT_TRUE(cred::Write(name, "pa ss=\u0631\u0645\u0632;1"));
    ASSERT_EQ(cred::Read(name, secret), cred::Lookup::Found);
    EXPECT_EQ(secret, "pa ss=\u0631\u0645\u0632;1");
    ASSERT_TRUE(cred::Write(name, "new"));
    ASSERT_EQ(cred::Read(name, secret), cred::Lookup::Found);
    EXPECT_EQ(secret, "new");
    EXPECT_TRUE(cred::Remove(name));
    EXPECT_EQ(cred::Read(name, secret), cred::Lookup::Missing);
    EXPECT_TRUE(cred::Remove(name));
}
