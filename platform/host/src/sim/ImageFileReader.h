// Reads an image file handed to the host, as the host does while the call that names it runs.
#pragma once

#include "sim/UserInterface.h"

namespace sim
{
// A null path gives an image that was not given; a missing, short or malformed file one that is
// not readable, with whatever sizes its headers gave.
ImageFile ReadImageFile(const wchar_t* path);
} // namespace sim
