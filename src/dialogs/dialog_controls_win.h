// Check boxes and radio buttons of the dialogs, read and set as 0 or 1.
#pragma once

#include <windows.h>

inline int IsChecked(HWND dialog, int id)
{
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED ? 1 : 0;
}

inline void SetChecked(HWND dialog, int id, int on)
{
    CheckDlgButton(dialog, id, on ? BST_CHECKED : BST_UNCHECKED);
}
