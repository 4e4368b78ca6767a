// The message-text fields of a program file: per message-text element, the four field arrays of
// each text set; older files hold one array whose entry i is the field of line i.
#include "document/TavixDoc.h"

#include "document/FileReads.h"
#include "elements/BlockMSGTEXT.h"
#include "msgtext/Widget.h"

using namespace docfile;

namespace {

constexpr BYTE kMarkerSet = 0x55;
// Fields one line of a message text can hold: one per character cell.
constexpr DWORD_PTR kMaxFieldsPerLine = 25;
// Entries of the single field array of old message texts (one per line, with spares).
constexpr DWORD_PTR kMaxOldFieldEntries = 64;

// A field array of a message-text line: count, then each field with its class tag.
void SerializeFieldArray(CArchive& ar, CObArray& fields, DWORD_PTR limit, SeenObjects& seen)
{
    if (ar.IsStoring()) {
        ar.WriteCount(fields.GetSize());
        for (INT_PTR i = 0; i < fields.GetSize(); ++i)
            ar.WriteObject(fields[i]);
        return;
    }
    for (INT_PTR i = 0; i < fields.GetSize(); ++i)
        delete fields[i];
    fields.RemoveAll();
    const DWORD_PTR count = ReadCheckedCount(ar, 2, limit);
    for (DWORD_PTR i = 0; i < count; ++i)
        fields.Add(ReadOwnedObject(ar, RUNTIME_CLASS(CWidget), seen));
}

} // namespace

void CTavixDoc::SerializeMessageTextFields(CArchive& ar)
{
    SeenObjects seen;
    SerializeMessageTextFields(ar, seen);
}

void CTavixDoc::SerializeMessageTextFields(CArchive& ar, SeenObjects& seen)
{
    const bool eightArrays = IsNewModel() || ar.IsStoring() || m_markers[0] == kMarkerSet;
    for (POSITION pos = m_blocks.GetHeadPosition(); pos != nullptr;) {
        CObject* pObject = m_blocks.GetNext(pos);
        if (!pObject->IsKindOf(RUNTIME_CLASS(CBlockMSGTEXT)))
            continue;
        CBlockMSGTEXT* pText = static_cast<CBlockMSGTEXT*>(pObject);
        if (eightArrays) {
            for (CObArray& line : pText->m_aLines1)
                SerializeFieldArray(ar, line, kMaxFieldsPerLine, seen);
            for (CObArray& line : pText->m_aLines2)
                SerializeFieldArray(ar, line, kMaxFieldsPerLine, seen);
            continue;
        }
        // Older files: one array whose entry i is the only field of line i of text set 1.
        CObArray entries;
        try {
            SerializeFieldArray(ar, entries, kMaxOldFieldEntries, seen);
        } catch (...) {
            for (INT_PTR i = 0; i < entries.GetSize(); ++i)
                delete entries[i];
            throw;
        }
        for (INT_PTR i = 0; i < entries.GetSize(); ++i) {
            CObject* pField = entries[i];
            if (pField == nullptr)
                continue;
            if (i < 4) {
                for (INT_PTR j = 0; j < pText->m_aLines1[i].GetSize(); ++j)
                    delete pText->m_aLines1[i][j];
                pText->m_aLines1[i].RemoveAll();
                pText->m_aLines1[i].Add(pField);
            } else {
                // A display has four lines: a spare entry has no place, but lives until the
                // load ends (see SeenObjects).
                seen.KeepUntilLoadEnds(pField);
            }
        }
    }
}
