// The product's caption (product words, host version name, product version), the title of every
// message of the add-in's commands; and the Help and About commands.
#pragma once

#include "afxwin.h"
#include "sldworks.h"

// Empty until the first command builds it; rebuilt by every command before it shows anything.
extern wchar_t ProductCaption[256];

// "Facetor for <host version name> version 1.0", from the running host's version.
void BuildProductCaption(ISldWorks* pSldWorks);
// A warning box with an OK button, titled with the caption and owned by the calling thread's main
// window (none when there is none).
void ShowMessage(const wchar_t* text);
// Opens Facetor.chm from the folder of the module Facetor.dll.
void ShowHelp(ISldWorks* pSldWorks);
// The about box of the product the caption names.
void ShowAbout(ISldWorks* pSldWorks);
