// The error every stage of the resource compiler reports: a message with the file and line it
// belongs to, printed by the driver as "file:line: error: message".
#pragma once

#include <stdexcept>
#include <string>

namespace rc {

class RcError : public std::runtime_error {
public:
    RcError(std::string file, int line, const std::string& message)
        : std::runtime_error(message), m_file(std::move(file)), m_line(line) {}

    const std::string& file() const { return m_file; }
    int line() const { return m_line; }
    // "file:line: error: message"
    std::string where() const { return m_file + ":" + std::to_string(m_line) + ": error: " + what(); }

private:
    std::string m_file;
    int m_line;
};

} // namespace rc
