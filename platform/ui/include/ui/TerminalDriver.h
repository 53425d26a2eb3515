// A driver for a person at a terminal: message boxes and the about box are printed, the open-file
// dialog asks for a path on the input, modal dialogs are worked by the settings given beforehand
// and pressed OK, and progress windows are drawn as bars on the error stream.
#pragma once

#include "ui/Driver.h"

#include <iosfwd>
#include <map>
#include <string>
#include <vector>

namespace ui
{
// One thing a person does in a dialog before pressing OK. Controls are named as the person sees
// them: a button by its text (without the '&' of its mnemonic), a combo box by one of its items.
struct DialogSetting
{
    enum class Action
    {
        Click,  // a radio button becomes the ticked one of its group
        Check,  // a check box is set to `checked`
        Select, // the combo box that lists the item selects it
    };
    Action action;
    std::wstring name;
    bool checked = true;
};

class TerminalDriver : public Driver
{
public:
    TerminalDriver(std::istream& input, std::ostream& output, std::ostream& progress);

    // Applied in order to every modal dialog; a setting that names no control is reported and
    // skipped.
    void SetDialogSettings(std::vector<DialogSetting> settings) { m_settings = std::move(settings); }
    // Off: progress windows are not drawn.
    void SetProgressBars(bool draw) { m_drawProgress = draw; }

    // The texts of the message boxes shown, in order.
    const std::vector<std::wstring>& Messages() const { return m_messages; }

    int ShowMessageBox(const MessageBoxRequest& request) override;
    FileDialogAnswer ShowFileDialog(const FileDialogRequest& request) override;
    void RunModal(ModalDialog& dialog) override;
    void Progress(const ProgressEvent& event) override;
    void ShowAbout(const std::wstring& caption, HWND parent) override;
    void ShellOpen(const std::wstring& verb, const std::wstring& file) override;

private:
    struct Bar
    {
        std::wstring title, status;
        double minimum = 0, maximum = 100, position = 0;
        bool shown = false;
        int drawnPercent = -1;
    };
    void Draw(Bar& bar, int percent);
    void Apply(ModalDialog& dialog, const DialogSetting& setting);
    void Print(const ModalDialog& dialog);

    std::istream& m_input;
    std::ostream& m_output;
    std::ostream& m_progress;
    std::vector<DialogSetting> m_settings;
    bool m_drawProgress = true;
    std::vector<std::wstring> m_messages;
    std::map<int, Bar> m_bars;
};
} // namespace ui
