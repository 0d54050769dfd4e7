#include "cli/SaveImage.h"

#include "base/SafeFileWriter.h"
#include "image/DibFile.h"

bool SaveDibFile(HDIB hDib, const std::string& path, std::string& error) {
    CSafeFileWriter w;
    if (!w.Open(path)) {
        error = w.Error();
        return false;
    }
    if (!SaveDIB(hDib, w.Stream())) {
        // SaveDIB also refuses a malformed block before writing anything.
        error = "the picture could not be written";
        return false;
    }
    if (!w.Commit()) {
        error = w.Error();
        return false;
    }
    return true;
}
