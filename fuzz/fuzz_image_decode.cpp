// Decodes arbitrary bytes as an uploaded program image. Any input must end in a decoded
// document or a clean failure, without reading outside the buffers or running away.
//
// Input: byte 0 bit 0 chooses a newer device family; bytes 1-2 the J size (little-endian,
// taken modulo 0x6001); byte 3 the number of message texts (modulo 5); then area J, then area 0
// from its byte 0x400 on, then the message-text memory. Missing bytes stay 0xFF. A decoded
// program is compiled again.
#include "document/TavixDoc.h"
#include "elements/BlockObj.h"
#include "image/TavixCoreRule.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 4)
        return 0;
    const bool newer = data[0] & 1;
    const int jSize = int(data[1] | (data[2] << 8)) % (kMaxJSize + 1);
    const int texts = data[3] % 5;
    data += 4;
    size -= 4;

    CTavixDoc doc;
    CTavixCoreRule rule;
    rule.SetDocument(&doc);
    rule.m_nJSize = jSize;
    rule.m_nMsgTextBytes = texts * kMsgTextRecordSize;
    if (!rule.AllocImageBuffers(CTavixCoreRule::modeUpload, texts))
        return 0;
    auto take = [&](BYTE* dst, size_t n) {
        const size_t k = std::min(n, size);
        std::copy(data, data + k, dst);
        data += k;
        size -= k;
    };
    take(rule.m_areaJ.data(), rule.m_areaJ.size());
    take(rule.m_area0.data() + 0x400, kArea0Size - 0x400);
    take(rule.m_msgText.data(), rule.m_msgText.size());
    PutU16(rule.SectionPtr("M1"), newer ? 0x5188u : 0x2110u);

    rule.InitOpcodeTables();
    if (!rule.DecodeSettings() || !rule.DecodeImage())
        return 0;
    // Whatever the decoder built must compile again, or be refused with a message.
    CTavixCoreRule again;
    again.SetDocument(&doc);
    int texts2 = 0;
    for (POSITION pos = doc.m_blocks.GetHeadPosition(); pos != nullptr;)
        texts2 += static_cast<CBlockObj*>(doc.m_blocks.GetNext(pos))->m_nType == 810;
    if (again.AllocImageBuffers(CTavixCoreRule::modeDownload, doc.IsNewModel() ? texts2 : 0))
        again.CompileProgram();
    return 0;
}
