#pragma once
#ifndef PLUMEX_LAYER_BASE
#error "a header of plumex_base, included by a library that does not link it"
#endif
// A byte stream that records write themselves into and read themselves from:
// raw little-endian fields without schema numbers. Reading is defensive: any
// read past the end, a count the rest of the stream cannot hold or a
// non-finite size throws CArchiveException, which the document turns into
// one clear message; nothing else throws.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/FileVersion.h"

class CArchiveException : public std::runtime_error {
public:
    explicit CArchiveException(const std::string& what) : std::runtime_error(what) {}
};

class CArchive {
public:
    // A storing archive that collects the bytes written.
    CArchive();
    // A loading archive over the given bytes.
    explicit CArchive(std::vector<std::uint8_t> bytes);

    bool IsStoring() const { return m_bStoring; }

    // The version tag of the stream: set by the document right after it
    // reads the tag, so nested records can tell which optional fields the
    // stream carries. Each read has its own, so documents read one after
    // another (or side by side) never see each other's version.
    void SetFileVersion(const std::string& tag) { m_strFileVersion = tag; }
    const std::string& FileVersion() const { return m_strFileVersion; }
    bool FileIsVersion2() const { return FileVersionIs2(m_strFileVersion); }
    bool FileIsNewest() const { return FileVersionIsNewest(m_strFileVersion); }

    void WriteInt32(std::int32_t v);
    void WriteFloat(float v);
    void WriteDouble(double v);
    void WriteBytes(const void* p, std::size_t n);
    void WriteZeros(std::size_t n);
    // A fixed-width text field: the text, a NUL, zero bytes to the width.
    // A text longer than width-1 bytes is cut so that the NUL still fits.
    void WriteText(const std::string& text, std::size_t width);

    std::int32_t ReadInt32();
    float ReadFloat();
    double ReadDouble();
    void ReadBytes(void* p, std::size_t n);
    void Skip(std::size_t n);
    // Reads a fixed-width text field: the text up to its NUL, at most width
    // characters.
    std::string ReadText(std::size_t width);
    // Reads a count of items that each take at least minItemBytes; a negative
    // count or one that the rest of the stream cannot hold is an error.
    std::int32_t ReadCount(std::size_t minItemBytes, const char* what);

    std::size_t Position() const { return m_nPos; }
    std::size_t Remaining() const { return m_data.size() - m_nPos; }
    const std::vector<std::uint8_t>& Data() const { return m_data; }

private:
    void Need(std::size_t n);

    bool m_bStoring;
    std::string m_strFileVersion = kCurrentFileVersion;
    std::vector<std::uint8_t> m_data;
    std::size_t m_nPos = 0;
};
