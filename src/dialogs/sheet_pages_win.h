// The four pages of the Notes and Settings sheet and what they share: the
// working copy they edit and the page last shown.
#pragma once

#include <windows.h>

#include "dialogs/sheet_copy.h"

SheetCopy* sheetCopy();
int lastSheetPage();

INT_PTR CALLBACK NotesPageProc(HWND page, UINT msg, WPARAM wp, LPARAM lp);
INT_PTR CALLBACK LevelsPageProc(HWND page, UINT msg, WPARAM wp, LPARAM lp);
INT_PTR CALLBACK HotPageProc(HWND page, UINT msg, WPARAM wp, LPARAM lp);
INT_PTR CALLBACK BordersPageProc(HWND page, UINT msg, WPARAM wp, LPARAM lp);
