// TransferOutcome: how a download or an upload stands as its steps run. After a failed step the
// exchange still ends with an end frame whenever the line itself works, so the device learns that
// the transfer failed; only a failed line ends it at once.
#pragma once

#include "platform/base/WinTypes.h"

struct TransferOutcome {
    UINT error = 0;      // link error of the last step
    BYTE success = 1;    // the end frame's result byte: 1 when the device took every step
    int result = 1;      // what the transfer returns
    bool toEnd = false;  // a step failed: the steps left are skipped up to the end frame

    // After a failed step: a wrong answer (link error 0) or a time-out or exception answer (9000
    // and above) goes on to the end frame (true); any other error means the line itself failed,
    // and nothing more is sent (false).
    bool StepFailed();
    // After a failed end frame: false when the line itself failed; otherwise the transfer has
    // failed and true.
    bool EndFailed();
};
