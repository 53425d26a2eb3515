// The registry tree as text in the registry editor's export format (version 5.00), in UTF-8:
//   Windows Registry Editor Version 5.00
//   [HKEY_CURRENT_USER\Software\Maker]
//   @="default value"
//   "Name"="text"            REG_SZ
//   "Count"=dword:0000002a   REG_DWORD
//   "Blob"=hex:01,ff         REG_BINARY
//   "Other"=hex(2):...       any other type, or a value whose bytes have no plainer form
// hex(...) carries the bytes as stored; wide characters take this platform's width.
#pragma once

#include "RegistryTree.h"

#include <string>

namespace platform::registry
{
std::string FormatRegFile(const Tree& tree);

// Fills an empty tree from the text. On failure returns false and says which line and why.
bool ParseRegFile(const std::string& text, Tree& tree, std::string& error);
} // namespace platform::registry
