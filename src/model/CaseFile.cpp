#include "model/CaseFile.h"

#include <gsf/gsf.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <utility>

#include "base/RegularFileReader.h"
#include "base/SafeFileWriter.h"

namespace {

constexpr gsf_off_t kMaxStreamBytes = static_cast<gsf_off_t>(CaseFile::kMaxStreamBytes);
constexpr char kStreamName[] = "Contents";
constexpr char kRunOptionsName[] = "RunOptions";
constexpr char kFarFieldName[] = "FarField";
constexpr char kRowMergingName[] = "RowMerging";
// The signature of every compound file.
constexpr unsigned char kCompoundSignature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};

void InitOnce() {
    static std::once_flag once;
    std::call_once(once, [] { gsf_init(); });
}

bool ReadAll(GsfInput* in, std::vector<unsigned char>& bytes, std::string& error) {
    const gsf_off_t size = gsf_input_size(in);
    if (size < 0 || size > kMaxStreamBytes) {
        error = "the case stream is larger than a case file may hold";
        return false;
    }
    bytes.assign(static_cast<std::size_t>(size), 0);
    if (size > 0 && !gsf_input_read(in, static_cast<std::size_t>(size), bytes.data())) {
        error = "the case stream could not be read";
        return false;
    }
    return true;
}

// A bare stream starts with the version tag.
bool LooksLikeBareStream(const std::vector<unsigned char>& b) {
    return b.size() >= 32 && std::memcmp(b.data(), "Plumex", 6) == 0;
}

std::string ByteCount(std::size_t n) { return std::to_string(n) + " bytes"; }

// An optional stream beside "Contents"; false (with a reason) only when the
// stream is there but cannot be read.
bool ReadSideStream(GsfInfile* ole, const char* name, std::size_t maxBytes, std::string& text, std::string& error) {
    text.clear();
    GsfInput* stream = gsf_infile_child_by_name(ole, name);
    if (!stream) return true;
    const gsf_off_t size = gsf_input_size(stream);
    bool ok = size >= 0 && size <= static_cast<gsf_off_t>(maxBytes);
    if (!ok) {
        error = std::string("the \"") + name + "\" stream is larger than a case file may hold";
    } else {
        text.assign(static_cast<std::size_t>(size), '\0');
        ok = size == 0 ||
             gsf_input_read(stream, static_cast<std::size_t>(size), reinterpret_cast<guint8*>(text.data())) != nullptr;
        if (!ok) error = std::string("the \"") + name + "\" stream could not be read";
    }
    g_object_unref(stream);
    return ok;
}

bool WriteStream(GsfOutfile* ole, const char* name, const void* data, std::size_t size) {
    GsfOutput* stream = gsf_outfile_new_child(ole, name, FALSE);
    if (!stream) return false;
    bool ok = size == 0 || gsf_output_write(stream, size, static_cast<const guint8*>(data));
    ok = gsf_output_close(stream) && ok;
    g_object_unref(stream);
    return ok;
}

}  // namespace

bool CaseFile::ReadFromMemory(const unsigned char* data, std::size_t size, std::vector<unsigned char>& bytes,
                              std::string& error, SideStreams* side) {
    if (side) *side = SideStreams{};
    InitOnce();
    bytes.clear();
    if (size > kMaxFileBytes) {
        error = "the file is larger than a case file may be";
        return false;
    }
    // The library reads from this block only, never more than it holds.
    GsfInput* file = gsf_input_memory_new(data, static_cast<gsf_off_t>(size), FALSE);
    if (!file) {
        error = "the file cannot be read";
        return false;
    }
    GError* err = nullptr;
    GsfInfile* ole = gsf_infile_msole_new(file, &err);
    if (err) g_error_free(err);
    err = nullptr;
    bool ok = false;
    if (ole) {
        GsfInput* stream = gsf_infile_child_by_name(ole, kStreamName);
        if (stream) {
            ok = ReadAll(stream, bytes, error);
            g_object_unref(stream);
            SideStreams read;
            if (ok) ok = ReadSideStream(ole, kRunOptionsName, kMaxRunOptionsBytes, read.m_strRunOptions, error);
            if (ok) ok = ReadSideStream(ole, kRowMergingName, kMaxRowMergingBytes, read.m_strRowMerging, error);
            if (ok) ok = ReadSideStream(ole, kFarFieldName, kMaxFarFieldBytes, read.m_strFarField, error);
            if (ok && side) *side = std::move(read);
        } else {
            error = "the compound file holds no \"Contents\" stream";
        }
        g_object_unref(ole);
    } else if (size >= sizeof kCompoundSignature &&
               std::memcmp(data, kCompoundSignature, sizeof kCompoundSignature) == 0) {
        error = "the compound file is damaged";
    } else {
        // Not a compound file: accept the bare case stream.
        bytes.assign(data, data + size);
        ok = LooksLikeBareStream(bytes);
        if (!ok) error = "the file is not a case file";
    }
    g_object_unref(file);
    if (!ok) bytes.clear();
    return ok;
}

bool CaseFile::Read(const std::string& path, std::vector<unsigned char>& bytes, std::string& error, SideStreams* side) {
    bytes.clear();
    if (side) *side = SideStreams{};
    std::vector<unsigned char> file;
    if (!ReadRegularFile(path, CaseFile::kMaxFileBytes, "a case file", file, error)) return false;
    return ReadFromMemory(file.data(), file.size(), bytes, error, side);
}

bool CaseFile::Write(const std::string& path, const std::vector<unsigned char>& bytes, std::string& error,
                     std::size_t maxStreamBytes, const SideStreams* side) {
    // A case that the reader would refuse is not written: the previous file
    // stays readable.
    if (bytes.size() > maxStreamBytes) {
        error = "the case would need " + ByteCount(bytes.size()) + ", more than the " + ByteCount(maxStreamBytes) +
                " a case file may hold (too many results); the file was not saved";
        return false;
    }
    InitOnce();
    // The compound file is made in memory and written by the one file writer.
    GsfOutput* sink = gsf_output_memory_new();
    GsfOutfile* ole = gsf_outfile_msole_new(sink);
    bool ok = ole != nullptr;
    if (ok) {
        ok = WriteStream(ole, kStreamName, bytes.data(), bytes.size());
        if (ok && side && !side->m_strRunOptions.empty())
            ok = WriteStream(ole, kRunOptionsName, side->m_strRunOptions.data(), side->m_strRunOptions.size());
        if (ok && side && !side->m_strRowMerging.empty())
            ok = WriteStream(ole, kRowMergingName, side->m_strRowMerging.data(), side->m_strRowMerging.size());
        if (ok && side && !side->m_strFarField.empty())
            ok = WriteStream(ole, kFarFieldName, side->m_strFarField.data(), side->m_strFarField.size());
        // Closing the compound file writes its tables into the sink.
        ok = gsf_output_close(GSF_OUTPUT(ole)) && ok;
        g_object_unref(ole);
    }
    if (!gsf_output_is_closed(sink)) ok = gsf_output_close(sink) && ok;
    if (!ok) {
        error = "the compound file could not be made";
    } else {
        const guint8* data = gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(sink));
        const auto size = static_cast<std::size_t>(gsf_output_size(sink));
        ok = WriteFileSafely(path, data, size, error);
    }
    g_object_unref(sink);
    return ok;
}
