#include "serial_port.h"

#include <algorithm>
#include <stdexcept>

namespace testsupport {

std::string LastErrorText() {
    return "Win32 error " + std::to_string(GetLastError());
}

SerialPort::SerialPort(int portNumber) {
    const std::string name = "\\\\.\\COM" + std::to_string(portNumber);
    handle_ = CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                          FILE_FLAG_OVERLAPPED, nullptr);
    if (handle_ == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot open " + name + ": " + LastErrorText());
    readEvent_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    writeEvent_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);

    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    GetCommState(handle_, &dcb);
    dcb.BaudRate = 57600;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    dcb.fBinary = TRUE;
    dcb.fDtrControl = DTR_CONTROL_DISABLE;
    dcb.fRtsControl = RTS_CONTROL_DISABLE;
    dcb.fOutxCtsFlow = dcb.fOutxDsrFlow = FALSE;
    dcb.fOutX = dcb.fInX = FALSE;
    if (!SetCommState(handle_, &dcb))
        throw std::runtime_error("SetCommState failed on " + name + ": " + LastErrorText());

    COMMTIMEOUTS timeouts{};
    timeouts.WriteTotalTimeoutConstant = 2000;
    if (!SetCommTimeouts(handle_, &timeouts))
        throw std::runtime_error("SetCommTimeouts failed on " + name + ": " + LastErrorText());
}

SerialPort::~SerialPort() {
    if (handle_ != INVALID_HANDLE_VALUE) {
        CancelIo(handle_);
        CloseHandle(handle_);
    }
    if (readEvent_) CloseHandle(readEvent_);
    if (writeEvent_) CloseHandle(writeEvent_);
}

void SerialPort::Write(const std::vector<uint8_t>& bytes) {
    if (bytes.empty()) return;
    OVERLAPPED ov{};
    ov.hEvent = writeEvent_;
    ResetEvent(writeEvent_);
    DWORD written = 0;
    if (!WriteFile(handle_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, &ov)) {
        if (GetLastError() != ERROR_IO_PENDING || !GetOverlappedResult(handle_, &ov, &written, TRUE))
            throw std::runtime_error("WriteFile failed: " + LastErrorText());
    }
    if (written != bytes.size()) throw std::runtime_error("short write");
}

std::vector<uint8_t> SerialPort::Read(size_t count, DWORD timeoutMs) {
    std::vector<uint8_t> result;
    const DWORD start = GetTickCount();
    while (result.size() < count) {
        DWORD errors = 0;
        COMSTAT status{};
        if (!ClearCommError(handle_, &errors, &status))
            throw std::runtime_error("ClearCommError failed: " + LastErrorText());
        if (status.cbInQue == 0) {
            if (GetTickCount() - start >= timeoutMs) break;
            Sleep(1);
            continue;
        }
        uint8_t buffer[512];
        const DWORD want = static_cast<DWORD>(
            std::min<size_t>({count - result.size(), sizeof buffer, status.cbInQue}));
        OVERLAPPED ov{};
        ov.hEvent = readEvent_;
        ResetEvent(readEvent_);
        DWORD got = 0;
        if (!ReadFile(handle_, buffer, want, &got, &ov)) {
            if (GetLastError() != ERROR_IO_PENDING || !GetOverlappedResult(handle_, &ov, &got, TRUE))
                throw std::runtime_error("ReadFile failed: " + LastErrorText());
        }
        result.insert(result.end(), buffer, buffer + got);
    }
    return result;
}

void SerialPort::Drain(DWORD quietMs) {
    while (!Read(4096, quietMs).empty()) {
    }
}

}  // namespace testsupport
