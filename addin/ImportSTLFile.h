// The import command: an STL file's meshes into a new part (or one part per mesh) of the host.
#pragma once

#include "afxwin.h"
#include "sldworks.h"

// A given path is taken up to the first ".stl" of its file name (any letter case); an empty path
// is asked for in the open-file dialog. Returns 1 after a successful import, 0 on every other
// outcome; every outcome but a cancelled dialog is told in a message box.
int ImportSTLFile(ISldWorks* pSldWorks, CString path);
