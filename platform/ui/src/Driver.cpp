// The current driver, and the quiet driver that a process starts with.
#include "ui/Driver.h"
#include "ui/ModalDialog.h"

#include "winuser.h"

namespace ui
{
namespace
{
class QuietDriver : public Driver
{
public:
    int ShowMessageBox(const MessageBoxRequest&) override { return IDOK; }
    FileDialogAnswer ShowFileDialog(const FileDialogRequest&) override { return {IDCANCEL, L""}; }
    void RunModal(ModalDialog& dialog) override
    {
        dialog.Click(IDOK);
        if (!dialog.Ended())
            dialog.PressEscape();
    }
    void Progress(const ProgressEvent&) override {}
    void ShowAbout(const std::wstring&, HWND) override {}
    void ShellOpen(const std::wstring&, const std::wstring&) override {}
};

QuietDriver g_quiet;
Driver* g_current = &g_quiet;
} // namespace

Driver& CurrentDriver()
{
    return *g_current;
}

Driver* SetDriver(Driver* driver)
{
    Driver* previous = g_current == &g_quiet ? nullptr : g_current;
    g_current = driver ? driver : &g_quiet;
    return previous;
}
} // namespace ui
