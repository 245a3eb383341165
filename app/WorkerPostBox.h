// Where the communication worker's "post command id" calls arrive: any
// thread may post, and the id comes out as a signal on the interface thread.
// The box outlives the worker thread (the program stops the worker first),
// so a post can never reach a destroyed object; a frame that is gone simply
// has no connection left.
#pragma once

#include <QObject>

#include "worker/Worker.h"

namespace mnm::app {

class WorkerPostBox : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // The callback the worker is started with. Always accepts.
    PostCommandId Callback();

signals:
    void Posted(int commandId);
};

} // namespace mnm::app
