#include "HostCommandLine.h"

#include <CLI/CLI.hpp>

#include <map>

namespace
{
using Action = ui::DialogSetting::Action;

// The options dialog's controls, as the person sees them.
const std::map<std::string, std::wstring> kImportAs = {{"solid", L"Solid in a part document"},
                                                       {"sketch", L"3D sketch in a part document"}};
const std::map<std::string, std::wstring> kUnits = {
    {"mm", L"Millimeters"}, {"cm", L"Centimeters"}, {"m", L"Meters"}, {"in", L"Inches"}, {"ft", L"Feet"}};
constexpr const wchar_t* kMultibody = L"Create multibody part (in case of multiple meshes)";
constexpr const wchar_t* kYUp = L"Y axis points upwards";
constexpr const wchar_t* kProgress = L"Show progress";

const char* const kDescription =
    "facetor-host is the CAD host for the Facetor add-in. It loads the module Facetor.dll, finds the\n"
    "add-in through the registry, creates it through the module's class factory, connects it, runs\n"
    "one command through the add-in's named callbacks, disconnects it and prints one line per new\n"
    "document.";

const char* const kFooter =
    "Commands:\n"
    "  import FILE   the host's File-Open road: \"Facetor_Open\" with the path\n"
    "  import        the \"Import\" item (\"Facetor_Import\"): the add-in's open-file dialog asks for\n"
    "                the path on the terminal; an empty line cancels\n"
    "  help, about   the \"Help\" and \"About\" items\n"
    "  register      registers the module (the add-in, its bitmap handler and type library)\n"
    "  unregister    removes that registration\n"
    "\n"
    "The options dialog is answered by the flags given; what they leave alone shows the stored\n"
    "settings, as the real dialog does, and pressing OK stores them for the next run. Message boxes\n"
    "are printed with their title, progress windows are drawn as bars on the error stream.\n"
    "\n"
    "The registry is the file that FACETOR_REGISTRY names, else facetor/registry.reg in the user's\n"
    "configuration folder.\n"
    "\n"
    "After the command, one line per new document:\n"
    "  Part1: part, unit 3, 2 bodies, 24 faces, 0 sketch lines, 0 other sketch entities\n"
    "--save writes each document as DIR/<title>.json (the form is described in "
    "tools/facetor-host/README.md).\n"
    "\n"
    "Exit status: 0 when the command succeeded (for import: the add-in said \"Success\"), 1 when it\n"
    "did not (another message, a cancelled dialog, a module that cannot be loaded or is not\n"
    "registered), 2 on usage errors.";

// A flag and its negation as one check-box setting.
struct FlagPair
{
    CLI::Option* on;
    CLI::Option* off;
    const wchar_t* control;
};
} // namespace

std::optional<HostOptions> ParseHostCommandLine(int argc, char** argv, std::ostream& out, std::ostream& err,
                                                int& status)
{
    CLI::App app(kDescription, "facetor-host");
    app.footer(kFooter);
    app.fallthrough();
    app.require_subcommand(1);

    HostOptions options;
    app.add_option("--module", options.module,
                   "the add-in module (default: Facetor.dll beside this program)");
    std::string importAs, units;
    app.add_option("--as", importAs, "import the meshes as a solid or a 3D sketch")
        ->check(CLI::IsMember({"solid", "sketch"}));
    app.add_option("--units", units, "the file's length unit")
        ->check(CLI::IsMember({"mm", "cm", "m", "in", "ft"}));
    const auto flag = [&app](const char* name, const std::string& text) { return app.add_flag(name, text); };
    std::vector<FlagPair> flags = {
        {flag("--multibody", "one multibody part for all meshes"),
         flag("--no-multibody", "one part per mesh"), kMultibody},
        {flag("--y-up", "the file's Z axis becomes the part's Y axis"),
         flag("--no-y-up", "keep the file's axes"), kYUp},
        {flag("--progress", "show progress windows"), flag("--no-progress", "no progress windows"),
         kProgress},
    };
    for (FlagPair& flag : flags)
        flag.on->excludes(flag.off);
    app.add_option("--save", options.saveFolder, "write every new document as JSON into this folder");
    CLI::Option* journal = app.add_flag("--journal", options.journal, "print the host's journal of calls");
    app.add_flag("--lean", options.lean, "keep counts only, no journal and no geometry (for large files)")
        ->excludes(journal);

    CLI::App* import = app.add_subcommand("import", "import an STL file");
    import->add_option("file", options.file, "the STL file (none: the add-in's open-file dialog asks)");
    app.add_subcommand("help", "open the add-in's help file");
    app.add_subcommand("about", "show the add-in's about box");
    app.add_subcommand("register", "register the module");
    app.add_subcommand("unregister", "remove the module's registration");

    try
    {
        app.parse(argc, argv);
    }
    catch (const CLI::CallForHelp& help)
    {
        status = app.exit(help, out, err);
        return std::nullopt;
    }
    catch (const CLI::ParseError& error)
    {
        app.exit(error, out, err);
        status = 2;
        return std::nullopt;
    }

    options.command = app.get_subcommands().front()->get_name();
    if (!importAs.empty())
        options.dialogSettings.push_back({Action::Click, kImportAs.at(importAs)});
    if (!units.empty())
        options.dialogSettings.push_back({Action::Select, kUnits.at(units)});
    for (const FlagPair& flag : flags)
        if (flag.on->count() || flag.off->count())
            options.dialogSettings.push_back({Action::Check, flag.control, flag.on->count() > 0});
    return options;
}
