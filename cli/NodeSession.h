// The node side of `mnm receive` and `mnm send`: the real link thread and
// worker on one port, and a wait for a job's notification.
#pragma once

#include <condition_variable>
#include <mutex>
#include <set>
#include <string>
#include <thread>

namespace mnm::cli {

class NodeSession {
public:
    explicit NodeSession(const std::string& port);
    ~NodeSession();
    NodeSession(const NodeSession&) = delete;
    NodeSession& operator=(const NodeSession&) = delete;

    // Waits until the worker posts `commandId`, showing the progress word on
    // stderr meanwhile when stderr is a terminal.
    void WaitFor(int commandId);

private:
    std::jthread link_;
    std::mutex lock_; // guards posted_
    std::condition_variable wake_;
    std::set<int> posted_;
};

} // namespace mnm::cli
