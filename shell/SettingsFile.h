// The settings file "ZelvoEditor.ini" (the interface language) and where the shell keeps its
// files: the user's configuration folder, which survives a reboot. UTF-16 little-endian without
// a byte-order mark, one line "language=zh_CN" or "language=en_US".
#pragma once

#include "platform/base/Afx.h"

#include <cstdint>
#include <vector>

// The folder of the shell's files, with a trailing '/'. Created when missing.
CString GetShellConfigFolder();
CString GetSettingsFilePath();

// What a settings file's bytes say: 1 Simplified Chinese, 0 English. *pDamaged (when given) is
// set when the bytes are not a settings file (an odd length, or no "language=" key).
int ParseLanguageSetting(const std::vector<std::uint8_t>& bytes, bool* pDamaged = nullptr);
// The bytes after choosing language index nIndex (1 Chinese, else English): the "language="
// line is replaced, or added when the file has none; the rest of the file stays.
std::vector<std::uint8_t> UpdateLanguageSetting(const std::vector<std::uint8_t>& bytes, int nIndex);

// Reads a whole file; FALSE when it cannot be read (a missing file gives FALSE and no error).
BOOL ReadWholeFile(const CString& path, std::vector<std::uint8_t>& bytes, CString* pError = nullptr);
// Writes a whole file through the safe-replace routine; FALSE with the reason in *pError.
BOOL WriteWholeFile(const CString& path, const std::vector<std::uint8_t>& bytes, CString* pError = nullptr);

// UTF-16 little-endian text of the settings and city files.
CString DecodeUtf16Le(const std::vector<std::uint8_t>& bytes);
std::vector<std::uint8_t> EncodeUtf16Le(const CString& text);
