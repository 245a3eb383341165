#include "tools/model/MemoryRead.h"

#include <gtest/gtest.h>

using namespace mnm;
using namespace mnm::tools;

namespace {

TEST(MemoryAddress, ReadsInTheChosenBase)
{
    EXPECT_EQ(ReadAddress("1A3", AddressBase::kHex).address, 0x1A3);
    EXPECT_EQ(ReadAddress("419", AddressBase::kDec).address, 419);
    EXPECT_EQ(ReadAddress("00000000001", AddressBase::kHex).address, 1); // leading zeros are no size
    const AddressRead highest = ReadAddress("FFFFF", AddressBase::kHex);
    EXPECT_EQ(highest.check, AddressCheck::kOk);
    EXPECT_EQ(highest.address, 0xFFFFF);
}

TEST(MemoryAddress, RefusalsSayWhyInTheResultLine)
{
    const auto message = [](std::string_view text, AddressBase base) {
        return AddressMessage(ReadAddress(text, base).check);
    };
    EXPECT_EQ(message("", AddressBase::kHex), "Address Field is empty");
    EXPECT_EQ(message("1G", AddressBase::kHex), "Address Field contains invalid digits");
    EXPECT_EQ(message("1A3", AddressBase::kDec),
              "Address Field contains hexadecimal digits, but decimal has been selected");
    EXPECT_EQ(message("100000000", AddressBase::kHex), "Could not parse Address Field");
    EXPECT_EQ(message("4294967296", AddressBase::kDec), "Could not parse Address Field");
    // The query names a page in one byte: beyond it another page would be read.
    EXPECT_EQ(message("100000", AddressBase::kHex), "Address Field is beyond the node's memory (FFFFF)");
    EXPECT_EQ(message("1048576", AddressBase::kDec), "Address Field is beyond the node's memory (FFFFF)");
}

TEST(MemoryResult, ShowsTheBaseThenSixtyFourBytes)
{
    MemoryReply reply;
    reply.length = kMemoryBlockSize;
    reply.baseAddress = 0x1A0;
    for (int i = 0; i < kMemoryReplySize; ++i) reply.bytes[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
    const std::optional<std::string> line = MemoryResultLine(reply);
    ASSERT_TRUE(line);
    EXPECT_EQ(line->substr(0, 20), "0001A0   00 01 02 03");
    EXPECT_EQ(line->size(), 8u + 3u * 64u);
    EXPECT_EQ(line->substr(line->size() - 6), " 3E 3F");
}

TEST(MemoryResult, OneByteStandsForTheWholeBlock)
{
    MemoryReply reply;
    reply.length = 1;
    reply.baseAddress = 0xF0000;
    reply.bytes[0] = 0xFF;
    std::string expected = "0F0000  ";
    for (int i = 0; i < kMemoryBlockSize; ++i) expected += " FF";
    EXPECT_EQ(MemoryResultLine(reply), expected);
}

TEST(MemoryResult, AnyOtherReplyShowsNothing)
{
    MemoryReply reply;
    for (const int length : {-3, 0, 2, 63, 65, kMemoryReplySize}) {
        reply.length = length;
        EXPECT_FALSE(MemoryResultLine(reply)) << length;
    }
}

} // namespace
