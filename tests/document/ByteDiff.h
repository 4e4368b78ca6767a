// Comparing saved program bytes: a difference is reported with its first offset, the object
// record it falls in and the bytes around it, so that a failed round trip shows which field moved.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <iomanip>
#include <sstream>
#include <string>
#include <vector>

using Bytes = std::vector<unsigned char>;

// The nearest object record that starts before `offset`: an archive's new-class tag (FF FF,
// schema, name length) followed by the class name. Empty when there is none.
inline std::string RecordBefore(const Bytes& bytes, size_t offset, size_t* start)
{
    for (size_t i = std::min(offset, bytes.size()); i-- > 0;) {
        if (i + 6 >= bytes.size() || bytes[i] != 0xFF || bytes[i + 1] != 0xFF)
            continue;
        const size_t length = bytes[i + 4] | (bytes[i + 5] << 8);
        if (length == 0 || length > 64 || i + 6 + length > bytes.size() || bytes[i + 6] != 'C')
            continue;
        std::string name(bytes.begin() + long(i + 6), bytes.begin() + long(i + 6 + length));
        if (std::all_of(name.begin(), name.end(), [](unsigned char c) { return std::isalnum(c) || c == '_'; })) {
            *start = i;
            return name;
        }
    }
    return std::string();
}

// Up to 8 bytes on either side of `offset` in hex, the byte at the offset in brackets.
inline std::string BytesAround(const Bytes& bytes, size_t offset)
{
    std::ostringstream out;
    const size_t from = offset > 8 ? offset - 8 : 0;
    for (size_t i = from; i < std::min(bytes.size(), offset + 9); ++i) {
        out << (i == offset ? "[" : i == from ? "" : " ") << std::hex << std::setw(2) << std::setfill('0')
            << int(bytes[i]) << (i == offset ? "]" : "");
    }
    if (offset >= bytes.size())
        out << (bytes.empty() ? "" : " ") << "[end]";
    return out.str();
}

// Compares a saved program with the expected bytes; a difference is reported with its first
// offset, the object record it falls in and the bytes around it on both sides.
inline ::testing::AssertionResult SameBytes(const Bytes& actual, const Bytes& expected)
{
    const auto mismatch = std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end());
    if (mismatch.first == actual.end() && mismatch.second == expected.end())
        return ::testing::AssertionSuccess();
    const size_t offset = size_t(mismatch.first - actual.begin());
    ::testing::AssertionResult result = ::testing::AssertionFailure();
    result << actual.size() << " bytes, expected " << expected.size() << "; first difference at offset "
           << offset << " (0x" << std::hex << offset << std::dec << ")";
    size_t start = 0;
    const std::string record = RecordBefore(expected, offset, &start);
    if (!record.empty())
        result << ", " << (offset - start) << " bytes into the " << record << " record at offset " << start;
    result << "\n  actual:   " << BytesAround(actual, offset) << "\n  expected: " << BytesAround(expected, offset);
    return result;
}
