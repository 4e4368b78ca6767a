// Moving values from a block into the pages of its sheet before the sheet shows (the modal and
// the modeless sheet alike). The values come back through the family's parameter record.
#pragma once

class CAllPropertySheet;
class CBlockObj;
class CTavixDoc;

// Block fields into the page members. While simulating a reference counts as used when the
// referenced block is set; in the editing road some families take the stored flag.
void FillSheetFromBlock(CAllPropertySheet& sheet, const CBlockObj& block, const CTavixDoc& doc, bool bSimulating);
