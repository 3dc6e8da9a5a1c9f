#pragma once
// A test's archive: a folder of its own under the system's temporary folder,
// removed after the test, with day files written in code page 1256 as the server
// publishes them.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "base/core/TextFile.h"

namespace orv::test {

class ArchiveFolder : public ::testing::Test {
protected:
    std::string root;  // ends in "/"
    void SetUp() override {
        const auto dir = std::filesystem::temp_directory_path() / ("orv-archive-" + std::to_string(std::random_device{}()));
        ASSERT_TRUE(std::filesystem::create_directory(dir));
        root = dir.string() + "/";
    }
    void TearDown() override { std::filesystem::remove_all(root); }
    void Day(const std::string& day, const std::vector<std::string>& lines) {
        ASSERT_TRUE(orv::WriteTextFile(root + day + ".txt", lines));
    }
};

}  // namespace orv::test
