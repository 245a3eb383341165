// The window on a virtual node through the real link and worker, for the
// live tools' tests: settings in a folder of their own, the node unpaced.
#pragma once

#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

#include "app/MainFrame.h"
#include "app/StatusIndicator.h"
#include "app/WorkerPostBox.h"
#include "app/model/CommandIds.h"
#include "connection/ConnectionOptions.h"
#include "connection/NodeConnection.h"
#include "settings/Settings.h"
#include "sim/VirtualNode.h"
#include "tests/app/ScriptedHost.h"

namespace mnm::tools {

class LiveBench {
public:
    // What happens soon, with room for a loaded machine.
    static constexpr int kPatienceMs = 30000;

    // Every bench starts from the defaults. The store's folder is the
    // process's: the settings library keeps the first one it was given.
    LiveBench()
    {
        static QTemporaryDir folder;
        qputenv("XDG_CONFIG_HOME", folder.path().toUtf8());
        EnsureSettingsKey();
        for (const char* name : kChangedByTests) DeleteSetting(name);
        WriteSettingDefaults();
        WriteSetting(kSettingAllowEngineeringDialog, "1");
    }
    ~LiveBench()
    {
        frame_.reset();
        connection_.reset();
        node_.Stop();
    }

    // Starts the node and a frame connected to it, once its hardware read
    // is over; `settings` may write settings before the frame reads them.
    // False when the node does not come up.
    bool Open(const std::function<void()>& settings = {})
    {
        if (!node_.Start()) return false;
        WriteSetting(kSettingPort, node_.DevicePath());
        if (settings) settings();
        connection_ = std::make_unique<NodeConnection>();
        if (!connection_->Start(posts_.Callback(), WorkerOptionsFrom(ReadProgramSettings()))) return false;
        app::FrameOptions options;
        options.deviceRoot = devices_.path().toStdString();
        frame_ = std::make_unique<app::NMFrame>(*connection_, posts_, ReadProgramSettings(), options);
        frame_->show();
        return QTest::qWaitFor(
            [this] { return frame_->Indicator()->Frame() == app::kFrameConnected && !worker().IsBusy(); },
            kPatienceMs);
    }

    app::NMFrame& frame() { return *frame_; }
    VirtualNode& node() { return node_; }
    Worker& worker() { return connection_->worker(); }
    app::ScriptedHost& host() { return host_; }

    // The control of the frame with identifier `id`; null when there is none.
    template <typename Widget> Widget* Find(int id) const
    {
        return frame_->findChild<Widget*>(QString::number(id));
    }
    template <typename Widget> Widget* Find(const char* name) const
    {
        return frame_->findChild<Widget*>(QString::fromLatin1(name));
    }

    // Waits until `done` holds; false after the patience ran out.
    static bool Until(const std::function<bool()>& done) { return QTest::qWaitFor(done, kPatienceMs); }

private:
    static constexpr const char* kChangedByTests[] = {
        kSettingAllowDeepDiagnostics, kSettingDisplayVersionNumbersAsTrinomials, kSettingEndpointMonitorTimeout,
        kSettingNipQueryTimeout, kSettingMonitorConnectedNodeIdentity, kSettingPort};

    QTemporaryDir devices_;
    app::ScriptedHost host_;
    app::WorkerPostBox posts_;
    VirtualNode node_;
    std::unique_ptr<NodeConnection> connection_;
    std::unique_ptr<app::NMFrame> frame_;
};

} // namespace mnm::tools
