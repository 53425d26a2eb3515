// The terminal: what the host program's user sees and answers.
#include "ui/TerminalDriver.h"

#include "ui/ModalDialog.h"
#include "ui/ScriptedDriver.h"

#include "winuser.h"

#include <algorithm>
#include <cwctype>
#include <istream>
#include <ostream>

namespace ui
{
namespace
{
// A button's text as the person reads it: without the '&' that marks its mnemonic.
std::wstring Shown(const std::wstring& text)
{
    std::wstring out;
    for (size_t i = 0; i < text.size(); ++i)
    {
        if (text[i] == L'&' && ++i == text.size())
            break;
        out += text[i]; // "&&" stands for one '&'
    }
    return out;
}

bool IsClass(const ControlView& control, const wchar_t* name)
{
    std::wstring lower = control.windowClass;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](wchar_t c) { return wchar_t(std::towlower(c)); });
    return lower == name;
}

// How much of a bar is done, in whole percent. The part done lies in [0, 1], where truncating is
// flooring: a large import asks this at every step.
int DonePercent(double position, double minimum, double maximum)
{
    const double span = maximum - minimum;
    const double done = span > 0 ? std::clamp((position - minimum) / span, 0.0, 1.0) : 0.0;
    return int(done * 100);
}

std::string Trimmed(const std::string& line)
{
    const size_t first = line.find_first_not_of(" \t\r");
    const size_t last = line.find_last_not_of(" \t\r");
    return first == std::string::npos ? std::string() : line.substr(first, last - first + 1);
}
} // namespace

TerminalDriver::TerminalDriver(std::istream& input, std::ostream& output, std::ostream& progress)
    : m_input(input), m_output(output), m_progress(progress)
{
}

int TerminalDriver::ShowMessageBox(const MessageBoxRequest& request)
{
    m_messages.push_back(request.text);
    m_output << Utf8(request.caption) << ": " << Utf8(request.text) << '\n';
    return IDOK;
}

FileDialogAnswer TerminalDriver::ShowFileDialog(const FileDialogRequest& request)
{
    // The filter's first description names what is asked for ("Text files (*.txt)|*.txt||").
    const std::wstring kind = request.filter.substr(0, request.filter.find(L'|'));
    m_output << (request.openFileDialog ? "Open" : "Save as") << " (" << Utf8(kind)
             << "), an empty line cancels: " << std::flush;
    std::string line;
    if (!std::getline(m_input, line))
        m_output << '\n';
    line = Trimmed(line);
    if (line.empty())
        return {IDCANCEL, L""};
    return {IDOK, FromUtf8(line)};
}

void TerminalDriver::Apply(ModalDialog& dialog, const DialogSetting& setting)
{
    for (const ControlView& control : dialog.Controls())
    {
        if (setting.action == DialogSetting::Action::Select)
        {
            if (!IsClass(control, L"combobox"))
                continue;
            const auto item = std::find(control.items.begin(), control.items.end(), setting.name);
            if (item == control.items.end())
                continue;
            dialog.Select(control.id, int(item - control.items.begin()));
            return;
        }
        if (!IsClass(control, L"button") || Shown(control.text) != setting.name)
            continue;
        if (setting.action == DialogSetting::Action::Click)
            dialog.Click(control.id);
        else
            dialog.SetCheck(control.id, setting.checked);
        return;
    }
    m_progress << "The dialog \"" << Utf8(dialog.Caption()) << "\" has no control \"" << Utf8(setting.name)
               << "\"\n";
}

void TerminalDriver::Print(const ModalDialog& dialog)
{
    m_output << Utf8(dialog.Caption()) << '\n';
    for (const ControlView& control : dialog.Controls())
    {
        const std::string text = Utf8(Shown(control.text));
        if (IsClass(control, L"combobox"))
        {
            const bool selected = control.selection >= 0 && size_t(control.selection) < control.items.size();
            m_output << "  [" << (selected ? Utf8(control.items[size_t(control.selection)]) : "") << "]\n";
        }
        else if (IsClass(control, L"button") && control.id != IDOK && control.id != IDCANCEL)
            m_output << "  " << (control.checked ? "[x] " : "[ ] ") << text << '\n';
        else if (IsClass(control, L"static") && !text.empty())
            m_output << "  " << text << '\n';
    }
}

void TerminalDriver::RunModal(ModalDialog& dialog)
{
    for (const DialogSetting& setting : m_settings)
        Apply(dialog, setting);
    Print(dialog);
    dialog.Click(IDOK);
    if (!dialog.Ended()) // the dialog refused its values: give up as the person would
        dialog.PressEscape();
}

void TerminalDriver::Draw(Bar& bar, int percent)
{
    bar.drawnPercent = percent;
    constexpr int width = 30;
    const int filled = percent * width / 100;
    m_progress << '\r' << Utf8(bar.title) << " [" << std::string(size_t(filled), '#')
               << std::string(size_t(width - filled), '.') << "] " << percent << "% " << Utf8(bar.status)
               << "\x1b[K" << std::flush;
}

void TerminalDriver::Progress(const ProgressEvent& event)
{
    Bar& bar = m_bars[event.window];
    switch (event.call)
    {
    case ProgressCall::Construct:
        bar = Bar{event.text, event.status, event.minimum, event.maximum, event.minimum};
        break;
    case ProgressCall::SetMax:
        bar.maximum = event.value;
        break;
    case ProgressCall::StartProgress:
        bar.shown = true;
        bar.position = bar.minimum;
        if (m_drawProgress)
            Draw(bar, DonePercent(bar.position, bar.minimum, bar.maximum));
        break;
    case ProgressCall::StepIt:
        bar.position += event.value;
        if (bar.shown && m_drawProgress)
        {
            // Redrawing the same line for every step would slow large imports.
            const int percent = DonePercent(bar.position, bar.minimum, bar.maximum);
            if (percent != bar.drawnPercent)
                Draw(bar, percent);
        }
        break;
    case ProgressCall::SetStatus:
        bar.status = event.text;
        if (bar.shown && m_drawProgress)
            Draw(bar, DonePercent(bar.position, bar.minimum, bar.maximum));
        break;
    case ProgressCall::EndProgress:
        if (bar.shown && m_drawProgress)
            m_progress << '\n' << std::flush;
        bar.shown = false;
        break;
    case ProgressCall::Destroy:
        if (bar.shown && m_drawProgress)
            m_progress << '\n' << std::flush;
        m_bars.erase(event.window);
        break;
    }
}

void TerminalDriver::ShowAbout(const std::wstring& caption, HWND)
{
    m_output << "About " << Utf8(caption) << '\n';
}

void TerminalDriver::ShellOpen(const std::wstring& verb, const std::wstring& file)
{
    m_output << "The shell opens (" << Utf8(verb) << ") " << Utf8(file) << '\n';
}
} // namespace ui
