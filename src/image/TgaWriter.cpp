#include "image/TgaWriter.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace {
void PutU16(std::vector<std::uint8_t>& out, int v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

void PutPixel(std::vector<std::uint8_t>& out, const std::uint8_t* p) {
    out.push_back(p[2]);
    out.push_back(p[1]);
    out.push_back(p[0]);
}

// One row as run-length packets: runs of 2 or more equal pixels become run
// packets, everything else raw packets; no packet crosses the row.
void EncodeRow(std::vector<std::uint8_t>& out, const std::uint8_t* row, int nWidth) {
    auto same = [row](int a, int b) { return std::memcmp(row + 3 * a, row + 3 * b, 3) == 0; };
    int i = 0;
    while (i < nWidth) {
        int run = 1;
        while (i + run < nWidth && run < 128 && same(i, i + run)) ++run;
        if (run >= 2) {
            out.push_back(static_cast<std::uint8_t>(0x80 | (run - 1)));
            PutPixel(out, row + 3 * i);
            i += run;
            continue;
        }
        int raw = 1;
        while (i + raw < nWidth && raw < 128 && !(i + raw + 1 < nWidth && same(i + raw, i + raw + 1))) ++raw;
        out.push_back(static_cast<std::uint8_t>(raw - 1));
        for (int k = 0; k < raw; ++k) PutPixel(out, row + 3 * (i + k));
        i += raw;
    }
}
}  // namespace

bool SaveTGA(const std::string& name, int nWidth, int nHeight, const std::uint8_t* rgb, bool bRunLength) {
    if (!rgb || nWidth <= 0 || nHeight <= 0 || nWidth > 0xFFFF || nHeight > 0xFFFF) return false;
    std::vector<std::uint8_t> out;
    out.push_back(0);                    // no image ID
    out.push_back(0);                    // no colour map
    out.push_back(bRunLength ? 10 : 2);  // true colour
    PutU16(out, 0);                      // colour map: first entry,
    PutU16(out, 0);                      // length
    out.push_back(0);                    // and entry size
    PutU16(out, 0);                      // x origin
    PutU16(out, 0);                      // y origin
    PutU16(out, nWidth);
    PutU16(out, nHeight);
    out.push_back(24);
    out.push_back(0);  // origin lower left
    for (int r = nHeight - 1; r >= 0; --r) {
        const std::uint8_t* row = rgb + static_cast<std::size_t>(r) * nWidth * 3;
        if (bRunLength) {
            EncodeRow(out, row, nWidth);
        } else {
            for (int x = 0; x < nWidth; ++x) PutPixel(out, row + 3 * x);
        }
    }
    std::FILE* f = std::fopen(name.c_str(), "wb");
    if (!f) return false;
    bool bOk = std::fwrite(out.data(), 1, out.size(), f) == out.size();
    bOk = (std::fclose(f) == 0) && bOk;
    return bOk;
}
