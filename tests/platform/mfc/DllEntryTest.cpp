#include "afxwin.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <dlfcn.h>

namespace
{
std::vector<std::string> g_unloadEvents;

void RecordUnload(const char* event)
{
    g_unloadEvents.push_back(event);
}

TEST(DllEntry, StartsTheApplicationInTheModulesStateAfterItsStaticsAndEndsItBeforeThem)
{
    AFX_MODULE_STATE* const before = AfxGetModuleState();
    void* module = dlopen(MFC_APP_MODULE, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(module, nullptr) << dlerror();
    EXPECT_EQ(AfxGetModuleState(), before) << "the loader's state is current again";
    auto event = reinterpret_cast<const char* (*)(size_t)>(dlsym(module, "AppModuleEvent"));
    auto setRecorder =
        reinterpret_cast<void (*)(void (*)(const char*))>(dlsym(module, "SetAppModuleRecorder"));
    ASSERT_TRUE(event && setRecorder);
    std::vector<std::string> loadEvents;
    for (size_t i = 0; event(i); ++i)
        loadEvents.push_back(event(i));
    EXPECT_EQ(loadEvents, (std::vector<std::string>{"built in the module's state: yes",
                                                    "InitInstance as the current application: yes"}));

    setRecorder(RecordUnload);
    ASSERT_EQ(dlclose(module), 0);
    EXPECT_EQ(g_unloadEvents,
              (std::vector<std::string>{"ExitInstance as the current application: yes", "destroyed"}));
    EXPECT_EQ(AfxGetModuleState(), before);
}
} // namespace
