// Byte streams: the abstract stream with its exact-transfer helpers, streams over file
// handles and named files, and growable memory streams.
#pragma once

#include <cstdint>
#include <vector>

#include "cl_component.h"

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

// TFileStream modes: one access mode, optionally or-ed with one share mode. fmCreate creates
// (or empties) the file for writing.
constexpr unsigned fmOpenRead = 0x0000, fmOpenWrite = 0x0001, fmOpenReadWrite = 0x0002,
                   fmShareCompat = 0x0000, fmShareExclusive = 0x0010,
                   fmShareDenyWrite = 0x0020, fmShareDenyRead = 0x0030,
                   fmShareDenyNone = 0x0040, fmCreate = 0xFF00;

class TStream : public TObject {
    CL_CLASS(TStream, TObject)

    // Transfer up to `count` bytes; the result is the number transferred.
    virtual int Read(void* buffer, int count) = 0;
    virtual int Write(const void* buffer, int count) = 0;
    // The new position from the start.
    virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;

    int64_t Position() { return Seek(0, soCurrent); }
    void SetPosition(int64_t position) { Seek(position, soBeginning); }
    virtual int64_t Size();
    virtual void SetSize(int64_t size);

    // A short transfer raises EReadError "Stream read error" / EWriteError "Stream write error".
    void ReadBuffer(void* buffer, int count);
    void WriteBuffer(const void* buffer, int count);
    // Copies `count` bytes from the source's position; 0 copies the whole source from its
    // start. Returns the number of bytes copied.
    int64_t CopyFrom(TStream* source, int64_t count);
};

// A stream over a file handle it does not own.
class THandleStream : public TStream {
    CL_CLASS(THandleStream, TStream)

    explicit THandleStream(void* handle) : handle_(handle) {}
    void* Handle() const { return handle_; }
    int Read(void* buffer, int count) override;
    int Write(const void* buffer, int count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    void SetSize(int64_t size) override;

protected:
    void* handle_;
};

// A stream over a named file, opened for its lifetime. Failure raises EFCreateError
// ("Cannot create file "<name>". <system text>") or EFOpenError ("Cannot open file ...").
class TFileStream : public THandleStream {
    CL_CLASS(TFileStream, THandleStream)

    TFileStream(const AnsiString& fileName, unsigned mode);
    ~TFileStream() override;
    const AnsiString& FileName() const { return fileName_; }

private:
    AnsiString fileName_;
};

// A stream over a block of memory that it reads and seeks in.
class TCustomMemoryStream : public TStream {
    CL_CLASS(TCustomMemoryStream, TStream)

    int Read(void* buffer, int count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override { return size_; }
    void* Memory() const { return memory_; }
    void SaveToStream(TStream* stream) const;
    // The file is written whole or not at all.
    void SaveToFile(const AnsiString& fileName) const;

protected:
    void SetPointer(void* memory, int64_t size);

    void* memory_ = nullptr;
    int64_t size_ = 0;
    int64_t position_ = 0;
};

// A memory stream that owns its growable buffer.
class TMemoryStream : public TCustomMemoryStream {
    CL_CREATABLE_CLASS(TMemoryStream, TCustomMemoryStream)

    int Write(const void* buffer, int count) override;
    void SetSize(int64_t size) override;
    void Clear();
    // Replaces the contents with the whole of the other stream; the position goes to 0.
    void LoadFromStream(TStream* stream);
    void LoadFromFile(const AnsiString& fileName);

private:
    std::vector<uint8_t> buffer_;
};

// A memory stream over a string's bytes.
class TStringStream : public TStream {
    CL_CLASS(TStringStream, TStream)

    explicit TStringStream(const AnsiString& data = AnsiString()) : data_(data) {}
    int Read(void* buffer, int count) override;
    int Write(const void* buffer, int count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    void SetSize(int64_t size) override;
    const AnsiString& DataString() const { return data_; }

private:
    AnsiString data_;
    int64_t position_ = 0;
};
