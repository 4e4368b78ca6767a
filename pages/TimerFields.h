// The block side of a page's times: which block words a time and its reference live in.
#pragma once

#include "pages/TimeReference.h"

class CBlockObj;
struct ParamReference;

// Reference k of a block (0..3): the flag, the block and the number the file keeps agree; a
// flag without a block is no reference.
void StoreReference(CBlockObj& block, int k, int bFlag, CBlockObj* pRef);
// The same rule for a reference of an applied record.
void FillReference(ParamReference& ref, int bFlag, CBlockObj* pRef);
// Time k (0 first time with reference 1 and unit 1, 1 second time with reference 2 and unit 2)
// into a page's time; the time counts as referenced when the block is present.
void LoadTime(TimeParam& time, const CBlockObj& block, int k);
void StoreTime(const TimeParam& time, CBlockObj& block, int k);
