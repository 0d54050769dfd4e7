#pragma once
#ifndef PLUMEX_LAYER_RUN
#error "a header of plumex_run, included by a library that does not link it"
#endif
// Reading the model's text files line by line, in blocks. A line's end (CR
// LF as the model writes it, or a bare LF) is removed. A line longer than
// kMaxTextLine characters keeps its first kMaxTextLine; the rest of it is
// read and dropped, so a file without line ends costs no memory.
//
// The reader takes blocks of the file ahead of the lines it hands out; when
// it ends, the file is set back to the first byte not handed out, so a file
// can be read by one reader after another (one per jet page or section).
// A reader must therefore end before its file is closed.
#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

constexpr std::size_t kMaxTextLine = 4096;

class CTextLineReader {
public:
    explicit CTextLineReader(std::FILE* file);
    ~CTextLineReader();
    CTextLineReader(const CTextLineReader&) = delete;
    CTextLineReader& operator=(const CTextLineReader&) = delete;

    // False at the end of the file when nothing was read.
    bool ReadLine(std::string& line);
    // The position of the next line in the file (-1 when the file has none).
    long Tell() const;
    // Back (or on) to a position Tell() gave; false when the file refuses it.
    bool Seek(long position);

private:
    bool Fill();

    std::FILE* m_pFile;
    std::vector<char> m_Buffer;
    std::size_t m_nPos = 0;    // next byte of the buffer to hand out
    std::size_t m_nEnd = 0;    // end of the bytes read into the buffer
    long m_nBufferAt = -1;     // the buffer's first byte in the file
    std::size_t m_nBlock = 0;  // the size of the next read
};
