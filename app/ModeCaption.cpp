#include "app/ModeCaption.h"

#include <windowsx.h>

#include "app/AppGlobals.h"
#include "app/InterfaceTexts.h"
#include "app/WindowText.h"

void UpdateModeLabel(HWND toggle)
{
    const bool integerMode = Button_GetCheck(toggle) == BST_CHECKED;
    SetTextIfChanged(toggle, InterfaceText(integerMode ? TextId::MODE_INT : TextId::MODE_DEC, g_Japanese));
}
