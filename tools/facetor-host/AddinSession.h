// One run of the add-in inside the host: created through its module's class factory, connected
// with a cookie, called back by name for one command, disconnected and released.
#pragma once

#include "AddinModule.h"

#include "sim/Host.h"

#include <iosfwd>
#include <optional>
#include <string>

// The callback name and its string argument (none: the callback takes no argument).
struct AddinCommand
{
    std::wstring callback;
    std::optional<std::wstring> argument;
};

// Runs the command; false, with the reason written to `err`, when the add-in could not be created
// or its callback could not be called.
bool RunAddinCommand(const AddinModule& module, REFCLSID clsid, sim::Host& host, const AddinCommand& command,
                     std::ostream& err);
