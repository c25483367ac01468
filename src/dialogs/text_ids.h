// Control ids of the Add Text dialog, shared by its template and its
// procedure.
#pragma once

#define IDC_CAPTION_TEXT 100
#define IDC_FACE 101
#define IDC_COLOUR 102
#define IDC_CHAR_SIZE 103
#define IDC_BOLD 104
#define IDC_ITALIC 105
#define IDC_ALIGN_LEFT 106
#define IDC_ALIGN_CENTRE 107
#define IDC_ALIGN_RIGHT 108
#define IDC_ANCHOR_X 109
#define IDC_BASELINE_Y 110
#define IDC_SHADOW 111
#define IDC_SHADOW_DX 112
#define IDC_SHADOW_DX_SPIN 113
#define IDC_SHADOW_DY 114
#define IDC_SHADOW_DY_SPIN 115
#define IDC_BASELINE_LABEL 800
#define IDC_DX_LABEL 801
#define IDC_DY_LABEL 802
#define IDC_FONT_GROUP 900
#define IDC_POSITION_GROUP 901
#define IDC_SHADOW_GROUP 902
