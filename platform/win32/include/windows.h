// The Windows API as far as Facetor uses it.
#pragma once

#include "wintypes.h"
#include "winerror.h"
#include "guiddef.h"
#include "unknwn.h"
#include "oleauto.h"
#include "oaidl.h"
#include "winuser.h"
#include "winreg.h"
#include "errhandlingapi.h"
#include "libloaderapi.h"
#include "shellapi.h"
#include "wcrt.h"
#include "commdlg.h"
