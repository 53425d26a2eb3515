// The progress window of the GUI library. Construction shows nothing; StartProgress shows the
// window and EndProgress closes it; the destructor may run whether or not it was started.
#pragma once

#include "afxwin.h"

class NVKProgress
{
public:
    NVKProgress(CString title, CString status, double minimum, double maximum, CWnd* parent);
    ~NVKProgress();
    NVKProgress(const NVKProgress&) = delete;
    NVKProgress& operator=(const NVKProgress&) = delete;

    void SetMax(double maximum);
    void StartProgress();
    void StepIt(double step);
    void SetStatus(CString status);
    void EndProgress();

private:
    int m_window;
};
