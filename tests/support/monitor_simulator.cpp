#include "monitor_simulator.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace testsupport {

namespace {

constexpr uint8_t kStart = 0xAA;
constexpr uint8_t kRead = 0x99;
constexpr uint8_t kStatusRequest = 0x42;

void Put16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v & 0xFF));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void PutFloat(std::vector<uint8_t>& out, float f) {
    uint32_t bits;
    std::memcpy(&bits, &f, 4);
    Put32(out, bits);
}

void PutText(std::vector<uint8_t>& out, const std::string& text) {
    out.insert(out.end(), text.begin(), text.end());
}

void PutBytes(std::vector<uint8_t>& out, const uint8_t* bytes, size_t n) {
    out.insert(out.end(), bytes, bytes + n);
}

uint16_t Get16(const std::vector<uint8_t>& in, size_t at) {
    return at + 1 < in.size() ? static_cast<uint16_t>(in[at] | (in[at + 1] << 8)) : 0;
}

std::string Text(const std::vector<uint8_t>& in) { return std::string(in.begin(), in.end()); }

std::string* TextField(SimMonitor& m, uint8_t command) {
    switch (command) {
    case 1: return &m.companyName;
    case 2: return &m.address1;
    case 3: return &m.address2;
    case 4: return &m.city;
    case 5: return &m.state;
    case 6: return &m.zip;
    case 7: return &m.phone;
    case 8: return &m.license;
    case 9: return &m.pin;
    case 32: return &m.model;
    case 33: return &m.serialNumber;
    case 34: return &m.calibrationDate;
    default: return nullptr;
    }
}

uint16_t* IndexField(SimMonitor& m, uint8_t command) {
    switch (command) {
    case 80: return &m.unitsIndex;
    case 81: return &m.delayIndex;
    case 82: return &m.intervalIndex;
    case 83: return &m.durationIndex;
    default: return nullptr;
    }
}

int64_t Now() {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t.QuadPart;
}

int64_t Frequency() {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f.QuadPart;
}

}  // namespace

void FillTest(SimMonitor& monitor, uint16_t count) {
    monitor.numMeasurements = count;
    monitor.records.clear();
    for (uint16_t k = 0; k < std::max<uint16_t>(count, 1); ++k) {
        SimRecord r;
        r.recordNumber = static_cast<uint16_t>(k + 1000);
        r.alpha0 = static_cast<uint16_t>(3 * k + 7);
        r.alpha1 = static_cast<uint16_t>(65535 - 5 * k);
        r.temperature = 20.5f + 0.25f * static_cast<float>(k % 17);
        r.pressure = 29.5f + 0.125f * static_cast<float>(k % 9);
        r.humidity = 40.0f + 0.5f * static_cast<float>(k % 23);
        r.flags = k % 7 == 3 ? 0x10 : (k % 11 == 5 ? 0x01 : 0x00);
        monitor.records.push_back(r);
    }
}

std::vector<uint8_t> MonitorSimulator::Packet(uint8_t command, uint8_t subCode,
                                              const std::vector<uint8_t>& payload) {
    std::vector<uint8_t> p{kStart};
    Put16(p, static_cast<uint16_t>(payload.size() + 8));
    p.push_back(command);
    p.push_back(subCode);
    p.insert(p.end(), 4, 0);
    p.insert(p.end(), payload.begin(), payload.end());
    unsigned sum = 0;
    for (uint8_t b : p) sum += b;
    Put16(p, static_cast<uint16_t>(sum));
    return p;
}

MonitorSimulator::MonitorSimulator(int portNumber, SimMonitor monitor)
    : port_(portNumber), monitor_(std::move(monitor)) {
    stopEvent_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    readEvent_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    port_.Drain();
}

MonitorSimulator::~MonitorSimulator() {
    Stop();
    CloseHandle(stopEvent_);
    CloseHandle(readEvent_);
}

void MonitorSimulator::Start() {
    ResetEvent(stopEvent_);
    thread_ = std::thread([this] { Run(); });
}

void MonitorSimulator::Stop() {
    if (!thread_.joinable()) return;
    SetEvent(stopEvent_);
    thread_.join();
}

void MonitorSimulator::AddFault(const Fault& fault) {
    std::lock_guard<std::mutex> lock(mutex_);
    faults_.push_back(fault);
}

void MonitorSimulator::ClearFaults() {
    std::lock_guard<std::mutex> lock(mutex_);
    faults_.clear();
}

std::vector<SimRequest> MonitorSimulator::Requests() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
}

void MonitorSimulator::ClearRequests() {
    std::lock_guard<std::mutex> lock(mutex_);
    requests_.clear();
}

SimMonitor MonitorSimulator::Monitor() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return monitor_;
}

void MonitorSimulator::SendRaw(const std::vector<uint8_t>& bytes) {
    port_.Write(bytes);
    bytesOut_ += bytes.size();
}

void MonitorSimulator::Run() {
    SimRequest request;
    std::vector<uint8_t> raw;
    while (ReadRequest(request, raw)) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            requests_.push_back(request);
        }
        if (request.checksumOk) Answer(request, raw.size());
    }
}

bool MonitorSimulator::ReadByte(uint8_t& byte, HANDLE stop) {
    while (inboxNext_ == inbox_.size()) {
        if (!FillInbox(stop)) return false;
    }
    byte = inbox_[inboxNext_++];
    ++bytesIn_;
    return true;
}

// Waits for the next byte with a blocking overlapped read (the port has no read time-outs),
// then takes whatever else is already queued.
bool MonitorSimulator::FillInbox(HANDLE stop) {
    uint8_t first = 0;
    OVERLAPPED ov{};
    ov.hEvent = readEvent_;
    ResetEvent(readEvent_);
    DWORD got = 0;
    if (!ReadFile(port_.Handle(), &first, 1, &got, &ov)) {
        if (GetLastError() != ERROR_IO_PENDING) return false;
        HANDLE waits[2] = {readEvent_, stop};
        if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0) {
            CancelIo(port_.Handle());
            GetOverlappedResult(port_.Handle(), &ov, &got, TRUE);
            return false;
        }
        if (!GetOverlappedResult(port_.Handle(), &ov, &got, TRUE)) return false;
    }
    if (got != 1) return true;
    inbox_.assign(1, first);
    inboxNext_ = 0;
    const auto rest = port_.Read(4096, 0);
    inbox_.insert(inbox_.end(), rest.begin(), rest.end());
    return true;
}

// Reads one request packet; bytes before a start byte are skipped.
bool MonitorSimulator::ReadRequest(SimRequest& request, std::vector<uint8_t>& raw) {
    uint8_t b = 0;
    do {
        if (!ReadByte(b, stopEvent_)) return false;
    } while (b != kStart);
    const int64_t firstByte = Now();
    raw.assign(1, b);
    while (raw.size() < 3) {
        if (!ReadByte(b, stopEvent_)) return false;
        raw.push_back(b);
    }
    const size_t total = static_cast<size_t>(raw[1] | (raw[2] << 8)) + 3;
    while (raw.size() < total) {
        if (!ReadByte(b, stopEvent_)) return false;
        raw.push_back(b);
    }
    if (const unsigned rate = pacing_) {
        const int64_t requestOnLine = Frequency() * 10 * static_cast<int64_t>(total) / rate;
        lineFree_.QuadPart = std::max<int64_t>(firstByte + requestOnLine, Now());
    }
    request.command = raw[3];
    request.subCode = raw[4];
    request.payload.assign(raw.begin() + 9, raw.end() - 2);
    unsigned sum = 0;
    for (size_t i = 0; i + 2 < total; ++i) sum += raw[i];
    request.checksumOk = Get16(raw, total - 2) == static_cast<uint16_t>(sum);
    request.raw = raw;
    return true;
}

const Fault* MonitorSimulator::TakeFault(uint8_t command, bool isStatusRequest) {
    for (auto it = faults_.begin(); it != faults_.end(); ++it) {
        if (it->kind == FaultKind::StatusOnly && isStatusRequest) continue;
        if (it->command != -1 && it->command != command) continue;
        if (it->times == 0) continue;
        if (it->times > 0) --it->times;
        return &*it;
    }
    return nullptr;
}

void MonitorSimulator::Answer(const SimRequest& request, size_t) {
    const bool isStatusRequest = request.command == kStatusRequest && request.subCode == 0;
    Fault fault;
    bool faulty = false;
    std::vector<uint8_t> payload;
    SimMonitor snapshot;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (const Fault* f = TakeFault(request.command, isStatusRequest)) {
            fault = *f;
            faulty = true;
        }
        if (request.subCode != kRead && !isStatusRequest) ApplyWrite(request);
        if (request.command == 65) std::fill(monitor_.notices, monitor_.notices + 4, 0);
        payload = request.subCode == kRead || isStatusRequest ? ReadReplyPayload(request)
                                                              : request.payload;
    }
    if (faulty && (fault.kind == FaultKind::NoReply || fault.kind == FaultKind::StatusOnly))
        return;
    const uint8_t replySubCode = isStatusRequest ? 0 : request.subCode;
    std::vector<uint8_t> out;
    if (faulty && fault.kind == FaultKind::StrayBytes) out = fault.bytes;
    if (faulty && fault.kind == FaultKind::OtherCommandFirst) {
        const auto other = Packet(fault.otherCommand, replySubCode, {0x77});
        out.insert(out.end(), other.begin(), other.end());
    }
    if (faulty && fault.kind == FaultKind::UnsolicitedStatus) {
        std::lock_guard<std::mutex> lock(mutex_);
        payload.assign(monitor_.status, monitor_.status + 6);
    }
    if (faulty && fault.kind == FaultKind::ShortPayload) payload.resize(fault.length);
    if (faulty && fault.kind == FaultKind::NoEcho && request.subCode != kRead && !isStatusRequest)
        payload.clear();
    const uint8_t command = faulty && fault.kind == FaultKind::UnsolicitedStatus
                                ? fault.otherCommand
                                : request.command;
    auto reply = Packet(command, replySubCode, payload);
    if (faulty && fault.kind == FaultKind::BadChecksum) ++reply[reply.size() - 2];
    out.insert(out.end(), reply.begin(), reply.end());
    if (faulty && fault.kind == FaultKind::CorruptCopyAfter) {
        auto copy = reply;
        for (size_t i = 9; i + 2 < copy.size(); ++i) copy[i] = static_cast<uint8_t>(~copy[i]);
        out.insert(out.end(), copy.begin(), copy.end());
    }
    Send(out);
}

std::vector<uint8_t> MonitorSimulator::ReadReplyPayload(const SimRequest& request) {
    SimMonitor& m = monitor_;
    std::vector<uint8_t> p;
    if (const std::string* text = TextField(m, request.command)) {
        PutText(p, *text);
        return p;
    }
    if (const uint16_t* index = IndexField(m, request.command)) {
        Put16(p, *index);
        return p;
    }
    switch (request.command) {
    case 35: PutFloat(p, m.cf1); PutFloat(p, m.cf2); break;
    case 36: PutFloat(p, m.humiditySlope); break;
    case 37: PutFloat(p, m.humidityF0); break;
    case 39: PutBytes(p, m.command39, 4); break;
    case 96: PutBytes(p, m.command96, 4); break;
    case 97: PutBytes(p, m.command97, 4); break;
    case 98: PutBytes(p, m.command98, 4); break;
    case 48:
        for (uint16_t v : {m.numMeasurements, m.startYear, m.startDayOfYear, m.startHour,
                           m.startSeconds})
            Put16(p, v);
        Put32(p, m.headerWord1);
        Put32(p, m.headerWord2);
        break;
    case 49: {
        const uint16_t k = Get16(request.payload, 0);
        const SimRecord r = k < m.records.size() ? m.records[k] : SimRecord{};
        Put16(p, r.recordNumber);
        Put16(p, r.alpha0);
        Put16(p, r.alpha1);
        PutFloat(p, r.temperature);
        PutFloat(p, r.pressure);
        PutFloat(p, r.humidity);
        p.push_back(r.flags);
        break;
    }
    case 64: PutBytes(p, m.notices, 4); break;
    case kStatusRequest: PutBytes(p, m.status, 6); break;
    case 70: Put16(p, m.firmwareVersion); break;
    case 71: for (uint16_t v : m.clock) Put16(p, v); break;
    case 112: p.push_back(m.command112); break;
    case 128: PutFloat(p, m.battery); break;
    default: break;
    }
    return p;
}

void MonitorSimulator::ApplyWrite(const SimRequest& request) {
    if (std::string* text = TextField(monitor_, request.command)) {
        *text = Text(request.payload);
    } else if (uint16_t* index = IndexField(monitor_, request.command)) {
        *index = Get16(request.payload, 0);
    } else if (request.command == 71) {
        for (size_t i = 0; i < 5; ++i) monitor_.clock[i] = Get16(request.payload, 2 * i);
    } else if (request.command == 35 && request.payload.size() >= 8) {
        std::memcpy(&monitor_.cf1, request.payload.data(), 4);
        std::memcpy(&monitor_.cf2, request.payload.data() + 4, 4);
    } else if (request.command == 36 && request.payload.size() >= 4) {
        std::memcpy(&monitor_.humiditySlope, request.payload.data(), 4);
    } else if (request.command == 37 && request.payload.size() >= 4) {
        std::memcpy(&monitor_.humidityF0, request.payload.data(), 4);
    } else if (request.command == 39 && request.payload.size() >= 4) {
        std::memcpy(monitor_.command39, request.payload.data(), 4);
    }
}

// Paced replies hand over each byte when its last bit would have arrived; unpaced ones go
// at once.
void MonitorSimulator::Send(const std::vector<uint8_t>& bytes) {
    const unsigned rate = pacing_;
    if (!rate) {
        SendRaw(bytes);
        return;
    }
    const int64_t freq = Frequency();
    const int64_t start = std::max<int64_t>(lineFree_.QuadPart, Now());
    size_t sent = 0;
    while (sent < bytes.size()) {
        const int64_t elapsed = Now() - start;
        const size_t due = std::min<size_t>(
            bytes.size(), static_cast<size_t>(elapsed * rate / (10 * freq)));
        if (due > sent) {
            SendRaw(std::vector<uint8_t>(bytes.begin() + sent, bytes.begin() + due));
            sent = due;
        } else {
            SwitchToThread();
        }
    }
    lineFree_.QuadPart = start + freq * 10 * static_cast<int64_t>(bytes.size()) / rate;
    while (Now() < lineFree_.QuadPart) SwitchToThread();
}

}  // namespace testsupport
