// WiFi blocks: digital and analog read (824, 826) bring a remote bit or word into the program,
// digital and analog write (825, 827) send one out. The device does the exchange; the editor
// carries four selection words. They are not simulated.
#pragma once

#include "elements/BlockObj.h"

class CBlockWIFI : public CBlockObj
{
    DECLARE_SERIAL(CBlockWIFI)
public:
    CBlockWIFI();
    CBlockWIFI(int nType, int nInputs);

    void Serialize(CArchive& ar) override;
    // Copies the base element and the four selection words, so that a copy (the ladder to
    // function block conversion before a download among others) keeps the block's settings.
    void CopyTo(CBlockObj* pDst, BOOL bGeometry, int nMachineType) override;

public:
    int m_nWifiSource;       // 0 "Station", 1 "VM"/"VAM", 2 "Diagnostic"
    int m_nWifiId;           // index in the WiFi ID list
    int m_nWifiBlockType;    // index in the block type list
    int m_nWifiBlockNumber;  // index in the block number list
};

#define TAVIX_WIFI_CLASS(name)             \
    class name : public CBlockWIFI         \
    {                                      \
        DECLARE_SERIAL(name)               \
    public:                                \
        name();                            \
        explicit name(int nType);          \
    };

TAVIX_WIFI_CLASS(CBlockWIFIIn)    // 824 WiFi Digital Read
TAVIX_WIFI_CLASS(CBlockWIFIOut)   // 825 WiFi Digital Write (no output)
TAVIX_WIFI_CLASS(CBlockWIFIAI)    // 826 WiFi Analog Read
TAVIX_WIFI_CLASS(CBlockWIFIAOut)  // 827 WiFi Analog Write (no output)

#undef TAVIX_WIFI_CLASS
