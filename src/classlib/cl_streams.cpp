#include "cl_streams.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "cl_sys.h"

namespace {

constexpr int kCopyChunk = 64 * 1024;

int64_t SeekTarget(int64_t offset, TSeekOrigin origin, int64_t position, int64_t size) {
    switch (origin) {
    case soBeginning: return offset;
    case soCurrent: return position + offset;
    case soEnd: return size + offset;
    }
    return position;
}

DWORD AccessOf(unsigned mode) {
    switch (mode & 3) {
    case fmOpenWrite: return GENERIC_WRITE;
    case fmOpenReadWrite: return GENERIC_READ | GENERIC_WRITE;
    default: return GENERIC_READ;
    }
}

DWORD ShareOf(unsigned mode) {
    switch (mode & 0xF0) {
    case fmShareExclusive: return 0;
    case fmShareDenyWrite: return FILE_SHARE_READ;
    case fmShareDenyRead: return FILE_SHARE_WRITE;
    case fmShareDenyNone: return FILE_SHARE_READ | FILE_SHARE_WRITE;
    default: return FILE_SHARE_READ;
    }
}

}  // namespace

int64_t TStream::Size() {
    const int64_t position = Seek(0, soCurrent);
    const int64_t size = Seek(0, soEnd);
    Seek(position, soBeginning);
    return size;
}

void TStream::SetSize(int64_t) { throw EStreamError("Stream size cannot be changed"); }

void TStream::ReadBuffer(void* buffer, int count) {
    if (count > 0 && Read(buffer, count) != count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, int count) {
    if (count > 0 && Write(buffer, count) != count) throw EWriteError("Stream write error");
}

int64_t TStream::CopyFrom(TStream* source, int64_t count) {
    if (count == 0) {
        source->SetPosition(0);
        count = source->Size();
    }
    std::vector<char> buffer(static_cast<size_t>(std::min<int64_t>(count, kCopyChunk)));
    for (int64_t left = count; left > 0;) {
        const int chunk = static_cast<int>(std::min<int64_t>(left, kCopyChunk));
        source->ReadBuffer(buffer.data(), chunk);
        WriteBuffer(buffer.data(), chunk);
        left -= chunk;
    }
    return count;
}

int THandleStream::Read(void* buffer, int count) {
    DWORD done = 0;
    if (count <= 0 || !ReadFile(handle_, buffer, static_cast<DWORD>(count), &done, nullptr))
        return 0;
    return static_cast<int>(done);
}

int THandleStream::Write(const void* buffer, int count) {
    DWORD done = 0;
    if (count <= 0 || !WriteFile(handle_, buffer, static_cast<DWORD>(count), &done, nullptr))
        return 0;
    return static_cast<int>(done);
}

int64_t THandleStream::Seek(int64_t offset, TSeekOrigin origin) {
    static const DWORD methods[] = {FILE_BEGIN, FILE_CURRENT, FILE_END};
    LARGE_INTEGER distance, result;
    distance.QuadPart = offset;
    if (!SetFilePointerEx(handle_, distance, &result, methods[origin])) return -1;
    return result.QuadPart;
}

void THandleStream::SetSize(int64_t size) {
    const int64_t position = Position();
    SetPosition(size);
    if (!SetEndOfFile(handle_)) RaiseLastOSError();
    if (position < size) SetPosition(position);
}

TFileStream::TFileStream(const AnsiString& fileName, unsigned mode)
    : THandleStream(INVALID_HANDLE_VALUE), fileName_(fileName) {
    if ((mode & fmCreate) == fmCreate) {
        handle_ = CreateFileA(fileName.c_str(), GENERIC_READ | GENERIC_WRITE, ShareOf(mode & 0xF0),
                              nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle_ == INVALID_HANDLE_VALUE)
            throw EFCreateError("Cannot create file \"" + fileName + "\". " +
                                SysErrorMessage(GetLastError()));
        return;
    }
    handle_ = CreateFileA(fileName.c_str(), AccessOf(mode), ShareOf(mode), nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle_ == INVALID_HANDLE_VALUE)
        throw EFOpenError("Cannot open file \"" + fileName + "\". " +
                          SysErrorMessage(GetLastError()));
}

TFileStream::~TFileStream() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
}

int TCustomMemoryStream::Read(void* buffer, int count) {
    if (count <= 0 || position_ >= size_) return 0;
    const int64_t n = std::min<int64_t>(count, size_ - position_);
    std::memcpy(buffer, static_cast<char*>(memory_) + position_, static_cast<size_t>(n));
    position_ += n;
    return static_cast<int>(n);
}

int64_t TCustomMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
    position_ = std::max<int64_t>(0, SeekTarget(offset, origin, position_, size_));
    return position_;
}

void TCustomMemoryStream::SaveToStream(TStream* stream) const {
    stream->WriteBuffer(memory_, static_cast<int>(size_));
}

void TCustomMemoryStream::SaveToFile(const AnsiString& fileName) const {
    WriteFileWhole(fileName, memory_, static_cast<size_t>(size_));
}

void TCustomMemoryStream::SetPointer(void* memory, int64_t size) {
    memory_ = memory;
    size_ = size;
}

int TMemoryStream::Write(const void* buffer, int count) {
    if (count <= 0) return 0;
    const int64_t end = position_ + count;
    if (end > size_) SetSize(end);
    std::memcpy(buffer_.data() + position_, buffer, static_cast<size_t>(count));
    position_ = end;
    return count;
}

void TMemoryStream::SetSize(int64_t size) {
    if (size < 0) size = 0;
    if (static_cast<size_t>(size) > buffer_.capacity())
        buffer_.reserve(std::max<size_t>(static_cast<size_t>(size), buffer_.capacity() * 3 / 2));
    buffer_.resize(static_cast<size_t>(size));
    SetPointer(buffer_.data(), size);
    if (position_ > size) position_ = size;
}

void TMemoryStream::Clear() {
    buffer_.clear();
    buffer_.shrink_to_fit();
    SetPointer(nullptr, 0);
    position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream* stream) {
    stream->SetPosition(0);
    const int64_t size = stream->Size();
    SetSize(size);
    if (size) stream->ReadBuffer(memory_, static_cast<int>(size));
    position_ = 0;
}

void TMemoryStream::LoadFromFile(const AnsiString& fileName) {
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(&file);
}

int TStringStream::Read(void* buffer, int count) {
    const int64_t size = data_.Length();
    if (count <= 0 || position_ >= size) return 0;
    const int64_t n = std::min<int64_t>(count, size - position_);
    std::memcpy(buffer, data_.c_str() + position_, static_cast<size_t>(n));
    position_ += n;
    return static_cast<int>(n);
}

int TStringStream::Write(const void* buffer, int count) {
    if (count <= 0) return 0;
    std::string& bytes = data_.str();
    if (position_ + count > static_cast<int64_t>(bytes.size()))
        bytes.resize(static_cast<size_t>(position_ + count));
    std::memcpy(&bytes[static_cast<size_t>(position_)], buffer, static_cast<size_t>(count));
    position_ += count;
    return count;
}

int64_t TStringStream::Seek(int64_t offset, TSeekOrigin origin) {
    position_ = std::max<int64_t>(0, SeekTarget(offset, origin, position_, data_.Length()));
    return position_;
}

void TStringStream::SetSize(int64_t size) {
    data_.SetLength(static_cast<int>(size));
    if (position_ > size) position_ = size;
}
