// The about box is shown through the user-interface seam.
#include "NVKGUIUtils.h"

#include "ui/Driver.h"

void NVKGUIUtils::About(const CString& caption, HWND* parent)
{
    ui::CurrentDriver().ShowAbout(caption.Str(), parent ? *parent : nullptr);
}
