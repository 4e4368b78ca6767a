#include "elements/HandleRects.h"

void GetCornerHandleRects(CPoint origin, int width, int height, CRect rects[4])
{
    const int l = origin.x, t = origin.y;
    const int r = l + width, b = t + height;
    const CPoint corners[4] = {CPoint(l, t), CPoint(l, b), CPoint(r, b), CPoint(r, t)};
    for (int i = 0; i < 4; ++i)
        rects[i].SetRect(corners[i].x - 4, corners[i].y - 4, corners[i].x + 4, corners[i].y + 4);
}
