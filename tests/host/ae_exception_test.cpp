#include "host/ae_exception.h"

#include <gtest/gtest.h>

#include "host/check_host.h"

namespace {

TEST(CheckHost, FailureRaisesAStandardExceptionWithCodeAndActionLiteral) {
    static const char kAction[] = "getting active layer";
    EXPECT_NO_THROW(CheckHost(A_Err_NONE, kAction));
    try {
        CheckHost(-7, kAction);
        FAIL() << "no exception";
    } catch (const AE_Exception& e) {
        const AE_Exception copy = e;
        const std::exception& base = copy;
        EXPECT_EQ(copy.code(), -7);
        EXPECT_EQ(copy.action(), kAction);  // the literal itself, never a copy
        EXPECT_STREQ(base.what(), "getting active layer");
    }
}

}  // namespace
