// The user-interface seam. Every place where the real platform would show something to a person
// calls the current driver instead; the driver records it and answers for the person.
#pragma once

#include "wintypes.h"

#include <string>

namespace ui
{
class ModalDialog;

struct MessageBoxRequest
{
    HWND owner;
    std::wstring text;
    std::wstring caption;
    UINT flags;
};

struct FileDialogRequest
{
    bool openFileDialog;
    std::wstring defaultExtension;
    std::wstring fileName;
    DWORD flags;
    std::wstring filter;
    HWND parent;
};

struct FileDialogAnswer
{
    int result;         // IDOK or IDCANCEL
    std::wstring typed; // the name as the person typed or picked it, before any default extension
};

enum class ProgressCall
{
    Construct,
    SetMax,
    StartProgress,
    StepIt,
    SetStatus,
    EndProgress,
    Destroy,
};

// One call of the progress-window protocol. `window` numbers the windows of a process from 1.
struct ProgressEvent
{
    int window;
    ProgressCall call;
    std::wstring text = {}; // title (Construct) or status (SetStatus)
    std::wstring status = {}; // Construct only
    double value = 0;   // maximum (SetMax), step (StepIt)
    double minimum = 0; // Construct only
    double maximum = 0; // Construct only
    HWND parent = nullptr;
};

class Driver
{
public:
    virtual ~Driver() = default;

    // Returns the button that closed the box (IDOK, IDCANCEL, ...).
    virtual int ShowMessageBox(const MessageBoxRequest& request) = 0;
    virtual FileDialogAnswer ShowFileDialog(const FileDialogRequest& request) = 0;
    // Works the dialog's controls and presses its buttons until the dialog has ended.
    virtual void RunModal(ModalDialog& dialog) = 0;
    virtual void Progress(const ProgressEvent& event) = 0;
    virtual void ShowAbout(const std::wstring& caption, HWND parent) = 0;
    // The shell was asked to open a document that exists.
    virtual void ShellOpen(const std::wstring& verb, const std::wstring& file) = 0;
};

// The driver in force; a process starts with a quiet one that shows nothing, answers message
// boxes with OK, cancels file dialogs and presses OK in modal dialogs.
Driver& CurrentDriver();
// Installs a driver (null: back to the quiet one) and returns the previous one.
Driver* SetDriver(Driver* driver);

// Installs a driver for the lifetime of a scope.
class ScopedDriver
{
public:
    explicit ScopedDriver(Driver& driver) : m_previous(SetDriver(&driver)) {}
    ~ScopedDriver() { SetDriver(m_previous); }
    ScopedDriver(const ScopedDriver&) = delete;
    ScopedDriver& operator=(const ScopedDriver&) = delete;

private:
    Driver* m_previous;
};
} // namespace ui
