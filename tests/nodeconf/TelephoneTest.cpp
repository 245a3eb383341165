#include "nodeconf/Telephone.h"

#include <gtest/gtest.h>

using namespace mnm;

TEST(Telephone, Rules)
{
    const std::pair<const char*, int> cases[] = {
        {"0123 456-789", 0}, {"+44 1234/567.8", 0}, {"012 ", 0}, {" 012", 0},
        {"", -4201},         {"  ", -4202},          {"\t", -4202},
        {"123456789012345678901234567890123", -4203}, // 33 characters
        {" 123456789012345678901234567890123 ", -4204},
        {"-123", -4205},     {"x1", -4205},          {"+", -4211},  {"+ 123", -4211},
        {"+-1", -4211},      {"12a3", -4206},        {"12+3", -4206},
        {"01-/2", -4207},    {"1..2", -4207},        {"1-/x", -4207}, // first fault in reading order
        {"1x-/", -4206},     {"12-", -4209},         {"12 - ", -4209},
    };
    for (const auto& [text, code] : cases)
        EXPECT_EQ(code, ValidateTelephoneNumber(text, 32, 32)) << '"' << text << '"';
}

TEST(Telephone, DigitLimitCountsDigitsOnly)
{
    EXPECT_EQ(0, ValidateTelephoneNumber("12-34-56", 32, 6));
    EXPECT_EQ(-4208, ValidateTelephoneNumber("12-34-567", 32, 6));
    EXPECT_EQ(0, ValidateTelephoneNumber("   1234   ", 4, 4)); // length excludes the spaces
}
