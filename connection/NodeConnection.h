// One connection to a node: the serial link, the thread that runs it, the
// worker that talks over it and, when asked, the built-in virtual node at
// the other end. The window and `mnm` each build one and hand it down; two
// connections in one process share nothing.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

#include "link/Link.h"
#include "worker/Worker.h"

namespace mnm {

class VirtualNode;

class NodeConnection {
public:
    NodeConnection();
    // Stops the worker, then the link thread, then the virtual node.
    ~NodeConnection();
    NodeConnection(const NodeConnection&) = delete;
    NodeConnection& operator=(const NodeConnection&) = delete;

    // Starts the link thread and the worker in its live job; false (nothing
    // left running) when the worker's thread cannot be created.
    bool Start(PostCommandId post, const WorkerOptions& options);
    // Ends both threads, a running transfer stopped first; safe to repeat.
    void Stop();

    // The port the link opens at its next pass; empty closes it.
    void SelectPort(std::string_view path);
    Worker& worker() { return worker_; }
    // The node's unsolicited text waiting in the link (Windows-1252, at most
    // kNodeTextSize - 1 characters), taken once; nothing when none came.
    std::optional<std::string> TakeNodeText();

    // Starts the built-in virtual node once, paced like a real line; its
    // terminal's path, or empty when no pseudo-terminal could be had.
    std::string StartVirtualNode();
    // The running virtual node's terminal, or empty.
    std::string VirtualNodePath() const;

private:
    Link link_;
    Worker worker_{link_};
    std::jthread linkThread_;
    std::unique_ptr<VirtualNode> virtualNode_;
};

} // namespace mnm
