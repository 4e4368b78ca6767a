#include "tests/support/PseudoTerminal.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

PseudoTerminal::PseudoTerminal()
{
    m_master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_master < 0)
        throw std::runtime_error(std::string("posix_openpt: ") + std::strerror(errno));
    char name[128] = {};
    if (grantpt(m_master) != 0 || unlockpt(m_master) != 0
        || ptsname_r(m_master, name, sizeof name) != 0) {
        const int err = errno;
        close(m_master);
        throw std::runtime_error(std::string("pseudo-terminal setup: ") + std::strerror(err));
    }
    m_slavePath = name;
    m_slave = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_slave < 0) {
        const int err = errno;
        close(m_master);
        throw std::runtime_error(std::string("open slave: ") + std::strerror(err));
    }
    termios tio{};
    tcgetattr(m_slave, &tio);
    cfmakeraw(&tio);
    tcsetattr(m_slave, TCSANOW, &tio);
    fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);
}

PseudoTerminal::~PseudoTerminal()
{
    HangUp();
    if (m_slave >= 0)
        close(m_slave);
}

void PseudoTerminal::HangUp()
{
    if (m_master >= 0) {
        close(m_master);
        m_master = -1;
    }
}
