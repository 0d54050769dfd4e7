// libFuzzer target: CBMPFile on arbitrary bytes, both output layouts.
#include <cstddef>
#include <cstdint>

#include "image/BMPFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (bool rgba : {false, true}) {
        CBMPFile reader;
        reader.m_bRGBA = rgba;
        int w = 0, h = 0;
        std::unique_ptr<std::uint8_t[]> p = reader.LoadBMPFromMemory(data, size, w, h);
        if (p) {
            // Touch the last byte: the buffer must hold every pixel.
            volatile std::uint8_t last = p[static_cast<std::size_t>(w) * h * (rgba ? 4 : 3) - 1];
            (void)last;
        }
    }
    return 0;
}
