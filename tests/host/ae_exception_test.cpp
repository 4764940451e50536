#include "host/ae_exception.h"

#include <gtest/gtest.h>

#include <cstring>

#include "host/check_host.h"

namespace {

TEST(CheckHost, SuccessThrowsNothing) {
    EXPECT_NO_THROW(CheckHost(A_Err_NONE, "getting active layer"));
}

TEST(CheckHost, FailureCarriesCodeAndActionLiteral) {
    static const char kAction[] = "getting active layer";
    try {
        CheckHost(-7, kAction);
        FAIL() << "no exception";
    } catch (const AE_Exception& e) {
        EXPECT_EQ(e.code(), -7);
        EXPECT_EQ(e.action(), kAction);  // the literal itself, never a copy
        EXPECT_STREQ(e.what(), "getting active layer");
    }
}

TEST(AE_Exception, IsAStandardExceptionCopiedByValue) {
    AE_Exception original(42, "setting imported item");
    AE_Exception copy = original;
    const std::exception& base = copy;
    EXPECT_STREQ(base.what(), "setting imported item");
    EXPECT_EQ(copy.code(), 42);
}

}  // namespace
