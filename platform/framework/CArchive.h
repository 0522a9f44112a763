#pragma once

#include "platform/framework/CFile.h"
#include "platform/framework/CString.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// A buffered stream of values over a file, in one direction. Every value is encoded
// little-endian byte by byte, whatever the machine, with nothing aligned or padded:
//
//   int32 / uint32   4 bytes, least significant first
//   uint16           2 bytes, least significant first
//   double           the 8 bytes of its IEEE 754 bit pattern, as a uint64
//   string           length prefix, then the bytes, no terminating zero:
//                      L 0..254       one byte L
//                      L 255..65533   0xFF, then L as uint16
//                      L 65534..      0xFF, 0xFFFF, then L as uint32
//                    read only: 0xFF, 0xFFFE, then a second prefix of the same scheme that
//                    counts UTF-16LE units, then the units; they are turned into UTF-8.
//
// Loading never trusts a length: it is checked against the bytes left in the file before
// anything is allocated, and text is gathered in bounded chunks even when the file's length
// is unknown. The first failure is kept as the archive's error; every later Get fails too,
// so a reader can run its whole sequence and check once.
class CArchive
{
public:
    enum Mode
    {
        store = 0,
        load = 1,
    };
    enum class Error
    {
        none,
        endOfFile,   // the data ended inside a value
        badLength,   // a string's length runs past the end of the data or is absurd
        readFailed,  // the file reported an error
        writeFailed, // the file reported an error, or a string is too long to encode
    };

    static constexpr std::size_t kDefaultBufferSize = 4096;
    // No string longer than CString can count is read or written.
    static constexpr std::uint64_t kMaxStringBytes = 0x7FFFFFFF;

    CArchive(CFile* file, Mode mode, std::size_t bufferSize = kDefaultBufferSize);
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;
    // Writes what is still buffered; call Close to learn whether that worked.
    ~CArchive();

    CFile* GetFile() const { return m_file; }

    void PutByte(std::uint8_t value);
    void PutUInt16(std::uint16_t value);
    void PutUInt32(std::uint32_t value);
    void PutInt32(std::int32_t value);
    void PutDouble(double value);
    void PutBytes(const void* data, std::size_t size);
    void PutString(const CString& text);

    // Each returns false, leaves a zero or empty value and keeps the error once data is missing.
    bool GetByte(std::uint8_t* value);
    bool GetUInt16(std::uint16_t* value);
    bool GetUInt32(std::uint32_t* value);
    bool GetInt32(std::int32_t* value);
    bool GetDouble(double* value);
    bool GetBytes(void* data, std::size_t size);
    bool GetString(CString* text);

    // Bytes a load can still read (buffered and left in the file), or -1 when unknown.
    std::int64_t GetBytesLeft() const;

    // Storing: hands the buffered bytes to the file. Does not sync the file to disk.
    bool Flush();
    // Flushes when storing and detaches from the file; the file stays open.
    bool Close();

    Error GetError() const { return m_error; }
    bool IsOk() const { return m_error == Error::none; }
    // Bytes read or written so far; after a failure, how far the data was taken in.
    std::uint64_t GetPosition() const { return m_position; }

private:
    void Fail(Error error);
    bool Fill();
    bool ReadLength(bool allowWide, std::uint64_t* length, bool* wide);
    bool GetNarrowText(std::uint64_t length, CString* text);
    bool GetWideText(std::uint64_t units, CString* text);

    CFile* m_file;
    Mode m_mode;
    std::vector<unsigned char> m_buffer;
    std::size_t m_begin = 0; // load: next unread byte in the buffer
    std::size_t m_end = 0;   // load: end of the buffered bytes; store: bytes waiting
    std::int64_t m_fileLeft = -1;
    std::uint64_t m_position = 0;
    Error m_error = Error::none;
    bool m_closed = false;
};
