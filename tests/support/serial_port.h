// The test side of a serial link: a COM port opened with plain Win32 overlapped I/O.
// Used by the tests and the monitor simulator; shares nothing with the program's serial code.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

class SerialPort {
public:
    // Opens "\\.\COM<n>" at 57600 8N1 with DTR and RTS held off; throws std::runtime_error.
    explicit SerialPort(int portNumber);
    ~SerialPort();
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    void Write(const std::vector<uint8_t>& bytes);
    // Reads up to `count` bytes, waiting at most `timeoutMs` in all; returns what arrived.
    std::vector<uint8_t> Read(size_t count, DWORD timeoutMs);
    // Discards what is waiting in the input queue, and what else arrives until the line has
    // been quiet for `quietMs`.
    void Drain(DWORD quietMs = 0);
    HANDLE Handle() const { return handle_; }

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    HANDLE readEvent_ = nullptr;
    HANDLE writeEvent_ = nullptr;
};

std::string LastErrorText();

}  // namespace testsupport
