// A document with a view and a child frame, and a way to put numbered elements into it.
#pragma once

#include "document/TavixDoc.h"
#include "elements/BlockObj.h"
#include "shell/ChildFrame.h"
#include "view/TavixView.h"

struct Diagram {
    CTavixDoc doc;
    CChildFrame frame;
    CTavixView view{&doc, &frame};

    // Takes ownership of pBlock: numbered and appended to the document's block list.
    template <class T>
    T* Add(T* pBlock, int nNumber)
    {
        pBlock->m_nNumber = nNumber;
        doc.m_blocks.AddTail(pBlock);
        return pBlock;
    }
    CBlockObj* Add(int nType, int nNumber, int nInputs = 4)
    {
        return Add(new CBlockObj(nType, nInputs), nNumber);
    }
};
