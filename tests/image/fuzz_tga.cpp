// libFuzzer target: the TGA loader on arbitrary bytes.
#include <cstddef>
#include <cstdint>

#include "base/Prompt.h"
#include "image/TgaLoader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CSilentPrompt prompt;
    int w = 0, h = 0;
    std::unique_ptr<std::uint8_t[]> p;
    if (LoadTGAFromMemory(data, size, w, h, p, prompt)) {
        volatile std::uint8_t last = p[static_cast<std::size_t>(w) * h * 4 - 1];
        (void)last;
    }
    return 0;
}
