// A device emulator for tests: serves DeviceModel on the master side of a pseudo-terminal from
// its own thread, so that the program opens the slave side as its COM port. Faults can be
// switched on per function code, and the bytes can be paced at a baud rate.
#pragma once

#include "tests/support/DeviceModel.h"
#include "tests/support/PseudoTerminal.h"

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class DeviceEmulator
{
public:
    enum class FaultKind {
        Silence,        // no answer at all
        BadCrc,         // the answer's last CRC byte is altered
        Exception,      // a 5-byte exception answer with `value` as the code
        ShortAnswer,    // the answer without its last `value` bytes
        LongAnswer,     // `value` extra bytes behind the answer
        WrongAddress,   // the answer's address byte is altered
        SlowAnswer,     // the answer after `value` ms
        Trickle,        // the answer in pieces of `value` bytes, 20 ms apart
        HangUp,         // `value` bytes of the answer, then the line hangs up
        Replace,        // `bytes` instead of the answer, as they are
    };
    struct Fault {
        Fault(FaultKind k, int v = 0, int fc = -1, int skipFirst = 0, int count = -1)
            : kind(k), value(v), function(fc), skip(skipFirst), times(count)
        {
        }
        FaultKind kind;
        int value = 0;
        int function = -1;  // the request's function code, -1 for every request
        int skip = 0;       // matching requests to answer normally first
        int times = -1;     // how many matching requests to spoil, -1 for all
        std::vector<BYTE> bytes;
    };

    DeviceEmulator();
    ~DeviceEmulator();
    DeviceEmulator(const DeviceEmulator&) = delete;
    DeviceEmulator& operator=(const DeviceEmulator&) = delete;

    // The path of the line the program opens.
    const std::string& Path() const { return m_pty.SlavePath(); }
    // Makes COM port `number` stand for this emulator (environment variable TAVIX_COM<n>) until
    // the emulator is destroyed.
    void ExportAs(int number);

    // Locked access to the device's state while the emulator runs.
    class Access {
    public:
        Access(std::mutex& m, DeviceModel& d) : m_lock(m), m_device(d) {}
        DeviceModel* operator->() { return &m_device; }
        DeviceModel& operator*() { return m_device; }
    private:
        std::unique_lock<std::mutex> m_lock;
        DeviceModel& m_device;
    };
    Access Device() { return Access(m_mutex, m_device); }

    void AddFault(const Fault& fault);
    void ClearFaults();

    // Paces received and sent bytes as a line of this speed would (10 bits a byte); 0 = no pacing.
    void SetBaudRate(unsigned baud);

    // Every complete request received so far, in order.
    std::vector<std::vector<BYTE>> Requests();
    int CountRequests(int function);
    // Waits until `count` requests have been received (at most `timeoutMs`); true when they have.
    bool WaitForRequests(std::size_t count, int timeoutMs);

private:
    struct ArmedFault {
        Fault fault;
        int seen = 0;
        int used = 0;
    };

    void Run();
    void Serve(const std::vector<BYTE>& request);
    bool Send(const std::vector<BYTE>& bytes, std::size_t piece, int gapMs);
    bool Pause(int ms);  // false when the emulator is stopping

    PseudoTerminal m_pty;
    int m_wake[2] = {-1, -1};
    std::mutex m_mutex;
    std::condition_variable m_received;
    DeviceModel m_device;
    std::vector<ArmedFault> m_faults;
    std::vector<std::vector<BYTE>> m_requests;
    unsigned m_baud = 0;
    bool m_stop = false;
    std::string m_exported;
    std::thread m_thread;
};
