// The statements of a resource script: LANGUAGE; name DIALOGEX with STYLE, EXSTYLE, CAPTION,
// FONT and control statements; name DLGINIT or name TYPE with raw data in BEGIN ... END; and
// name TYPE "file" (BITMAP, or a custom type such as REGISTRY or TYPELIB).
#pragma once

#include "Resource.h"
#include "Token.h"

#include <map>
#include <string>
#include <vector>

namespace rc
{
// Files named by resources are looked for beside the script, then in the include folders; each
// one read is added to `filesRead`. Throws std::runtime_error naming the place of a fault.
std::vector<Resource> ParseScript(std::vector<Token> tokens,
                                  const std::map<std::string, std::vector<Token>>& macros,
                                  const std::string& scriptFolder,
                                  const std::vector<std::string>& includeFolders,
                                  std::vector<std::string>& filesRead);
} // namespace rc
