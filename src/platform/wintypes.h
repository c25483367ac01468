// The few Windows record types that the portable core shares with GDI.
// On Windows they come from the platform headers; elsewhere they are
// declared here with the identical 32-bit layout, so that bitmaps, fonts
// and colours built by portable code can be handed to GDI unchanged.
#pragma once

#include <stdint.h>

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#else

typedef uint8_t BYTE;
typedef uint16_t WORD;
typedef uint32_t DWORD;
typedef int32_t LONG;
typedef char CHAR;
typedef DWORD COLORREF;

#define LF_FACESIZE 32
#define BI_RGB 0

typedef struct tagBITMAPINFOHEADER {
    DWORD biSize;
    LONG biWidth;
    LONG biHeight;
    WORD biPlanes;
    WORD biBitCount;
    DWORD biCompression;
    DWORD biSizeImage;
    LONG biXPelsPerMeter;
    LONG biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
} BITMAPINFOHEADER;

typedef struct tagRGBQUAD {
    BYTE rgbBlue;
    BYTE rgbGreen;
    BYTE rgbRed;
    BYTE rgbReserved;
} RGBQUAD;

typedef struct tagLOGFONTA {
    LONG lfHeight;
    LONG lfWidth;
    LONG lfEscapement;
    LONG lfOrientation;
    LONG lfWeight;
    BYTE lfItalic;
    BYTE lfUnderline;
    BYTE lfStrikeOut;
    BYTE lfCharSet;
    BYTE lfOutPrecision;
    BYTE lfClipPrecision;
    BYTE lfQuality;
    BYTE lfPitchAndFamily;
    CHAR lfFaceName[LF_FACESIZE];
} LOGFONTA;

#endif

static_assert(sizeof(BITMAPINFOHEADER) == 40, "BITMAPINFOHEADER is read by GDI");
static_assert(sizeof(RGBQUAD) == 4, "colour table entries are 4 bytes");
static_assert(sizeof(LOGFONTA) == 60, "LOGFONTA is read by GDI");
static_assert(sizeof(COLORREF) == 4, "COLORREF is 32-bit");
