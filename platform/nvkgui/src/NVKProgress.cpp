// Every call of the progress protocol is reported to the user-interface seam.
#include "NVKProgress.h"

#include "ui/Driver.h"

namespace
{
int g_windowsMade = 0;

// A bar of a million steps reports a million times, so a call without text builds none.
void Report(int window, ui::ProgressCall call, double value = 0)
{
    ui::ProgressEvent event{window, call};
    event.value = value;
    ui::CurrentDriver().Progress(event);
}
} // namespace

NVKProgress::NVKProgress(CString title, CString status, double minimum, double maximum, CWnd* parent)
    : m_window(++g_windowsMade)
{
    ui::ProgressEvent event{m_window, ui::ProgressCall::Construct, title.Str()};
    event.minimum = minimum;
    event.maximum = maximum;
    event.status = status.Str();
    event.parent = parent ? parent->m_hWnd : nullptr;
    ui::CurrentDriver().Progress(event);
}

NVKProgress::~NVKProgress()
{
    Report(m_window, ui::ProgressCall::Destroy);
}

void NVKProgress::SetMax(double maximum)
{
    Report(m_window, ui::ProgressCall::SetMax, maximum);
}

void NVKProgress::StartProgress()
{
    Report(m_window, ui::ProgressCall::StartProgress);
}

void NVKProgress::StepIt(double step)
{
    Report(m_window, ui::ProgressCall::StepIt, step);
}

void NVKProgress::SetStatus(CString status)
{
    ui::CurrentDriver().Progress(ui::ProgressEvent{m_window, ui::ProgressCall::SetStatus, status.Str()});
}

void NVKProgress::EndProgress()
{
    Report(m_window, ui::ProgressCall::EndProgress);
}
