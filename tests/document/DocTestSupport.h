// Helpers of the document tests: fixture files, a private scratch folder, element creation.
#pragma once

#include "document/TavixDoc.h"
#include "elements/BlockFactory.h"
#include "elements/BlockObj.h"
#include "tests/document/ByteDiff.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

inline std::string FixturePath(const char* name)
{
    return std::string(TAVIX_SOURCE_DIR) + "/tests/fixtures/" + name;
}

inline Bytes ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

inline CString Wide(const std::string& s)
{
    return FromUtf8(s);
}

// A scratch folder removed with everything in it at the end of the test.
class ScratchFolder {
public:
    ScratchFolder()
    {
        char pattern[] = "/tmp/tavix-doc-test.XXXXXX";
        m_path = mkdtemp(pattern);
    }
    ~ScratchFolder()
    {
        const std::string command = "rm -rf '" + m_path + "'";
        (void)std::system(command.c_str());
    }
    std::string File(const char* name) const { return m_path + "/" + name; }
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

// A new element of a type, numbered and appended by the document's registry.
inline CBlockObj* AddNew(CTavixDoc& doc, int nType)
{
    CBlockObj* pBlock = NewBlockOfType(nType);
    if (pBlock != nullptr && !doc.AddBlock(pBlock)) {
        delete pBlock;
        return nullptr;
    }
    return pBlock;
}

// Saves the document to a file and returns the bytes written.
inline Bytes SaveToBytes(CTavixDoc& doc, const ScratchFolder& folder, const char* name = "out.yfb")
{
    const std::string path = folder.File(name);
    if (!doc.OnSaveDocument(Wide(path)))
        return Bytes();
    return ReadBytes(path);
}
