// Moving values between a block and the pages of its sheet: out before the sheet shows (both
// the modal and the modeless sheet), back into the block after OK of the modal sheet.
#pragma once

class CAllPropertySheet;
class CBlockObj;
class CTavixDoc;

// Block fields into the page members. While simulating a reference counts as used when the
// referenced block is set; in the editing road some families take the stored flag.
void FillSheetFromBlock(CAllPropertySheet& sheet, const CBlockObj& block, const CTavixDoc& doc, bool bSimulating);
// Page members back into the block (exactly the fields the family exchanges, then the comment).
void ReadSheetIntoBlock(const CAllPropertySheet& sheet, CBlockObj& block);
