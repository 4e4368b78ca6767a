// Declares the block classes that derive directly from CBlockObj and keep nothing beyond the
// element record: each has its two constructors and the overrides its kind needs.
#pragma once

#include "elements/BlockObj.h"

// `extra`: TAVIX_BLOCK_STEP, TAVIX_BLOCK_VALUE_BOX, further members, or nothing.
#define TAVIX_PLAIN_BLOCK_CLASS(name, extra)          \
    class name : public CBlockObj                     \
    {                                                 \
        DECLARE_SERIAL(name)                          \
    public:                                           \
        name();                                       \
        explicit name(int nType);                     \
        extra                                         \
    };

// A block with a simulation step.
#define TAVIX_BLOCK_STEP BOOL Simulate(CTavixView* pView) override;
// A block with a simulation step that also shows its value in a box.
#define TAVIX_BLOCK_VALUE_BOX                         \
    BOOL Simulate(CTavixView* pView) override;        \
    void SimulateAndDraw(CTavixView* pView, CDC* pDC) override;
