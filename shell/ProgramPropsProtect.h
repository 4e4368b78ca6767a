// CProtect: the "Protect" page of the program properties: the copy protection of the user
// program and the device's two temperature protection points (degrees Celsius).
#pragma once

#include "platform/ui/dialogs/PropSheet.h"

class CProtect : public CPropertyPage
{
public:
    enum { minTemp = -32768, maxTemp = 32767 };

    CProtect();

    int m_nTempHigh = 90;
    int m_nTempLow = -20;
    int m_bCopyProtect = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // The high point must not lie below the low point.
    void ValidateTemperature(CDataExchange* pDX);
    // While typing, a value beyond the 16-bit range becomes the nearest bound.
    void OnUpdateTemperature(UINT nID);

    DECLARE_MESSAGE_MAP()
};
