// The one registry file that every process of this user shares. Each operation re-reads the
// file under an exclusive lock, so that processes see each other's writes, and a change is saved
// atomically (a temporary file renamed over the old one) before the lock is let go.
#pragma once

#include "RegistryTree.h"

#include <functional>
#include <string>

namespace platform::registry
{
// The operation gets the current contents and sets `changed` when the store must be saved.
// Returns its result, or ERROR_CANTREAD / ERROR_CANTWRITE when the file could not be used.
LONG Transact(const std::function<LONG(Tree& tree, bool& changed)>& operation);

// The test override, else FACETOR_REGISTRY, else $XDG_CONFIG_HOME (or ~/.config)/facetor/registry.reg.
std::string StorePath();
// Sets the test override (empty: none) and returns the one it replaces.
std::string SetStorePath(const std::string& path);
} // namespace platform::registry
