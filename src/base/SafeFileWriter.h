#pragma once
#ifndef PLUMEX_LAYER_BASE
#error "a header of plumex_base, included by a library that does not link it"
#endif
// The one way the program writes a file. The bytes go to a temporary file
// beside the target; every write is checked, the file is flushed and synced
// to the disk and only then renamed over the target. A failure at any step
// (a full disk, a read-only folder, a short write) leaves the previous file
// as it was and no temporary file behind.
//
// A target that exists and is not a regular file (a device, a FIFO, a
// folder, or a link to one of them) is refused: the writer never replaces
// anything but a regular file. A write-protected file (no write permission
// for anyone, or none for this user) is refused too. A link to a regular file stays a link; the
// file it points to is replaced.
#include <cstddef>
#include <cstdio>
#include <string>

class CSafeFileWriter {
public:
    CSafeFileWriter() = default;
    ~CSafeFileWriter();  // discards an uncommitted file
    CSafeFileWriter(const CSafeFileWriter&) = delete;
    CSafeFileWriter& operator=(const CSafeFileWriter&) = delete;

    // Checks the target and creates the temporary file; false with a reason.
    bool Open(const std::string& path);
    // Appends bytes; false (and the writer failed) unless all were written.
    bool Write(const void* data, std::size_t size);
    // The temporary file as a stream, for writers that take one; what they
    // write is checked when the file is committed.
    std::FILE* Stream() { return m_pFile; }
    // Flushes, syncs and renames; false with a reason, the target untouched.
    bool Commit();
    // Removes the temporary file; the target stays as it was.
    void Discard();

    const std::string& Error() const { return m_strError; }

private:
    bool Fail(const std::string& what, int err);

    std::string m_strTarget;  // the file that is replaced (a link resolved)
    std::string m_strTemp;
    std::FILE* m_pFile = nullptr;
    std::string m_strError;
};

// The whole file at once; false with a reason in error.
bool WriteFileSafely(const std::string& path, const void* data, std::size_t size, std::string& error);

// True when both paths name one existing file (same device and inode, so
// hard and symbolic links are caught).
bool IsSameFile(const std::string& a, const std::string& b);
