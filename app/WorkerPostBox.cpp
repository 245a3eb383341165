#include "app/WorkerPostBox.h"

namespace mnm::app {

PostCommandId WorkerPostBox::Callback()
{
    return [this](int commandId) {
        // Queued: the signal is emitted on the box's own (interface) thread.
        QMetaObject::invokeMethod(this, [this, commandId] { emit Posted(commandId); }, Qt::QueuedConnection);
        return true;
    };
}

} // namespace mnm::app
