// The command line of facetor-host: the command, the module, the answers for the import options
// dialog, and what to do with the documents afterwards.
#pragma once

#include "ui/TerminalDriver.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

struct HostOptions
{
    std::string command;             // import, help, about, register or unregister
    std::optional<std::string> file; // import only: the File-Open road; none: the "Import" item
    std::string module;              // empty: Facetor.dll beside the program
    std::vector<ui::DialogSetting> dialogSettings;
    std::optional<std::string> saveFolder;
    bool journal = false;
    bool lean = false;
};

// Reads the command line. Returns the options, or nothing with `status` set: 0 after --help was
// printed to `out`, 2 after a usage error was printed to `err`.
std::optional<HostOptions> ParseHostCommandLine(int argc, char** argv, std::ostream& out, std::ostream& err,
                                                int& status);
