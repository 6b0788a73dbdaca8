// Streams: memory, string and file streams round-trip their bytes; short transfers and file
// failures raise the stream errors.
#include "cl_streams.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "cl_sys.h"
#include "temp_folder.h"

namespace {

std::string ReadAll(TStream& stream) {
    std::string bytes(static_cast<size_t>(stream.Size()), '\0');
    stream.SetPosition(0);
    if (!bytes.empty()) stream.ReadBuffer(&bytes[0], static_cast<int>(bytes.size()));
    return bytes;
}

TEST(MemoryStream, WritesReadsAndSeeks) {
    TMemoryStream stream;
    stream.WriteBuffer("hello world", 11);
    EXPECT_EQ(stream.Size(), 11);
    EXPECT_EQ(stream.Position(), 11);
    EXPECT_EQ(stream.Seek(-5, soEnd), 6);
    char word[5];
    stream.ReadBuffer(word, 5);
    EXPECT_EQ(std::string(word, 5), "world");
    EXPECT_EQ(stream.Read(word, 5), 0);
    EXPECT_THROW(stream.ReadBuffer(word, 1), EReadError);

    stream.SetPosition(6);
    stream.WriteBuffer("there!", 6);
    EXPECT_EQ(ReadAll(stream), "hello there!");
    EXPECT_EQ(std::memcmp(stream.Memory(), "hello", 5), 0);
    stream.SetSize(5);
    EXPECT_EQ(ReadAll(stream), "hello");
    stream.Clear();
    EXPECT_EQ(stream.Size(), 0);
    EXPECT_EQ(stream.Position(), 0);
}

TEST(MemoryStream, WritingPastTheEndFillsTheGapWithZeros) {
    TMemoryStream stream;
    stream.SetPosition(3);
    stream.WriteBuffer("x", 1);
    EXPECT_EQ(ReadAll(stream), std::string("\0\0\0x", 4));
}

TEST(MemoryStream, CopiesAndRoundTripsThroughFiles) {
    TempFolder folder;
    TStringStream source("0123456789");
    TMemoryStream copy;
    EXPECT_EQ(copy.CopyFrom(&source, 0), 10);
    source.SetPosition(2);
    EXPECT_EQ(copy.CopyFrom(&source, 3), 3);
    EXPECT_EQ(ReadAll(copy), "0123456789234");
    EXPECT_THROW(copy.CopyFrom(&source, 100), EReadError);

    const AnsiString name = folder.Path("copy.bin");
    copy.SaveToFile(name);
    TMemoryStream loaded;
    loaded.LoadFromFile(name);
    EXPECT_EQ(loaded.Position(), 0);
    EXPECT_EQ(ReadAll(loaded), "0123456789234");
}

TEST(StringStream, GrowsItsString) {
    TStringStream stream("abc");
    stream.Seek(0, soEnd);
    stream.WriteBuffer("def", 3);
    EXPECT_EQ(stream.DataString(), "abcdef");
    stream.SetSize(2);
    EXPECT_EQ(stream.DataString(), "ab");
}

TEST(FileStream, CreatesOpensAndReportsFailures) {
    TempFolder folder;
    const AnsiString name = folder.Path("data.bin");
    {
        TFileStream file(name, fmCreate);
        file.WriteBuffer("abcdef", 6);
        EXPECT_EQ(file.Size(), 6);
        file.SetSize(4);
    }
    {
        TFileStream file(name, fmOpenRead | fmShareDenyWrite);
        EXPECT_EQ(ReadAll(file), "abcd");
        char c;
        EXPECT_EQ(file.Write("x", 1), 0);
        file.SetPosition(4);
        EXPECT_THROW(file.ReadBuffer(&c, 1), EReadError);
    }
    {
        TFileStream file(name, fmOpenReadWrite);
        file.Seek(0, soEnd);
        file.WriteBuffer("Z", 1);
        EXPECT_EQ(ReadAll(file), "abcdZ");
    }
    {
        TFileStream file(name, fmCreate);  // empties the file
        EXPECT_EQ(file.Size(), 0);
    }
    try {
        TFileStream missing(folder.Path("missing.bin"), fmOpenRead);
        FAIL() << "no exception";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message().Pos("Cannot open file \"" + folder.Path("missing.bin") + "\". "), 1);
    }
    EXPECT_THROW(TFileStream(folder.Path("no\\such\\folder.bin"), fmCreate), EFCreateError);
}

}  // namespace
