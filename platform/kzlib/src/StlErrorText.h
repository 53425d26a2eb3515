// The user's text for a file that could not be read.
#pragma once

#include "StlFailure.h"

#include "afxstr.h"

namespace kzstl
{
// Names the file as the caller gave it, and the problem with its line, facet or sizes.
CString DescribeFailure(const CString& path, const StlFailure& failure);

CString DescribeOutOfMemory(const CString& path);
} // namespace kzstl
