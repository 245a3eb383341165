#include "nodeconf/TextEncoding.h"

#include <gtest/gtest.h>

using namespace mnm;

TEST(TextEncoding, Cp1252ToUtf8CoversBothHalves)
{
    EXPECT_EQ("milliamp\xC3\xA8res", Cp1252ToUtf8("milliamp\xE8res"));
    EXPECT_EQ("\xE2\x82\xAC 5", Cp1252ToUtf8("\x80 5"));         // euro sign
    EXPECT_EQ("\xC5\xB8", Cp1252ToUtf8("\x9F"));                 // Y with diaeresis
    EXPECT_EQ("\xC2\x81", Cp1252ToUtf8("\x81"));                 // undefined byte kept as C1
    EXPECT_EQ(std::string("a\0b", 3), Cp1252ToUtf8(std::string("a\0b", 3)));
}

TEST(TextEncoding, EveryByteSurvivesTheRoundTrip)
{
    std::string all;
    for (int b = 1; b < 256; ++b) all += char(b);
    bool lossy = true;
    EXPECT_EQ(all, Utf8ToCp1252(Cp1252ToUtf8(all), &lossy));
    EXPECT_FALSE(lossy);
}

TEST(TextEncoding, UnrepresentableAndMalformedBecomeQuestionMarks)
{
    bool lossy = false;
    EXPECT_EQ("a?b", Utf8ToCp1252("a\xE2\x98\x83" "b", &lossy)); // snowman
    EXPECT_TRUE(lossy);
    EXPECT_EQ("?", Utf8ToCp1252("\xF0\x9F\x98\x80", &lossy));      // outside the BMP
    EXPECT_EQ("??x", Utf8ToCp1252("\xC3\xC3x", &lossy));           // truncated sequences
    EXPECT_EQ("?", Utf8ToCp1252("\xC0\xAF", &lossy));              // overlong '/'
    EXPECT_EQ("?", Utf8ToCp1252("\xED\xA0\x80", &lossy));          // surrogate
}
