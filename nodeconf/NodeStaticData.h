// The hardware description a node reports about itself: cards, groups of
// channels per card, names of single channels and a few identity texts.
// Not part of a configuration; the modules trees, the monitor and the live
// tools read it.
#pragma once

#include <cstdint>
#include <string>

namespace mnm {

inline constexpr int kMaxCardNames = 32;
inline constexpr int kCardNameLength = 20;
inline constexpr int kMaxChannelGroups = 64;
inline constexpr int kMaxChannelNames = 16;
inline constexpr int kChannelNameLength = 48;
inline constexpr int kSerialNumberLength = 32;
inline constexpr int kHighestChannelLength = 15;
inline constexpr int kChannelLayoutLength = 128;
inline constexpr int kFirmwareVersionLength = 32;

// What firmwareVersion holds when the node did not say.
inline constexpr const char* kUnknownFirmware = "[UNKNOWN]";

// The kind letters a channel group may carry, with direction case.
inline constexpr const char* kGroupKindLetters = "dDaApPs";

struct ChannelGroupEntry {
    std::int32_t cardPosition; // 0-based index into cardNames; N = shown under no card
    char kind;
    std::uint8_t pad[3];
    std::int32_t cardNumber;
    std::int32_t channelCount;
};

struct ChannelNameEntry {
    char kind;
    std::uint8_t card;
    std::uint8_t channel;
    char name[kChannelNameLength + 1];
};

struct NodeStaticData {
    char cardNames[kMaxCardNames][kCardNameLength + 1];
    ChannelGroupEntry channelGroups[kMaxChannelGroups];
    std::int32_t cardNameCount;
    std::int32_t channelGroupCount;
    ChannelNameEntry channelNames[kMaxChannelNames];
    std::int32_t channelNameCount;
    char serialNumber[kSerialNumberLength + 1];
    char highestChannel[kHighestChannelLength + 1];
    char channelLayout[kChannelLayoutLength + 1];
    char firmwareVersion[kFirmwareVersionLength + 1];
};

static_assert(sizeof(ChannelGroupEntry) == 16);
static_assert(sizeof(ChannelNameEntry) == 52);
static_assert(sizeof(NodeStaticData) == 2752);

// All counts zero and every text empty.
void ClearNodeStaticData(NodeStaticData& data);

// Returns the new count, or -1 when full or the text is empty or longer
// than kCardNameLength.
int AddCardName(NodeStaticData& data, const char* text);
// 0, or -1 when full or cardPosition is outside 0..cardNameCount.
int AddChannelGroup(NodeStaticData& data, int cardPosition, char kind, int cardNumber,
                    int channelCount);
// 1 when added; 0 when that point has a name already or the table is full.
// The name is cut to kChannelNameLength.
int AddChannelName(NodeStaticData& data, char kind, int card, int channel, const char* name);

// 1-based; nullptr when outside the table.
const char* CardName(const NodeStaticData& data, int i);
const ChannelGroupEntry* ChannelGroup(const NodeStaticData& data, int i);
// 1 and the name when found, 0 when not, -1 when the name is longer than
// maxLength (out is left empty then).
int ChannelName(const NodeStaticData& data, char kind, int card, int channel, int maxLength,
                std::string& out);

// The three tables and their counts; the identity texts stay as they are.
void CopyHardwareTables(NodeStaticData& to, const NodeStaticData& from);

// Display texts of the modules tree.
const char* KindTitle(char kind); // nullptr for a letter that is no group kind
std::string CardItemText(const NodeStaticData& data, int position); // 1-based
// "Digital Inputs D1.[1..8]"; a group of 0 channels or fewer "Digital Inputs D1.[none]".
std::string GroupItemText(const ChannelGroupEntry& group);
std::string ChannelItemText(const NodeStaticData& data, char kind, int card, int channel);

// Tree item values: 0 for a card; a group's heading or a channel packs its
// kind letter (case kept), card number and channel count or channel into one
// byte each under its tag. Each number is kept to its byte, so a bad one
// never borrows from or carries into its neighbour.
inline constexpr std::uint32_t kCardItemValue = 0;
inline constexpr std::uint32_t kItemTagMask = 0xC0000000u;
inline constexpr std::uint32_t kGroupItemTag = 0xC0000000u;
inline constexpr std::uint32_t kChannelItemTag = 0x80000000u;
inline constexpr int kItemKindShift = 16;
inline constexpr int kItemCardShift = 8;
inline constexpr std::uint32_t kItemByteMask = 0xFFu;
inline constexpr int kMaxItemNumber = 255; // the largest card, channel or count a value holds
std::uint32_t ChannelItemValue(char kind, int card, int channel);
// A group of 0 channels or fewer packs a count of 0.
std::uint32_t GroupItemValue(const ChannelGroupEntry& group);

// Kind filter: digital 1, analog 2, pulse 4, status 8, times 16 for outputs.
// 0 for a letter that is no kind.
std::uint32_t KindFilterBit(char kind);
inline bool KindInFilter(char kind, std::uint32_t mask) { return (KindFilterBit(kind) & mask) != 0; }

// The endpoint fields of the engineering page that the description fills
// while they are empty.
struct EngineeringEndpoints {
    std::string digitalOutput;
    std::string pulseOutput;
    std::string analogOutput1;
    std::string analogOutput2;
};
void FillDefaultEngineeringEndpoints(const NodeStaticData& data, EngineeringEndpoints& fields);

} // namespace mnm
