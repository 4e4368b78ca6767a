// The classic look of the controls: raised and sunken frames, check boxes, radio buttons,
// arrows and focus marks, sized by the control's unit (1 at the 8-point font, 2 at twice it).
#pragma once

#include "platform/ui/core/WinUser.h"

namespace ctl {

void FillSolid(HDC dc, const RECT& r, COLORREF c);
// A push-button face: raised (or pressed) frame filled with the face colour.
void DrawButtonFace(HDC dc, RECT r, bool pushed, bool isDefault, bool flat = false);
// A check box square of side `size` at (x, y); state 0, 1 or 2 (indeterminate).
void DrawCheckMark(HDC dc, int x, int y, int size, int state, bool pushed, bool enabled);
// A radio circle of diameter `size` at (x, y).
void DrawRadioMark(HDC dc, int x, int y, int size, bool checked, bool pushed, bool enabled);
// A filled triangle pointing in `dir` (0 up, 1 down, 2 left, 3 right), centred in r.
void DrawArrow(HDC dc, const RECT& r, int dir, bool enabled);
// Text drawn in the disabled (embossed) way when !enabled.
void DrawLabel(HDC dc, const wchar_t* text, RECT r, UINT format, bool enabled, COLORREF colour);
// A sunken client edge of two pixels (in-client, for controls drawing their own border).
void DrawSunkenEdge(HDC dc, RECT& r);

}  // namespace ctl
