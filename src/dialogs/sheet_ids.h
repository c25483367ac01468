// Control ids of the Notes and Settings sheet's four pages, shared by the
// dialog templates and the page procedures. Each page numbers its own.
#pragma once

// Notes
#define IDC_NAME 100
#define IDC_NOTES 101
#define IDC_SCENE_INFO 102
#define IDC_CREATED 200
#define IDC_NUMBER 201
#define IDC_RENDER_TIME 202

// Levels
#define IDC_BLACK 102
#define IDC_WHITE 103
#define IDC_FLOAT_READOUT 104
#define IDC_LEVELS_TO_ALL 105
#define IDC_LEVELS_DEFAULT 106

// Hot Pixels
#define IDC_PEDESTAL 110
#define IDC_COMPOSITE 111
#define IDC_CHROMA 112
#define IDC_NTSC 113
#define IDC_PAL 114
#define IDC_HOT_DEFAULT 115
#define IDC_HOT_TO_ALL 116

// Borders
#define IDC_ASPECT 120
#define IDC_MARGIN 121
#define IDC_VIDEO_SAFE 122
#define IDC_CUSTOM 123
#define IDC_OUTLINE 124
#define IDC_SOLID 125
#define IDC_SAFE_DEFAULT 126
#define IDC_SAFE_TO_ALL 127
