// The built-in virtual node: a node of our own on a pseudo-terminal inside
// the program, so that Receive, Send and the live tools can be tried
// without hardware. Started only when the user chooses it.
#pragma once

#include <QString>

#include <memory>

namespace mnm {
class VirtualNode;
}

namespace mnm::app {

class VirtualNodeHost {
public:
    VirtualNodeHost();
    ~VirtualNodeHost();

    // Starts the node once (paced like a real line) and returns its
    // terminal's path; empty when no pseudo-terminal could be had.
    QString Start();
    bool Running() const;
    QString DevicePath() const;

private:
    std::unique_ptr<VirtualNode> node_;
};

} // namespace mnm::app
