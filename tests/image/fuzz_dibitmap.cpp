// libFuzzer target: CDIBitmap::Load on arbitrary bytes, then drawing and
// saving what was loaded.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "image/DIBitmap.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    CDIBitmap dib;
    if (dib.Load(in)) {
        CArgbImage img(16, 16);
        dib.Draw(img, 0, 0, 16, 16);
        dib.Draw(img, CRect(0, 0, 16, 16), CRect(0, 0, 8, 8));
        dib.UnPadBits();
        dib.Draw(img, 0, 0, 7, 9);
        std::ostringstream out;
        dib.Save(out);
    }
    return 0;
}
