// Recording and scripted answers for tests.
#include "ui/ScriptedDriver.h"

#include "winuser.h"

#include <charconv>
#include <cstdio>

namespace ui
{
std::string Utf8(const std::wstring& text)
{
    std::string out;
    for (wchar_t wc : text)
    {
        uint32_t c = uint32_t(wc);
        if (c < 0x80)
            out += char(c);
        else if (c < 0x800)
        {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        }
        else if (c < 0x10000)
        {
            out += char(0xE0 | (c >> 12));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
        else
        {
            out += char(0xF0 | (c >> 18));
            out += char(0x80 | ((c >> 12) & 0x3F));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::wstring FromUtf8(const std::string& text)
{
    std::wstring out;
    for (size_t i = 0; i < text.size();)
    {
        const auto byte = [&](size_t at) { return uint32_t(static_cast<unsigned char>(text[at])); };
        const uint32_t lead = byte(i);
        const size_t length = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
        bool valid = length > 0 && i + length <= text.size();
        for (size_t k = 1; valid && k < length; ++k)
            valid = (byte(i + k) & 0xC0) == 0x80;
        if (!valid)
        {
            out += wchar_t(lead);
            ++i;
            continue;
        }
        uint32_t c = length == 1 ? lead : lead & (0x7F >> length);
        for (size_t k = 1; k < length; ++k)
            c = c << 6 | (byte(i + k) & 0x3F);
        out += wchar_t(c);
        i += length;
    }
    return out;
}

std::string Quoted(const std::wstring& text)
{
    std::string out = "\"";
    for (char c : Utf8(text))
    {
        if (c == '\\' || c == '"')
            out += '\\', out += c;
        else if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out + "\"";
}

std::string HandleText(const void* handle)
{
    if (!handle)
        return "null";
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "0x%llx", (unsigned long long)(uintptr_t)handle);
    return buffer;
}

namespace
{
std::string Number(double value)
{
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string ProgressText(const ProgressEvent& e)
{
    switch (e.call)
    {
    case ProgressCall::Construct:
        return "Construct(" + Quoted(e.text) + ", " + Quoted(e.status) + ", " + Number(e.minimum) + ", " + Number(e.maximum) + ", " +
               HandleText(e.parent) + ")";
    case ProgressCall::SetMax:
        return "SetMax(" + Number(e.value) + ")";
    case ProgressCall::StartProgress:
        return "StartProgress()";
    case ProgressCall::StepIt:
        return "StepIt(" + Number(e.value) + ")";
    case ProgressCall::SetStatus:
        return "SetStatus(" + Quoted(e.text) + ")";
    case ProgressCall::EndProgress:
        return "EndProgress()";
    case ProgressCall::Destroy:
        return "Destroy()";
    }
    return "?";
}
} // namespace

int ScriptedDriver::ShowMessageBox(const MessageBoxRequest& request)
{
    messageBoxes.push_back(request);
    if (onShow)
        onShow();
    int answer = IDOK;
    if (!m_messageBoxAnswers.empty())
    {
        answer = m_messageBoxAnswers.front();
        m_messageBoxAnswers.pop_front();
    }
    char flags[16];
    std::snprintf(flags, sizeof flags, "0x%x", request.flags);
    log.push_back("MessageBox(" + HandleText(request.owner) + ", " + Quoted(request.text) + ", " +
                  Quoted(request.caption) + ", " + flags + ") -> " + std::to_string(answer));
    return answer;
}

FileDialogAnswer ScriptedDriver::ShowFileDialog(const FileDialogRequest& request)
{
    fileDialogs.push_back(request);
    if (onShow)
        onShow();
    FileDialogAnswer answer{IDCANCEL, L""};
    if (!m_fileAnswers.empty())
    {
        answer = m_fileAnswers.front();
        m_fileAnswers.pop_front();
    }
    log.push_back(std::string("FileDialog(") + (request.openFileDialog ? "open" : "save") + ", " +
                  Quoted(request.filter) + ") -> " + std::to_string(answer.result) + ", " + Quoted(answer.typed));
    return answer;
}

void ScriptedDriver::RunModal(ModalDialog& dialog)
{
    ShownDialog shown{dialog.Caption(), dialog.Controls(), {}};
    if (onShow)
        onShow();
    DialogScript script;
    if (!m_dialogScripts.empty())
    {
        script = std::move(m_dialogScripts.front());
        m_dialogScripts.pop_front();
    }
    if (script)
        script(dialog);
    if (!dialog.Ended())
        dialog.Click(IDOK);
    if (!dialog.Ended()) // OK refused: the person gives up
        dialog.PressEscape();
    shown.controlsAtEnd = dialog.Controls();
    log.push_back("Dialog(" + Quoted(shown.caption) + ")");
    dialogs.push_back(std::move(shown));
}

void ScriptedDriver::Progress(const ProgressEvent& event)
{
    progress.push_back(event);
    log.push_back("Progress" + std::to_string(event.window) + "." + ProgressText(event));
}

void ScriptedDriver::ShowAbout(const std::wstring& caption, HWND parent)
{
    aboutCaptions.push_back(caption);
    log.push_back("About(" + Quoted(caption) + ", " + HandleText(parent) + ")");
}

void ScriptedDriver::ShellOpen(const std::wstring& verb, const std::wstring& file)
{
    shellOpened.push_back(file);
    log.push_back("ShellExecute(" + Quoted(verb) + ", " + Quoted(file) + ")");
}

std::vector<std::string> ScriptedDriver::ProgressLines() const
{
    std::vector<std::string> lines;
    for (const ProgressEvent& e : progress)
        lines.push_back(ProgressText(e));
    return lines;
}
} // namespace ui
