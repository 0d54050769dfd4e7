// libFuzzer target: whole case files, compound-file container included,
// read from memory through the compound-file library: any bytes are read
// or refused without reading outside them, and an accepted stream loads or
// is refused by the case reader.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/AppState.h"
#include "base/Prompt.h"
#include "model/Case.h"
#include "model/CaseFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<unsigned char> stream;
    std::string error;
    if (!CaseFile::ReadFromMemory(data, size, stream, error)) return 0;
    CAppState app;
    CSilentPrompt prompt;
    CCase doc(app, prompt);
    if (doc.LoadFromBytes(stream, error)) (void)doc.SaveToBytes();
    return 0;
}
