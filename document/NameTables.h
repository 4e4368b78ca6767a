// The program-wide name tables: block-type display names (per user-interface language),
// baud-rate texts and the 145 captions of the variables a message-text field can show.
#pragma once

#include "platform/base/Afx.h"

// Block type code -> display name ("[AND]" in English, " [...]" in Chinese).
extern CMap<int, int, CString, LPCTSTR> g_mapBlockTypeNames;
// Baud index 0-15 -> rate text.
extern CMap<int, int, CString, LPCTSTR> g_mapBaudRateNames;
// Variable index 0-144 -> caption.
extern CStringArray g_astrParamNames;

constexpr int kParamNameCount = 145;

// Fills g_mapBlockTypeNames for the language of the run (g_nLanguage: 1 Chinese, else English).
void InitBlockNameTable();
// The same for a given language (1 Chinese, else English).
void InitBlockNameTableFor(int nLanguage);
void InitBaudRateTable();
void InitParamNameTable();

// Name of a block type; empty when the table has no entry (never inserts one).
CString GetBlockTypeName(int nType);
