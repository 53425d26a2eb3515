// The import command: an STL file's meshes into a new part (or one part per mesh) of the host.
#pragma once

#include "afxwin.h"
#include "sldworks.h"

// A given path is cut after its first ".stl" (any letter case), even one in a folder's name; an
// empty path is asked for in the open-file dialog. Returns 1 after a successful import, 0 on every other
// outcome; every outcome but a cancelled dialog is told in a message box.
int ImportSTLFile(ISldWorks* pSldWorks, CString path);
