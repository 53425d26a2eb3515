// Finding an add-in as the host does: through its entry among the host's add-ins in the registry
// and the in-process server that its class key names.
#pragma once

#include "guiddef.h"

#include <optional>
#include <string>

// The class identifier of the add-in listed under HKLM\SOFTWARE\SolidWorks\AddIns whose class key
// HKCR\CLSID\{...}\InprocServer32 names the module at `modulePath`; none when no add-in does.
std::optional<CLSID> FindRegisteredAddin(const std::string& modulePath);
