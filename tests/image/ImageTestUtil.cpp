#include "ImageTestUtil.h"

#include <cstdio>
#include <fstream>
#include <random>
#include <stdexcept>

#include <jpeglib.h>

CTempDir::CTempDir() {
    std::random_device rd;
    m_path = std::filesystem::temp_directory_path() / ("plumex-img-" + std::to_string(rd()) + std::to_string(rd()));
    std::filesystem::create_directories(m_path);
}

CTempDir::~CTempDir() {
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!f) throw std::runtime_error("cannot write " + path);
}

CBytes BmpHeaders(std::uint32_t offBits, std::int32_t width, std::int32_t height, unsigned bitCount,
                  std::uint32_t compression, std::uint32_t clrUsed) {
    CBytes b;
    b.U8('B').U8('M').U32(0).U16(0).U16(0).U32(offBits);
    b.U32(40).U32(static_cast<std::uint32_t>(width)).U32(static_cast<std::uint32_t>(height)).U16(1).U16(bitCount);
    b.U32(compression).U32(0).U32(2835).U32(2835).U32(clrUsed).U32(0);
    return b;
}

std::vector<std::uint8_t> MakeJpeg(int width, int height, int components, const std::vector<std::uint8_t>& pixels,
                                   int quality) {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    jpeg_mem_dest(&cinfo, &out, &outSize);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = components;
    cinfo.in_color_space = components == 1 ? JCS_GRAYSCALE : (components == 4 ? JCS_CMYK : JCS_RGB);
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row =
            const_cast<JSAMPROW>(&pixels[static_cast<std::size_t>(cinfo.next_scanline) * width * components]);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::vector<std::uint8_t> bytes(out, out + outSize);
    jpeg_destroy_compress(&cinfo);
    std::free(out);
    return bytes;
}
