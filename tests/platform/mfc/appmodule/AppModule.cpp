// A DLL with an application object, which records what the framework's DLL entry does with it.
#include "afxwin.h"

#include <string>
#include <vector>

namespace
{
std::vector<std::string> g_events;
void (*g_recorder)(const char*) = nullptr;

void Record(const std::string& event)
{
    g_events.push_back(event);
    if (g_recorder)
        g_recorder(event.c_str());
}

const char* Answer(bool yes)
{
    return yes ? "yes" : "no";
}

class CRecordingApp : public CWinApp
{
public:
    CRecordingApp()
    {
        Record(std::string("built in the module's state: ") +
               Answer(AfxGetModuleState() == AfxGetStaticModuleState()));
    }
    ~CRecordingApp() override { Record("destroyed"); }

    BOOL InitInstance() override
    {
        Record(std::string("InitInstance as the current application: ") + Answer(AfxGetApp() == this));
        return CWinApp::InitInstance();
    }
    int ExitInstance() override
    {
        Record(std::string("ExitInstance as the current application: ") + Answer(AfxGetApp() == this));
        return CWinApp::ExitInstance();
    }
};

CRecordingApp theApp;
} // namespace

extern "C" __attribute__((visibility("default"))) const char* AppModuleEvent(size_t index)
{
    return index < g_events.size() ? g_events[index].c_str() : nullptr;
}

// Events from now on also go to `recorder`, which outlives the module.
extern "C" __attribute__((visibility("default"))) void SetAppModuleRecorder(void (*recorder)(const char*))
{
    g_recorder = recorder;
}
