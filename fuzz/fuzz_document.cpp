// Program files from anywhere: loading must end in a document or an archive error, never in a
// crash, a hang or an allocation out of proportion to the input.
#include "document/TavixDoc.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CMemFile file(const_cast<BYTE*>(data), UINT(size));
    CTavixDoc doc;
    try {
        CArchive ar(&file, CArchive::load);
        ar.m_pDocument = &doc;
        doc.Serialize(ar);
        ar.Close();
    } catch (CException* e) {
        e->Delete();
    }
    return 0;
}
