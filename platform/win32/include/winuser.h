// Message boxes and the window queries that Facetor makes.
#pragma once

#include "wintypes.h"

#define MB_OK 0x00000000L
#define MB_OKCANCEL 0x00000001L
#define MB_YESNO 0x00000004L
#define MB_ICONERROR 0x00000010L
#define MB_ICONQUESTION 0x00000020L
#define MB_ICONWARNING 0x00000030L
#define MB_ICONEXCLAMATION 0x00000030L
#define MB_ICONINFORMATION 0x00000040L

#define IDOK 1
#define IDCANCEL 2
#define IDYES 6
#define IDNO 7

#define SW_HIDE 0
#define SW_SHOWNORMAL 1
#define SW_SHOW 5

extern "C" {
int MessageBoxW(HWND hWnd, LPCWSTR lpText, LPCWSTR lpCaption, UINT uType);
HWND GetActiveWindow();
HWND GetLastActivePopup(HWND hWnd);
}

#define IMAGE_BITMAP 0
#define LR_DEFAULTCOLOR 0x00000000
#define LR_CREATEDIBSECTION 0x00002000

extern "C" {
// A bitmap resource of the module as a 24-bit DIB section at its own size (cx and cy 0).
HANDLE LoadImageW(HINSTANCE hInst, LPCWSTR name, UINT type, int cx, int cy, UINT fuLoad);
}
