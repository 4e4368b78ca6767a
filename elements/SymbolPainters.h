// The family painters of the symbol inside an element's body. Each reads the element's type,
// origin and size and draws in black with its own pens and fonts.
#pragma once

class CBlockObj;
class CDC;

namespace symbols {

void DrawIo(const CBlockObj& b, CDC* pDC);
void DrawLadder(const CBlockObj& b, CDC* pDC);
void DrawLogic(const CBlockObj& b, CDC* pDC);
void DrawTimer(const CBlockObj& b, CDC* pDC);
void DrawSpecial(const CBlockObj& b, CDC* pDC);
// The three painters of the newer device families; the caller checks the machine type.
void DrawDigital(const CBlockObj& b, CDC* pDC);
void DrawMath(const CBlockObj& b, CDC* pDC);
void DrawDataLog(const CBlockObj& b, CDC* pDC);

}  // namespace symbols
