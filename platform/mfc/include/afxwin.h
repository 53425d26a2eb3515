// The framework as far as Facetor uses it.
#pragma once

#include "windows.h"
#include "afxstr.h"
#include "afxcoll.h"
#include "afxwnd.h"
#include "afxstat_.h"
#include "afxapp.h"
#include "afxdialog.h"
