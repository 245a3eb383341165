// Which commands of the main menu bar are there and which can be chosen,
// evaluated whenever a menu opens.
#pragma once

#include "app/model/ConfigState.h"

namespace mnm::app {

struct MenuInputs {
    int openState = kNoConfiguration;
    bool busy = false; // the worker runs a send, receive or node data job
    bool modified = false;
};

struct MenuSettings {
    bool allowEngineeringDialog = false; // AllowEngineeringDialog
    bool allowPortDeselection = false;   // AllowPortDeselection: "[None]" stays
};

struct CommandState {
    bool present = true;
    bool enabled = true;

    bool operator==(const CommandState&) const = default;
};

// For any identifier of the menu bar, the recent files and the ports;
// an unknown identifier is absent.
CommandState MenuCommandState(int commandId, const MenuInputs& inputs, const MenuSettings& settings);

// A file dropped on the blank view opens as Open would.
bool DropAccepted(const MenuInputs& inputs);

} // namespace mnm::app
