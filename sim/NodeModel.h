// What the virtual node holds and how it answers: the node's side of every
// query and command, from a working memory, a flash copy and a little radio
// state. No threads and no I/O; the caller serialises access.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "nodeconf/NodeConf.h"
#include "nodeconf/NodeStaticData.h"

namespace mnm {

inline constexpr const char* kDefaultNodeVersion = "2.08.0050";

class NodeModel {
public:
    NodeModel();

    // Working memory and flash both become `conf`.
    void SetConfig(const NodeConf& conf);
    // Reported by query 86; an older version also answers as an older node.
    void SetVersion(const std::string& text);
    void SetHardware(const NodeStaticData& hardware);
    // Off: query 114 and commands 114, 115 and 122 go unanswered.
    void SetHighwaySupported(bool on) { highway_ = on; }
    // Off: the dialup queries (83, 85, 112) go unanswered.
    void SetDialupSupported(bool on) { dialup_ = on; }
    // Off: the SMS queries (101, 104 to 106) go unanswered.
    void SetSmsSupported(bool on) { sms_ = on; }
    // Off: the low-power queries and commands (109, 110, 111) go unanswered.
    void SetLowPowerSupported(bool on) { lowPower_ = on; }
    // A faulty node, for the read-back check: `change` alters what the node
    // holds, working memory and flash, each time a part is committed.
    void SetCommitFault(std::function<void(NodeConf&)> change) { commitFault_ = std::move(change); }

    // The reply data, or nothing when the node does not answer.
    std::optional<std::vector<std::uint8_t>> Query(std::uint8_t code, std::uint8_t p1, std::uint8_t p2);
    // The acknowledgement's status, or nothing when the node does not answer.
    std::optional<int> Command(std::uint8_t code, const std::uint8_t* data, int length);

    const NodeConf& Working() const { return working_; }
    const NodeConf& Flash() const { return flash_; }
    int CommitCount() const { return commits_; }
    std::uint8_t Mode() const { return mode_; }
    int PresentChannel() const { return channel_; }
    int PresentPower() const { return power_; }
    // The task scheduler's setting: 0 normal, 1 favouring the link's traffic.
    int Scheduler() const { return scheduler_; }
    // The text of the next unsolicited node text message.
    std::string NodeText();

private:
    std::optional<std::vector<std::uint8_t>> NetworkQuery(std::uint8_t code, std::uint8_t p1, std::uint8_t p2);
    std::optional<std::vector<std::uint8_t>> TableQuery(std::uint8_t code, std::uint8_t p1, std::uint8_t p2);
    std::optional<std::vector<std::uint8_t>> HardwareQuery(std::uint8_t code, std::uint8_t p1);
    std::optional<std::vector<std::uint8_t>> LiveQuery(std::uint8_t code, std::uint8_t p1, std::uint8_t p2);
    std::optional<int> ParameterCommand(std::uint8_t code, const std::uint8_t* data, int length);
    std::optional<int> TableCommand(std::uint8_t code, const std::uint8_t* data, int length);
    std::optional<int> RadioCommand(std::uint8_t code, const std::uint8_t* data, int length);
    std::optional<int> FlashCommand(std::uint8_t code, const std::uint8_t* data, int length);
    std::uint8_t FlashState();
    void ApplyCommit(std::uint8_t code);
    bool AtLeast(const char* version) const;
    std::vector<std::uint8_t> StatusBlock() const;

    NodeConf working_;
    NodeConf flash_;
    NodeStaticData hardware_;
    std::string version_ = kDefaultNodeVersion;
    bool highway_ = true;
    bool dialup_ = true;
    bool sms_ = true;
    bool lowPower_ = true;

    std::function<void(NodeConf&)> commitFault_;
    int commits_ = 0;
    int pendingCommit_ = -1; // the flash command being written, -1 none
    int writingReads_ = 0;   // flash-state reads still answered "writing"

    std::uint8_t mode_;
    int channel_;
    int power_;
    int highestChannel_;
    std::uint8_t monitored_[3] = {};
    int scheduler_ = 0;
    int tick_ = 0;
    int texts_ = 0;
};

// The hardware the virtual node reports unless told otherwise: two cards
// with digital, analog and pulse points, and a few channel names.
NodeStaticData DefaultNodeHardware();
// The configuration it holds unless given one.
NodeConf DefaultNodeConfiguration();

} // namespace mnm
