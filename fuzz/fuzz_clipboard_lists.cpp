// The clipboard's private format from anywhere: any process may place bytes under its name.
// Reading must end in three lists of sound objects or a refusal that leaves nothing behind.
#include "document/ClipboardFormat.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CMemFile file(const_cast<BYTE*>(data), UINT(size));
    CObList blocks, wires, comments;
    clipformat::ReadLists(file, blocks, wires, comments);
    for (CObList* list : {&blocks, &wires, &comments}) {
        for (POSITION pos = list->GetHeadPosition(); pos;)
            delete list->GetNext(pos);
        list->RemoveAll();
    }
    return 0;
}
