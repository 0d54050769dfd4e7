// libFuzzer target: JPEG decoding on arbitrary bytes.
#include <cstddef>
#include <cstdint>

#include "base/Prompt.h"
#include "image/JpegFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CSilentPrompt prompt;
    int w = 0, h = 0;
    std::unique_ptr<std::uint8_t[]> p = JpegMemToRGB(data, size, w, h, prompt);
    if (p) {
        volatile std::uint8_t last = p[static_cast<std::size_t>(w) * h * 3 - 1];
        (void)last;
    }
    return 0;
}
