// Image lists: styles, messages, notifications and structures (Win32 values).
#pragma once

#include "platform/ui/controls/CommCtrlBase.h"

struct IMAGELIST__;
using HIMAGELIST = IMAGELIST__*;
constexpr UINT ILC_MASK = 0x0001;
constexpr UINT ILC_COLOR = 0x0000;
constexpr UINT ILC_COLORDDB = 0x00FE;
constexpr UINT ILC_COLOR4 = 0x0004;
constexpr UINT ILC_COLOR8 = 0x0008;
constexpr UINT ILC_COLOR16 = 0x0010;
constexpr UINT ILC_COLOR24 = 0x0018;
constexpr UINT ILC_COLOR32 = 0x0020;
constexpr UINT ILD_NORMAL = 0x0000;
constexpr UINT ILD_TRANSPARENT = 0x0001;
constexpr UINT ILD_BLEND25 = 0x0002;
constexpr UINT ILD_FOCUS = ILD_BLEND25;
constexpr UINT ILD_BLEND50 = 0x0004;
constexpr UINT ILD_SELECTED = ILD_BLEND50;
constexpr UINT ILD_MASK = 0x0010;
constexpr UINT LR_DEFAULTCOLOR = 0x0000;
constexpr UINT LR_CREATEDIBSECTION = 0x2000;
constexpr UINT LR_LOADTRANSPARENT = 0x0020;
struct IMAGEINFO {
    HBITMAP hbmImage;
    HBITMAP hbmMask;
    int Unused1;
    int Unused2;
    RECT rcImage;
};
HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int initial, int grow);
BOOL ImageList_Destroy(HIMAGELIST himl);
int ImageList_GetImageCount(HIMAGELIST himl);
BOOL ImageList_SetImageCount(HIMAGELIST himl, UINT count);
// Adds the images of a bitmap as wide as a whole number of images; the mask bitmap (1 = clear)
// may be null. Returns the index of the first image, -1 on failure.
int ImageList_Add(HIMAGELIST himl, HBITMAP image, HBITMAP mask);
// As ImageList_Add with the mask made of the pixels of colour `maskColour`.
int ImageList_AddMasked(HIMAGELIST himl, HBITMAP image, COLORREF maskColour);
BOOL ImageList_Replace(HIMAGELIST himl, int i, HBITMAP image, HBITMAP mask);
// Puts an icon (its colour and its mask, scaled to the list's size) at image i, or adds it when
// i is -1. Returns the image's index, -1 on failure.
int ImageList_ReplaceIcon(HIMAGELIST himl, int i, HICON icon);
inline int ImageList_AddIcon(HIMAGELIST himl, HICON icon) { return ImageList_ReplaceIcon(himl, -1, icon); }
BOOL ImageList_Remove(HIMAGELIST himl, int i);  // -1 removes all
BOOL ImageList_Draw(HIMAGELIST himl, int i, HDC hdc, int x, int y, UINT style);
BOOL ImageList_DrawEx(HIMAGELIST himl, int i, HDC hdc, int x, int y, int dx, int dy, COLORREF bk, COLORREF fg,
                      UINT style);
BOOL ImageList_GetIconSize(HIMAGELIST himl, int* cx, int* cy);
BOOL ImageList_SetIconSize(HIMAGELIST himl, int cx, int cy);
COLORREF ImageList_SetBkColor(HIMAGELIST himl, COLORREF bk);
COLORREF ImageList_GetBkColor(HIMAGELIST himl);
BOOL ImageList_GetImageInfo(HIMAGELIST himl, int i, IMAGEINFO* info);
// A list from bitmap resource `id` (integer name) cut into images `cx` wide.
HIMAGELIST ImageList_LoadBitmap(HINSTANCE inst, LPCWSTR bmp, int cx, int grow, COLORREF maskColour);
