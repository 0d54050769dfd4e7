#pragma once
#ifndef PLUMEX_LAYER_MODEL
#error "a header of plumex_model, included by a library that does not link it"
#endif
// The container of a case file: an OLE2 compound file whose stream
// "Contents" holds the case bytes, and beside it the streams "RunOptions",
// "RowMerging" and "FarField" with what the case stream has no room for (readers that
// know only "Contents" pass them over). Reading also accepts a file that holds the bare
// byte sequence.
#include <cstddef>
#include <string>
#include <vector>

namespace CaseFile {
// The largest "RunOptions" stream read.
constexpr std::size_t kMaxRunOptionsBytes = 65536;
// The largest "RowMerging" stream read (a line of about 200 bytes a jet).
constexpr std::size_t kMaxRowMergingBytes = std::size_t(1) << 24;
// The largest "FarField" stream read.
constexpr std::size_t kMaxFarFieldBytes = 65536;

// The streams beside "Contents"; an empty text: the file has none.
struct SideStreams {
    std::string m_strRunOptions;
    std::string m_strRowMerging;
    std::string m_strFarField;
};

// The largest case stream read or written; nothing a case holds comes near
// it, and a larger stream is not ours.
constexpr std::size_t kMaxStreamBytes = std::size_t(1) << 30;
// The largest file read: the stream and the compound file's tables.
constexpr std::size_t kMaxFileBytes = kMaxStreamBytes + kMaxStreamBytes / 32;

// Reads the case bytes; false with a reason when the file cannot be read or
// is neither a compound file with a "Contents" stream nor a bare case stream.
// Only a regular file is opened (no device, FIFO or folder, also not
// through a link), and only when it is not larger than kMaxFileBytes.
// side (may be null) receives the streams beside "Contents".
bool Read(const std::string& path, std::vector<unsigned char>& bytes, std::string& error, SideStreams* side = nullptr);
// The same from the bytes of a whole file in memory.
bool ReadFromMemory(const unsigned char* data, std::size_t size, std::vector<unsigned char>& bytes, std::string& error,
                    SideStreams* side = nullptr);
// Writes the case bytes through the one file writer (a temporary file
// beside the target, synced and renamed), so a failed save leaves the
// previous file intact; a target that is not a regular file is refused.
// A case stream larger than maxStreamBytes, which the reader would refuse,
// is not written at all.
// side (may be null) gives the streams beside "Contents"; an empty one is
// not written.
bool Write(const std::string& path, const std::vector<unsigned char>& bytes, std::string& error,
           std::size_t maxStreamBytes = kMaxStreamBytes, const SideStreams* side = nullptr);
}  // namespace CaseFile
