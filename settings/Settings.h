// The settings store: named text values under one key ("Software",
// "Orvendel", "Morvane Node Manager"). Every failure is silent: a store
// that cannot be reached reads as empty everywhere and keeps nothing.
// Texts are UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "settings/SettingNames.h"

namespace mnm {

// Longer values (and missing, empty or non-text ones) read as empty.
inline constexpr int kMaxSettingLength = 255;

// Creates the key (its company and title levels) where missing. 0, or -1 when
// the base level cannot be reached, -2 for the company level, -3 for the title.
int EnsureSettingsKey();

// Safe from several threads at once; each call returns its own text.
std::string ReadSetting(std::string_view name);

// True when the store holds a text under the name, even one that reads as
// empty because it is too long.
bool SettingPresent(std::string_view name);

// Empty when the settings can be saved; otherwise the path and the reason
// (a read-only folder or file).
std::string SettingsUnwritableReason();

// Where a configuration that was not saved is kept when the program is ended
// by a signal: beside the settings file (on Windows, in the user's local
// application data).
std::string RecoveryFilePath();

// Stores `text` in an existing key (it does not create one) and flushes it so
// other processes see it at once. Without a text the value is deleted.
void WriteSetting(std::string_view name, std::optional<std::string_view> text);
void DeleteSetting(std::string_view name);

// Start-up: deletes the routing-metric and retired names, and writes each
// other default whose value reads as empty. Non-empty values are kept as they
// are, even when they are no valid flag or number.
void WriteSettingDefaults();

// A flag is on when its text is exactly "1".
bool SettingFlagOn(std::string_view text);
// Lenient decimal: leading white space, an optional sign, digits up to the
// first non-digit; no digits gives 0. Saturates at the int range.
int SettingNumber(std::string_view text);

bool ReadSettingFlag(std::string_view name);
int ReadSettingNumber(std::string_view name);

} // namespace mnm
