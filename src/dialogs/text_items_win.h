// The Add Text dialog's two owner-drawn lists: the TrueType faces, each
// shown in its own face, and the caption colours with their swatches.
#pragma once

#include <windows.h>

// Fills the face list with the installed TrueType faces, each item holding
// its own copy of the face's description.
void FillFaceList(HWND list);

// Gives back every item's description; the items stay.
void FreeFaceList(HWND list);

// The description of the selected face; null without a selection.
const LOGFONTA* SelectedFace(HWND list);

void MeasureTextItem(MEASUREITEMSTRUCT* item);
void DrawTextItem(const DRAWITEMSTRUCT* item);
