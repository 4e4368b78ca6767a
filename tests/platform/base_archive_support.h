// Helpers and small serializable classes shared by the archive tests.
#pragma once

#include "platform/base/Afx.h"

#include <functional>
#include <string>
#include <vector>

using Bytes = std::vector<BYTE>;

// "FF FE 0a" -> bytes; spaces are ignored.
Bytes Hex(const char* text);
std::string ToHex(const Bytes& bytes);
Bytes Concat(std::initializer_list<Bytes> parts);

// Runs `store` on a storing archive over a memory file and returns the bytes written.
Bytes StoreBytes(const std::function<void(CArchive&)>& store);
// Runs `load` on a loading archive over a memory file holding `bytes`.
void LoadBytes(const Bytes& bytes, const std::function<void(CArchive&)>& load);

// Deletes every distinct object of the list (a list may hold one object twice) and the objects
// they refer to through CArcLink, and empties it.
void DeleteAll(CObList& list);
void DeleteAll(CObArray& array);

// Versionable, schema 1. Schema 0 records carry only the number.
class CArcItem : public CObject {
    DECLARE_SERIAL(CArcItem)
public:
    CArcItem() = default;
    CArcItem(int number, const wchar_t* text) : m_nNumber(number), m_strText(text) {}
    void Serialize(CArchive& ar) override;

    int m_nNumber = 0;
    CString m_strText;
    UINT m_nSchemaRead = 12345;
};

class CArcItemEx : public CArcItem {
    DECLARE_SERIAL(CArcItemEx)
public:
    void Serialize(CArchive& ar) override;
    WORD m_wExtra = 0;
};

// Not versionable, schema 0.
class CArcFixed : public CObject {
    DECLARE_SERIAL(CArcFixed)
public:
    void Serialize(CArchive& ar) override;
    WORD m_wValue = 0;
};

// Refers to another object through the archive (back references, graphs). Does not own it.
class CArcLink : public CObject {
    DECLARE_SERIAL(CArcLink)
public:
    void Serialize(CArchive& ar) override;
    int m_nId = 0;
    CObject* m_pOther = nullptr;
};

// Named like the editor's comment class, for the worked example of class and object numbers.
class CBlockComment : public CObject {
    DECLARE_SERIAL(CBlockComment)
public:
    void Serialize(CArchive& ar) override;
    int m_nLines = 1;
};

// Has a schema but cannot be created.
class CArcAbstract : public CObject {
    DECLARE_SERIAL(CArcAbstract)
public:
    virtual void Pure() = 0;
};

// Dynamically creatable, not serializable.
class CArcDynamic : public CObject {
    DECLARE_DYNCREATE(CArcDynamic)
};
