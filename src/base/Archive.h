#pragma once
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

class CAppState;

class CArchiveException : public std::runtime_error {
public:
    explicit CArchiveException(const std::string& what) : std::runtime_error(what) {}
};

class CArchive {
public:
    // A storing archive that collects the bytes written.
    explicit CArchive(CAppState& app);
    // A loading archive over the given bytes.
    CArchive(CAppState& app, std::vector<std::uint8_t> bytes);

    bool IsStoring() const { return m_bStoring; }
    bool IsLoading() const { return !m_bStoring; }
    CAppState& App() { return m_app; }

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

    CAppState& m_app;
    bool m_bStoring;
    std::vector<std::uint8_t> m_data;
    std::size_t m_nPos = 0;
};
