// ElementTextCache: the texts an element painted last, kept with what they were made from, so
// that a repaint formats a text again only when something it shows has changed. An entry is
// looked up by the very values its text is built from (never by a change count that an edit
// could forget to bump), so a changed setting, number, name or simulated value shows at once.
#pragma once

#include "platform/base/Afx.h"
#include "elements/ParameterTexts.h"

#include <vector>

struct ElementTextCache {
    // The label above the element, for labels made from its type, number and name alone.
    bool labelSet = false;
    int labelType = 0;
    int labelNumber = 0;
    CString labelName;
    CString label;

    // The parameter text column: the rows as drawn (control characters taken out, empty rows
    // left out), starting at the body's left edge plus paramDx.
    bool paramSet = false;
    ParameterTextKey paramKey;
    int paramDx = 0;
    std::vector<ParameterTextRow> paramRows;

    // The time text of a timer: the two numbers and the unit it shows.
    bool timeSet = false;
    int timeHigh = 0;
    int timeLow = 0;
    int timeUnit = 0;
    CString timeText;
};
