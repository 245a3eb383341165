// The modules tree: the node's cards, their channel groups and channels as
// the pages show them, and what picking an item does on each page.
#pragma once

#include "nodeconf/NodeStaticData.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace mnm::editor {

// Kind bits of a tree's mask (the same bits as KindFilterBit); an output
// kind's bit is its input bit shifted by kOutputKindShift.
inline constexpr unsigned kDigitalKindBit = 1;
inline constexpr unsigned kAnalogKindBit = 2;
inline constexpr unsigned kPulseKindBit = 4;
inline constexpr unsigned kStatusKindBit = 8;
inline constexpr unsigned kOutputKindShift = 4;
inline constexpr unsigned kAllInputKinds = kDigitalKindBit | kAnalogKindBit | kPulseKindBit | kStatusKindBit;

// The SMS page takes digital, analog and status points both ways (no output
// kind carries the status bit).
inline constexpr unsigned kSmsKinds = kDigitalKindBit | kAnalogKindBit | kStatusKindBit;

inline constexpr unsigned kConnectionsTreeMask = kAllInputKinds;
inline constexpr unsigned kSmsTreeMask = kSmsKinds | kSmsKinds << kOutputKindShift;
inline constexpr unsigned kDialupTreeMask = kAllInputKinds | kAllInputKinds << kOutputKindShift;
inline constexpr unsigned kMonitorTreeMask = kDialupTreeMask;

struct ModuleItem {
    std::string text; // Windows-1252, as the node sent it
    std::uint32_t value = kCardItemValue; // as GroupItemValue / ChannelItemValue pack it
    std::vector<ModuleItem> children;
};

// One item per card, its groups' headings under it and, for the kinds in
// `mask`, the groups' channels under those. A group with no channels (a
// count of 0 or less) shows as "Digital Inputs D1.[none]"; groups of an
// unknown kind, or whose card number does not fit a byte, are left out.
std::vector<ModuleItem> ModulesTreeItems(const NodeStaticData& data, unsigned mask);

// What picking an item puts in the page's endpoint edit; `output` tells the
// pages that set Input or Output by the channel's direction.
struct ModulePick {
    std::string text;
    bool output = false;

    bool operator==(const ModulePick&) const = default;
};

// std::nullopt: the item does nothing on that page.
std::optional<ModulePick> PickForConnections(std::uint32_t value);
std::optional<ModulePick> PickForSms(std::uint32_t value);
std::optional<ModulePick> PickForDialup(std::uint32_t value);
std::optional<ModulePick> PickForMonitor(std::uint32_t value);

} // namespace mnm::editor
