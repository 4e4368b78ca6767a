// A pseudo-terminal pair: the master side for the emulator, the slave path for the program.
#pragma once

#include <string>

class PseudoTerminal
{
public:
    // Opens a new pair and puts the slave line into raw mode. Throws std::runtime_error on failure.
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    int MasterFd() const { return m_master; }
    const std::string& SlavePath() const { return m_slavePath; }
    // Closes the master side: the program's end of the line sees a hang-up.
    void HangUp();
    bool IsHungUp() const { return m_master < 0; }

private:
    int m_master = -1;
    int m_slave = -1;  // kept open so that the master stays usable while the program is closed
    std::string m_slavePath;
};
