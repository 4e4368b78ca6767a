#include "tests/support/DeviceEmulator.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// A request that stalls this long is dropped, as a Modbus device drops a frame after a gap.
constexpr int kFrameGapMs = 50;

std::chrono::nanoseconds CharTime(unsigned baud)
{
    return baud ? std::chrono::nanoseconds(10'000'000'000LL / baud) : std::chrono::nanoseconds(0);
}

} // namespace

DeviceEmulator::DeviceEmulator()
{
    if (pipe2(m_wake, O_CLOEXEC | O_NONBLOCK) != 0)
        throw std::runtime_error("pipe2 failed");
    m_thread = std::thread([this] { Run(); });
}

DeviceEmulator::~DeviceEmulator()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    const char c = 'x';
    (void)!write(m_wake[1], &c, 1);
    m_thread.join();
    close(m_wake[0]);
    close(m_wake[1]);
    if (!m_exported.empty())
        unsetenv(m_exported.c_str());
}

void DeviceEmulator::ExportAs(int number)
{
    m_exported = "TAVIX_COM" + std::to_string(number);
    setenv(m_exported.c_str(), Path().c_str(), 1);
}

void DeviceEmulator::AddFault(const Fault& fault)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_faults.push_back(ArmedFault{fault});
}

void DeviceEmulator::ClearFaults()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_faults.clear();
}

void DeviceEmulator::SetBaudRate(unsigned baud)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_baud = baud;
}

std::vector<std::vector<BYTE>> DeviceEmulator::Requests()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_requests;
}

int DeviceEmulator::CountRequests(int function)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    int count = 0;
    for (const auto& r : m_requests)
        count += (r.size() > 1 && r[1] == function) ? 1 : 0;
    return count;
}

bool DeviceEmulator::WaitForRequests(std::size_t count, int timeoutMs)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_received.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                               [&] { return m_requests.size() >= count; });
}

bool DeviceEmulator::Pause(int ms)
{
    pollfd p{m_wake[0], POLLIN, 0};
    const Clock::time_point until = Clock::now() + std::chrono::milliseconds(ms);
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now()).count();
        if (left <= 0)
            return true;
        if (poll(&p, 1, int(left)) > 0)
            return false;
    }
}

bool DeviceEmulator::Send(const std::vector<BYTE>& bytes, std::size_t piece, int gapMs)
{
    unsigned baud;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        baud = m_baud;
    }
    const auto charTime = CharTime(baud);
    const Clock::time_point start = Clock::now();
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        std::size_t due = bytes.size();
        if (baud) {
            // Everything whose last bit would be on the wire by now; at least the next byte.
            const auto elapsed = Clock::now() - start;
            due = std::size_t(elapsed / charTime);
            if (due <= sent) {
                std::this_thread::sleep_until(start + charTime * (sent + 1));
                due = sent + 1;
            }
            due = std::min(due, bytes.size());
        }
        if (piece)
            due = std::min(due, sent + piece);
        const ssize_t n = write(m_pty.MasterFd(), bytes.data() + sent, due - sent);
        if (n > 0) {
            sent += std::size_t(n);
            if (piece && sent < bytes.size() && !Pause(gapMs))
                return false;
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            return false;
        pollfd p{m_pty.MasterFd(), POLLOUT, 0};
        poll(&p, 1, 10);
    }
    return true;
}

void DeviceEmulator::Serve(const std::vector<BYTE>& request)
{
    std::vector<BYTE> answer;
    bool spoiled = false;
    Fault fault(FaultKind::Silence);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_requests.push_back(request);
        answer = m_device.Answer(request);
        for (ArmedFault& armed : m_faults) {
            const Fault& f = armed.fault;
            if (f.function != -1 && f.function != request[1])
                continue;
            if (armed.seen++ < f.skip || (f.times >= 0 && armed.used >= f.times))
                continue;
            ++armed.used;
            fault = f;
            spoiled = true;
            break;
        }
    }
    m_received.notify_all();
    if (answer.empty() && !(spoiled && (fault.kind == FaultKind::Exception || fault.kind == FaultKind::Replace)))
        return;

    std::size_t piece = 0;
    int gapMs = 0;
    if (spoiled) {
        switch (fault.kind) {
        case FaultKind::Silence:
            return;
        case FaultKind::BadCrc:
            answer.back() ^= 0x5A;
            break;
        case FaultKind::Exception:
            answer = ExceptionAnswer(request[0], request[1], BYTE(fault.value ? fault.value : 2));
            break;
        case FaultKind::ShortAnswer:
            answer.resize(answer.size() - std::min<std::size_t>(answer.size(), fault.value ? fault.value : 1));
            break;
        case FaultKind::LongAnswer:
            answer.insert(answer.end(), std::size_t(fault.value ? fault.value : 1), BYTE(0x55));
            break;
        case FaultKind::WrongAddress:
            answer[0] = BYTE(answer[0] + 1);
            break;
        case FaultKind::SlowAnswer:
            if (!Pause(fault.value))
                return;
            break;
        case FaultKind::Trickle:
            piece = std::size_t(fault.value > 0 ? fault.value : 1);
            gapMs = 20;
            break;
        case FaultKind::Replace:
            answer = fault.bytes;
            break;
        case FaultKind::HangUp: {
            const std::size_t part = std::min<std::size_t>(answer.size(), std::size_t(fault.value));
            answer.resize(part);
            if (!answer.empty())
                Send(answer, 0, 0);
            m_pty.HangUp();
            return;
        }
        }
    }
    Send(answer, piece, gapMs);
}

void DeviceEmulator::Run()
{
    std::vector<BYTE> pending;
    Clock::time_point wireFree = Clock::now();  // when the received bytes would have arrived
    for (;;) {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_stop)
                return;
        }
        if (m_pty.IsHungUp()) {
            Pause(1000);
            continue;
        }
        pollfd p[2] = {{m_pty.MasterFd(), POLLIN, 0}, {m_wake[0], POLLIN, 0}};
        const int r = poll(p, 2, pending.empty() ? -1 : kFrameGapMs);
        if (r < 0 && errno == EINTR)
            continue;
        if (p[1].revents)
            continue;  // the stop flag is checked at the top
        if (r == 0) {
            // A stalled partial frame, or a frame of unknown length that has ended.
            if (DeviceModel::RequestLength(pending) < 0)
                Serve(pending);
            pending.clear();
            continue;
        }
        BYTE buffer[512];
        const ssize_t n = read(m_pty.MasterFd(), buffer, sizeof buffer);
        if (n <= 0) {
            if (n < 0 && (errno == EAGAIN || errno == EINTR))
                continue;
            Pause(10);  // nobody has the line open; wait for the program
            continue;
        }
        unsigned baud;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            baud = m_baud;
        }
        wireFree = std::max(wireFree, Clock::now()) + CharTime(baud) * n;
        pending.insert(pending.end(), buffer, buffer + n);
        for (;;) {
            const int length = DeviceModel::RequestLength(pending);
            if (length <= 0 || pending.size() < std::size_t(length))
                break;
            std::vector<BYTE> request(pending.begin(), pending.begin() + length);
            pending.erase(pending.begin(), pending.begin() + length);
            if (baud) {
                // The frame is complete only when its last byte has crossed the wire.
                std::this_thread::sleep_until(wireFree - CharTime(baud) * pending.size());
            }
            Serve(request);
            if (m_pty.IsHungUp())
                break;
        }
    }
}
