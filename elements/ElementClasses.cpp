// The explicit list of element classes. Each entry names a class record, so a program that
// links this file links every element class with it. A test checks the list against the
// classes this folder defines.
#include "elements/ElementClasses.h"

#include "elements/BlockAnalog.h"
#include "elements/BlockClocks.h"
#include "elements/BlockComment.h"
#include "elements/BlockConnectors.h"
#include "elements/BlockCounters.h"
#include "elements/BlockDataLog.h"
#include "elements/BlockDevice.h"
#include "elements/BlockIO.h"
#include "elements/BlockLadder.h"
#include "elements/BlockLogic.h"
#include "elements/BlockMSGTEXT.h"
#include "elements/BlockMath.h"
#include "elements/BlockModbus.h"
#include "elements/BlockObj.h"
#include "elements/BlockRelays.h"
#include "elements/BlockSwitches.h"
#include "elements/BlockTime.h"
#include "elements/BlockTimers.h"
#include "elements/BlockWifi.h"
#include "elements/BlockWord.h"
#include "elements/ConnectLineObj.h"
#include "elements/PowerBus.h"

namespace {

CRuntimeClass* const kElementClasses[] = {
    // BlockAnalog.h
    RUNTIME_CLASS(CBlockAAMP), RUNTIME_CLASS(CBlockACOMP), RUNTIME_CLASS(CBlockADTRG),
    RUNTIME_CLASS(CBlockAFILTER), RUNTIME_CLASS(CBlockAMATH), RUNTIME_CLASS(CBlockAMUX),
    RUNTIME_CLASS(CBlockARAMP), RUNTIME_CLASS(CBlockATHTRG), RUNTIME_CLASS(CBlockAVGVAL),
    RUNTIME_CLASS(CBlockAWDOG), RUNTIME_CLASS(CBlockAnalog), RUNTIME_CLASS(CBlockMAXMIN),
    RUNTIME_CLASS(CBlockPI), RUNTIME_CLASS(CBlockPWM),
    // BlockClocks.h
    RUNTIME_CLASS(CBlockAC), RUNTIME_CLASS(CBlockSW), RUNTIME_CLASS(CBlockWT),
    RUNTIME_CLASS(CBlockYT),
    // BlockComment.h
    RUNTIME_CLASS(CBlockComment),
    // BlockConnectors.h
    RUNTIME_CLASS(CBlockFemale), RUNTIME_CLASS(CBlockMale),
    // BlockCounters.h
    RUNTIME_CLASS(CBlockCOUNTER), RUNTIME_CLASS(CBlockHCOUNTER), RUNTIME_CLASS(CBlockTHTRG),
    // BlockDataLog.h
    RUNTIME_CLASS(CBlockDataLog),
    // BlockDevice.h
    RUNTIME_CLASS(CBlockCRC16), RUNTIME_CLASS(CBlockENCODER), RUNTIME_CLASS(CBlockMEM),
    RUNTIME_CLASS(CBlockPTO), RUNTIME_CLASS(CBlockPTOE), RUNTIME_CLASS(CBlockSEG),
    RUNTIME_CLASS(CBlockSMC), RUNTIME_CLASS(CBlockSMCE), RUNTIME_CLASS(CBlockUDC),
    RUNTIME_CLASS(CBlockWORD2BIT),
    // BlockIO.h
    RUNTIME_CLASS(CBlockAnalogFlag), RUNTIME_CLASS(CBlockAnalogIn), RUNTIME_CLASS(CBlockAnalogOut),
    RUNTIME_CLASS(CBlockFKey), RUNTIME_CLASS(CBlockFlag), RUNTIME_CLASS(CBlockHigh),
    RUNTIME_CLASS(CBlockIn), RUNTIME_CLASS(CBlockLow), RUNTIME_CLASS(CBlockOpenX),
    RUNTIME_CLASS(CBlockOut), RUNTIME_CLASS(CBlockShift),
    // BlockLadder.h
    RUNTIME_CLASS(CBlockAContact), RUNTIME_CLASS(CBlockAOutLAD), RUNTIME_CLASS(CBlockBreak),
    RUNTIME_CLASS(CBlockInvOut), RUNTIME_CLASS(CBlockMake), RUNTIME_CLASS(CBlockRelayCoil),
    // BlockLogic.h
    RUNTIME_CLASS(CBlockLogic),
    // BlockMSGTEXT.h
    RUNTIME_CLASS(CBlockMSGTEXT),
    // BlockMath.h
    RUNTIME_CLASS(CBlockABS), RUNTIME_CLASS(CBlockCOS), RUNTIME_CLASS(CBlockCOT),
    RUNTIME_CLASS(CBlockCSC), RUNTIME_CLASS(CBlockEVEN), RUNTIME_CLASS(CBlockEXP),
    RUNTIME_CLASS(CBlockFIX), RUNTIME_CLASS(CBlockGCD), RUNTIME_CLASS(CBlockLCM),
    RUNTIME_CLASS(CBlockLOG), RUNTIME_CLASS(CBlockMOD), RUNTIME_CLASS(CBlockODD),
    RUNTIME_CLASS(CBlockPOW2), RUNTIME_CLASS(CBlockQUAD), RUNTIME_CLASS(CBlockREM),
    RUNTIME_CLASS(CBlockROUND), RUNTIME_CLASS(CBlockSEC), RUNTIME_CLASS(CBlockSIN),
    RUNTIME_CLASS(CBlockSQRT), RUNTIME_CLASS(CBlockTAN),
    // BlockModbus.h
    RUNTIME_CLASS(CBlockMR), RUNTIME_CLASS(CBlockMW),
    // BlockObj.h
    RUNTIME_CLASS(CBlockObj),
    // BlockRelays.h
    RUNTIME_CLASS(CBlockLR), RUNTIME_CLASS(CBlockMATHERR), RUNTIME_CLASS(CBlockPR),
    RUNTIME_CLASS(CBlockSREG),
    // BlockSwitches.h
    RUNTIME_CLASS(CBlockMFS), RUNTIME_CLASS(CBlockRG), RUNTIME_CLASS(CBlockSLS),
    // BlockTime.h
    RUNTIME_CLASS(CBlockTime),
    // BlockTimers.h
    RUNTIME_CLASS(CBlockAPG), RUNTIME_CLASS(CBlockCPG), RUNTIME_CLASS(CBlockDDR),
    RUNTIME_CLASS(CBlockDPR), RUNTIME_CLASS(CBlockMPLR), RUNTIME_CLASS(CBlockPLR),
    RUNTIME_CLASS(CBlockRPR),
    // BlockWifi.h
    RUNTIME_CLASS(CBlockWIFI), RUNTIME_CLASS(CBlockWIFIAI), RUNTIME_CLASS(CBlockWIFIAOut),
    RUNTIME_CLASS(CBlockWIFIIn), RUNTIME_CLASS(CBlockWIFIOut),
    // BlockWord.h
    RUNTIME_CLASS(CBlockACMXIV), RUNTIME_CLASS(CBlockANDM), RUNTIME_CLASS(CBlockARRMXIV),
    RUNTIME_CLASS(CBlockBCD), RUNTIME_CLASS(CBlockBIN), RUNTIME_CLASS(CBlockBoolean),
    RUNTIME_CLASS(CBlockNANDM), RUNTIME_CLASS(CBlockNORM), RUNTIME_CLASS(CBlockNOTM),
    RUNTIME_CLASS(CBlockORM), RUNTIME_CLASS(CBlockRAND), RUNTIME_CLASS(CBlockROL),
    RUNTIME_CLASS(CBlockROR), RUNTIME_CLASS(CBlockSHL), RUNTIME_CLASS(CBlockSHR),
    RUNTIME_CLASS(CBlockTDT), RUNTIME_CLASS(CBlockXORM),
    // ConnectLineObj.h
    RUNTIME_CLASS(CConnectLineObj),
    // PowerBus.h
    RUNTIME_CLASS(CPowerBusObj),
};

} // namespace

CRuntimeClass* const* GetElementClasses(int* pnCount)
{
    *pnCount = int(sizeof(kElementClasses) / sizeof(kElementClasses[0]));
    return kElementClasses;
}

void RegisterElementClasses()
{
    for (CRuntimeClass* pClass : kElementClasses)
        AfxRegisterClass(pClass);
}
