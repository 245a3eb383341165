#include "tools/model/RadioStatus.h"

#include <gtest/gtest.h>

namespace mnm::tools {
namespace {

void PutWord(StatusBlockBytes& block, int offset, std::uint32_t word)
{
    for (int i = 0; i < 4; ++i)
        block[static_cast<std::size_t>(offset + i)] = static_cast<std::uint8_t>(word >> (24 - 8 * i));
}

StatusBlockBytes Block(std::uint32_t signalWord, std::uint8_t pll, std::uint8_t mode, std::uint32_t hertz,
                       std::uint32_t powerChannel)
{
    StatusBlockBytes block{};
    PutWord(block, 0, signalWord);
    block[4] = pll;
    block[5] = mode;
    PutWord(block, 8, hertz);
    PutWord(block, 12, powerChannel);
    return block;
}

TEST(RadioStatus, DecodesEveryFieldFromItsBigEndianPlace)
{
    // The low half of the signal word is not part of the strength.
    const RadioStatus s = DecodeRadioStatus(Block(0x0075ABCD, 1, 0x82, 458123450, 500u << 16 | 5));
    EXPECT_EQ(s.signalDbm, -117);
    EXPECT_EQ(s.pll, 1);
    EXPECT_EQ(s.mode, 0x82);
    EXPECT_EQ(s.frequencyHz, 458123450u);
    EXPECT_EQ(s.power, 500);
    EXPECT_EQ(s.channel, 5);
}

TEST(RadioStatus, ExtremeWordsStayPositiveAndApart)
{
    const RadioStatus s = DecodeRadioStatus(Block(0xFFFF0000, 0xFF, 0xFF, 0xFFFFFFFF, 0xFFFF0000));
    EXPECT_EQ(s.signalDbm, -65535);
    EXPECT_EQ(s.pll, 255);
    EXPECT_EQ(s.mode, 255);
    EXPECT_EQ(s.power, 65535);
    EXPECT_EQ(s.channel, 0);
    EXPECT_EQ(FrequencyText(s.frequencyHz), "4294.967295");
}

TEST(RadioStatus, ReadOutTextsKeepTheirDigitsAndPadding)
{
    EXPECT_EQ(FrequencyText(458123450), "458.123450");
    EXPECT_EQ(FrequencyText(458062500), "458.062500");
    EXPECT_EQ(FrequencyText(7), "0.000007");
    EXPECT_EQ(PowerText(5), "005");
    EXPECT_EQ(PowerText(500), "500");
    EXPECT_EQ(PowerText(1200), "1200");
    EXPECT_EQ(ChannelText(5), "05");
    EXPECT_EQ(ChannelText(123), "123");
}

} // namespace
} // namespace mnm::tools
