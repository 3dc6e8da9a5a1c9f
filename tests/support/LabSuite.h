#pragma once
// A GoogleTest suite whose tests share one local central laboratory, started
// before the first test (its clock at 2022-09-21 09:00, 1401/06/30) and stopped
// after the last; each test starts from "reset" in its own SetUp.
//
//   class MyTest : public orv::test::LabSuite<orv::test::Names::Unix> { ... lab_->Control("reset"); };
#include <gtest/gtest.h>

#include "tests/support/CentralLab.h"

namespace orv::test {

enum class Names { Windows, Unix };

template <Names names = Names::Windows>
class LabSuite : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        lab_ = new CentralLab;
        constexpr const char* kClock = "2022-09-21T09:00:00";
        const CentralLabOptions options =
            names == Names::Unix ? CentralLabOptions::FixedUnix(kClock) : CentralLabOptions::Fixed(kClock);
        ASSERT_TRUE(lab_->Start(options)) << lab_->Error();
    }
    static void TearDownTestSuite() {
        delete lab_;
        lab_ = nullptr;
    }

    static inline CentralLab* lab_ = nullptr;
};

}  // namespace orv::test
