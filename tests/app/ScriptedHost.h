// Answers the program's modal questions in the user's place, from a queue,
// and remembers every report and question it was shown.
#pragma once

#include <QDialog>

#include <deque>
#include <vector>

#include "reports/MNMEDialog.h"
#include "reports/ModalHost.h"
#include "reports/UnsavedFileDialog.h"

namespace mnm::app {

class ScriptedHost : public reports::ModalHost {
public:
    struct Shown {
        QString title;
        QString text;
        int icon = 0;
    };

    ScriptedHost() { reports::SetModalHost(this); }
    ~ScriptedHost() override { reports::SetModalHost(nullptr); }

    std::deque<int> answers;    // dialog results and message-box buttons, in turn
    std::deque<QString> files;  // file dialog results, in turn (empty: cancelled)
    std::vector<Shown> shown;

    int RunDialog(QDialog& dialog) override
    {
        Shown seen{dialog.windowTitle(), {}, 0};
        if (auto* report = qobject_cast<reports::MNMEDialog*>(&dialog)) {
            seen.text = report->Text();
            seen.icon = report->Icon();
        }
        if (auto* prompt = qobject_cast<reports::UnsavedFileDialog*>(&dialog)) seen.text = prompt->Question();
        shown.push_back(seen);
        return Next(QDialog::Accepted);
    }
    QMessageBox::StandardButton Ask(QWidget*, QMessageBox::Icon, const QString& title, const QString& text,
                                    QMessageBox::StandardButtons, QMessageBox::StandardButton) override
    {
        shown.push_back({title, text, 0});
        return static_cast<QMessageBox::StandardButton>(Next(QMessageBox::Ok));
    }
    QString OpenFileName(QWidget*, const QString& title, const QString&, const QString&) override
    {
        return NextFile(title);
    }
    QString SaveFileName(QWidget*, const QString& title, const QString&, const QString&) override
    {
        return NextFile(title);
    }

private:
    int Next(int otherwise)
    {
        if (answers.empty()) return otherwise;
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    QString NextFile(const QString& title)
    {
        shown.push_back({title, {}, 0});
        if (files.empty()) return {};
        const QString file = files.front();
        files.pop_front();
        return file;
    }
};

} // namespace mnm::app
