// Element records of the value-computing and settings-carrying block families from anywhere:
// the first byte picks the class, the second the schema, the rest is the record body. Loading
// must end in the element or an archive error; a loaded element must then take simulation
// steps without a crash, a hang or an out-of-proportion allocation, whatever its parameters.
#include "document/TavixDoc.h"
#include "elements/BlockFactory.h"
#include "elements/BlockObj.h"
#include "shell/ChildFrame.h"
#include "view/TavixView.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace {

const int kTypes[] = {803, 804, 805, 806, 807, 810, 813, 814, 815, 816, 817, 818, 819, 820,
                      821, 822, 824, 825, 826, 827, 830, 831, 832, 833, 834, 835, 836, 837,
                      838, 839, 840, 841, 842, 843, 844, 845, 846, 847, 848, 849, 850, 851,
                      852, 853, 854, 855, 856, 860, 861, 862, 863, 864, 865, 866, 867, 868,
                      869, 870, 871, 872, 873, 874, 875, 876, 877, 878, 879, 911};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const int nType = kTypes[data[0] % (sizeof(kTypes) / sizeof(kTypes[0]))];
    const UINT schema = data[1] & 1;
    std::unique_ptr<CBlockObj> pTemplate(NewBlockOfType(nType));
    if (!pTemplate)
        return 0;
    CBlockObj* pBlock = static_cast<CBlockObj*>(pTemplate->GetRuntimeClass()->CreateObject());
    if (!pBlock)
        return 0;
    CMemFile file(const_cast<BYTE*>(data + 2), UINT(size - 2));
    try {
        CArchive ar(&file, CArchive::load);
        ar.SetObjectSchema(schema);
        pBlock->Serialize(ar);
    } catch (CException* e) {
        e->Delete();
        delete pBlock;
        return 0;
    }

    CTavixDoc doc;
    CChildFrame frame;
    CTavixView view(&doc, &frame);
    view.m_nEditMode = CTavixView::modeSimulate;
    for (int k = 0; k < 4; ++k)
        pBlock->m_pRefBlock[k] = nullptr;  // references are resolved by the document only
    doc.m_blocks.AddTail(pBlock);          // the document owns and deletes it
    for (int i = 0; i < 3; ++i) {
        pBlock->Simulate(&view);
        frame.AdvanceSimTime(25);
        frame.GetSimTime(&view.m_simTime);
    }
    return 0;
}
