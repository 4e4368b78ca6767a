#include "comm/TransferOutcome.h"

#include "comm/TransferEngine.h"

bool TransferOutcome::StepFailed()
{
    success = 0;
    toEnd = true;
    if (error == 0)
        return true;
    if (error >= LINK_ERROR_TIMEOUT) {
        result = 0;
        return true;
    }
    return false;
}

bool TransferOutcome::EndFailed()
{
    if (error != 0 && error < LINK_ERROR_TIMEOUT)
        return false;
    result = 0;
    return true;
}
