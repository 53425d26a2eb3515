// facetor-host: the CAD host as a program. It loads the add-in module, finds the add-in through
// the registry, connects it, runs one of its commands, disconnects it and reports the documents.
#include "AddinModule.h"
#include "AddinRegistry.h"
#include "AddinSession.h"
#include "DocumentJson.h"
#include "DocumentSummary.h"
#include "HostCommandLine.h"

#include "libloaderapi.h"
#include "win32_testing.h"

#include "sim/Host.h"
#include "ui/ScriptedDriver.h"
#include "ui/TerminalDriver.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iostream>

namespace
{
// Facetor.dll in the program's own folder.
std::string DefaultModulePath()
{
    wchar_t program[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    return (std::filesystem::path(ui::Utf8(program)).parent_path() / "Facetor.dll").string();
}

std::string AbsolutePath(const std::string& path)
{
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::weakly_canonical(path, error);
    return error ? path : absolute.string();
}

int Register(const AddinModule& module, bool registering)
{
    const HRESULT result = registering ? module.RegisterServer() : module.UnregisterServer();
    if (FAILED(result))
    {
        std::fprintf(stderr, "facetor-host: %s of %s failed (0x%08X)\n",
                     registering ? "registration" : "unregistration", module.Path().c_str(),
                     unsigned(result));
        return 1;
    }
    std::cout << (registering ? "Registered " : "Unregistered ") << module.Path() << '\n';
    return 0;
}

AddinCommand CommandFor(const HostOptions& options)
{
    if (options.command == "import")
        return options.file ? AddinCommand{L"Facetor_Open", ui::FromUtf8(*options.file)}
                            : AddinCommand{L"Facetor_Import", std::nullopt};
    return {options.command == "help" ? L"Facetor_Help" : L"Facetor_About", std::nullopt};
}

// Whatever the add-in holds at the end was leaked: every host reference and every string should
// have been given back by now.
void ReportLeaks(const sim::Host& host)
{
    if (const long references = host.LiveReferences())
        std::cerr << "facetor-host: " << references << " host references were not released\n";
    if (const long strings = platform::LiveBstrCount())
        std::cerr << "facetor-host: " << strings << " strings were not freed\n";
}

int RunCommand(const HostOptions& options, const AddinModule& module, ui::TerminalDriver& terminal)
{
    const std::optional<CLSID> clsid = FindRegisteredAddin(module.Path());
    if (!clsid)
    {
        std::cerr << "facetor-host: no add-in of " << module.Path()
                  << " is registered; run \"facetor-host register\" first\n";
        return 1;
    }
    sim::Host host;
    host.SetLean(options.lean);
    const bool called = RunAddinCommand(module, *clsid, host, CommandFor(options), std::cerr);

    for (const auto& document : host.GetModel().documents)
        std::cout << DocumentSummary(*document) << '\n';
    int status = 0;
    if (options.saveFolder)
    {
        std::string error;
        if (!SaveDocuments(host.GetModel(), *options.saveFolder, error))
        {
            std::cerr << "facetor-host: " << error << '\n';
            status = 1;
        }
    }
    if (options.journal)
        for (const std::string& line : host.Journal())
            std::cout << line << '\n';
    ReportLeaks(host);

    const std::vector<std::wstring>& messages = terminal.Messages();
    const bool succeeded = options.command == "import"
                               ? std::find(messages.begin(), messages.end(), L"Success") != messages.end()
                               : messages.empty();
    return called && succeeded ? status : 1;
}
} // namespace

int main(int argc, char** argv)
{
    int status = 0;
    const std::optional<HostOptions> options = ParseHostCommandLine(argc, argv, std::cout, std::cerr, status);
    if (!options)
        return status;

    ui::TerminalDriver terminal(std::cin, std::cout, std::cerr);
    terminal.SetDialogSettings(options->dialogSettings);
    ui::ScopedDriver driver(terminal);

    std::string error;
    const std::string path = AbsolutePath(options->module.empty() ? DefaultModulePath() : options->module);
    const std::unique_ptr<AddinModule> module = AddinModule::Load(path, error);
    if (!module)
    {
        std::cerr << "facetor-host: cannot load " << path << ": " << error << '\n';
        return 1;
    }
    if (options->command == "register" || options->command == "unregister")
        return Register(*module, options->command == "register");
    status = RunCommand(*options, *module, terminal);
    if (module->CanUnloadNow() != S_OK)
        std::cerr << "facetor-host: " << path << " still holds objects and stays loaded\n";
    return status;
}
