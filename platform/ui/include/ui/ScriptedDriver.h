// A driver for tests: it records everything shown, in order, and answers from a script.
#pragma once

#include "ui/Driver.h"
#include "ui/ModalDialog.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace ui
{
class ScriptedDriver : public Driver
{
public:
    using DialogScript = std::function<void(ModalDialog&)>;

    struct ShownDialog
    {
        std::wstring caption;
        std::vector<ControlView> controlsAtStart;
        std::vector<ControlView> controlsAtEnd;
    };

    // Answers, taken in order; when a queue is empty the defaults apply: OK for message boxes,
    // Cancel for file dialogs, and a click on OK for modal dialogs.
    void QueueMessageBoxAnswer(int answer) { m_messageBoxAnswers.push_back(answer); }
    void QueueFileDialog(int result, std::wstring typed) { m_fileAnswers.push_back({result, std::move(typed)}); }
    void QueueDialog(DialogScript script) { m_dialogScripts.push_back(std::move(script)); }

    // Called while a message box, file dialog or modal dialog is up (for checks made at that
    // moment, such as which module state is current).
    std::function<void()> onShow;

    std::vector<MessageBoxRequest> messageBoxes;
    std::vector<FileDialogRequest> fileDialogs;
    std::vector<ShownDialog> dialogs;
    std::vector<ProgressEvent> progress;
    std::vector<std::wstring> aboutCaptions;
    std::vector<std::wstring> shellOpened;

    // Everything shown, one line per event in order, in a stable text form (UTF-8).
    std::vector<std::string> log;

    int ShowMessageBox(const MessageBoxRequest& request) override;
    FileDialogAnswer ShowFileDialog(const FileDialogRequest& request) override;
    void RunModal(ModalDialog& dialog) override;
    void Progress(const ProgressEvent& event) override;
    void ShowAbout(const std::wstring& caption, HWND parent) override;
    void ShellOpen(const std::wstring& verb, const std::wstring& file) override;

    // The progress calls of one kind, in order, as "Construct(...)" style lines without the
    // window number: handy for comparing protocols.
    std::vector<std::string> ProgressLines() const;

private:
    std::deque<int> m_messageBoxAnswers;
    std::deque<FileDialogAnswer> m_fileAnswers;
    std::deque<DialogScript> m_dialogScripts;
};

// UTF-8 form of a wide string, and the quoted, escaped form used in logs and journals.
std::string Utf8(const std::wstring& text);
// The wide form of UTF-8 text; a byte that starts no valid sequence stands for itself.
std::wstring FromUtf8(const std::string& text);
std::string Quoted(const std::wstring& text);
std::string HandleText(const void* handle);
} // namespace ui
