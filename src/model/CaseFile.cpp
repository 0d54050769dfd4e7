#include "model/CaseFile.h"

#include <gsf/gsf.h>

#include <cstdio>
#include <cstring>
#include <mutex>

namespace {

// Nothing in a case comes near this; a larger stream is not ours.
constexpr gsf_off_t kMaxStreamBytes = gsf_off_t(1) << 30;
constexpr char kStreamName[] = "Contents";

void InitOnce() {
    static std::once_flag once;
    std::call_once(once, [] { gsf_init(); });
}

std::string TakeError(GError*& err, const char* fallback) {
    std::string s = err && err->message ? err->message : fallback;
    if (err) g_error_free(err);
    err = nullptr;
    return s;
}

bool ReadAll(GsfInput* in, std::vector<unsigned char>& bytes, std::string& error) {
    const gsf_off_t size = gsf_input_size(in);
    if (size < 0 || size > kMaxStreamBytes) {
        error = "the case stream is too large";
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

}  // namespace

bool CaseFile::Read(const std::string& path, std::vector<unsigned char>& bytes, std::string& error) {
    InitOnce();
    bytes.clear();
    GError* err = nullptr;
    GsfInput* file = gsf_input_stdio_new(path.c_str(), &err);
    if (!file) {
        error = TakeError(err, "the file cannot be opened");
        return false;
    }
    GsfInfile* ole = gsf_infile_msole_new(file, &err);
    if (err) g_error_free(err);
    err = nullptr;
    bool ok = false;
    if (ole) {
        GsfInput* stream = gsf_infile_child_by_name(ole, kStreamName);
        if (stream) {
            ok = ReadAll(stream, bytes, error);
            g_object_unref(stream);
        } else {
            error = "the compound file holds no \"Contents\" stream";
        }
        g_object_unref(ole);
    } else {
        // Not a compound file: accept the bare case stream.
        gsf_input_seek(file, 0, G_SEEK_SET);
        ok = ReadAll(file, bytes, error);
        if (ok && !LooksLikeBareStream(bytes)) {
            error = "the file is not a case file";
            ok = false;
        }
    }
    g_object_unref(file);
    if (!ok) bytes.clear();
    return ok;
}

bool CaseFile::Write(const std::string& path, const std::vector<unsigned char>& bytes, std::string& error) {
    InitOnce();
    GError* err = nullptr;
    GsfOutput* sink = gsf_output_stdio_new(path.c_str(), &err);
    if (!sink) {
        error = TakeError(err, "the file cannot be created");
        return false;
    }
    GsfOutfile* ole = gsf_outfile_msole_new(sink);
    bool ok = ole != nullptr;
    if (ok) {
        GsfOutput* stream = gsf_outfile_new_child(ole, kStreamName, FALSE);
        ok = stream != nullptr;
        if (ok) {
            if (!bytes.empty()) ok = gsf_output_write(stream, bytes.size(), bytes.data());
            ok = gsf_output_close(stream) && ok;
            g_object_unref(stream);
        }
        // An error on the sink makes its close discard the temporary file,
        // so the previous file stays as it was.
        if (!ok) gsf_output_set_error(sink, 0, "the case stream could not be written");
        // Closing the compound file writes its tables and closes the sink.
        ok = gsf_output_close(GSF_OUTPUT(ole)) && ok;
        g_object_unref(ole);
    } else {
        gsf_output_set_error(sink, 0, "the compound file could not be started");
    }
    if (!gsf_output_is_closed(sink)) ok = gsf_output_close(sink) && ok;
    if (!ok) {
        const GError* e = gsf_output_error(sink);
        error = e && e->message ? e->message : "the file could not be written";
    }
    g_object_unref(sink);
    return ok;
}
