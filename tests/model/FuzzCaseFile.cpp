// libFuzzer target: the case stream reader must refuse any byte sequence it
// cannot read, without reading past its input or allocating without bound.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/AppState.h"
#include "model/PlumexDoc.h"
#include "base/Prompt.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CAppState app;
    CSilentPrompt prompt;
    CPlumexDoc doc(app, prompt);
    std::string error;
    if (doc.LoadFromBytes(std::vector<unsigned char>(data, data + size), error)) {
        // Whatever loaded must write out again.
        (void)doc.SaveToBytes();
    }
    return 0;
}
