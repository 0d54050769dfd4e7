#include "image/JpegFile.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

#include <jerror.h>
#include <jpeglib.h>

#include "base/Prompt.h"
#include "image/FileBytes.h"

namespace {

// The library's error manager with a way back into the decoder.
struct CJpegErrorManager {
    jpeg_error_mgr m_pub;
    std::jmp_buf m_jump;
    char m_szMessage[JMSG_LENGTH_MAX];
};

void ErrorExit(j_common_ptr cinfo) {
    CJpegErrorManager* err = reinterpret_cast<CJpegErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->m_szMessage);
    std::longjmp(err->m_jump, 1);
}

// Warnings about damaged data end the decoding (a truncated file gives no
// image); stray bytes between markers are tolerated, as every viewer does.
void EmitMessage(j_common_ptr cinfo, int nLevel) {
    if (nLevel < 0 && cinfo->err->msg_code != JWRN_EXTRANEOUS_DATA) ErrorExit(cinfo);
}

enum class EDecode { Ok, LibraryError, Cmyk, TooLarge, OutOfMemory };

// Decoded pixels must stay within this many bytes per byte of file (plus a
// fixed allowance), which is more than the best JPEG compression reaches.
constexpr std::uint64_t kMaxExpansion = 2048;
constexpr std::uint64_t kBaseAllowance = std::uint64_t(64) << 20;

// Plain C-style decoding: nothing with a destructor lives in this frame, so
// the jump back from the library's error handler skips no clean-up.
EDecode Decode(const std::uint8_t* pData, std::size_t nSize, std::uint8_t** ppOut, int* pWidth, int* pHeight) {
    jpeg_decompress_struct cinfo;
    CJpegErrorManager jerr;
    std::uint8_t* volatile pOut = nullptr;
    cinfo.err = jpeg_std_error(&jerr.m_pub);
    jerr.m_pub.error_exit = ErrorExit;
    jerr.m_pub.emit_message = EmitMessage;
    if (setjmp(jerr.m_jump)) {
        jpeg_destroy_decompress(&cinfo);
        delete[] pOut;
        return EDecode::LibraryError;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, pData, static_cast<unsigned long>(nSize));
    jpeg_read_header(&cinfo, TRUE);
    if (cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK) {
        jpeg_destroy_decompress(&cinfo);
        return EDecode::Cmyk;
    }
    const std::uint64_t nLimit = kBaseAllowance + kMaxExpansion * nSize;
    if (std::uint64_t(cinfo.image_width) * cinfo.image_height * 3 > nLimit) {
        jpeg_destroy_decompress(&cinfo);
        return EDecode::TooLarge;
    }
    cinfo.mem->max_memory_to_use = static_cast<long>(nLimit * 4);
    jpeg_start_decompress(&cinfo);
    const int nComponents = cinfo.output_components;
    if (nComponents != 1 && nComponents != 3) {
        jpeg_destroy_decompress(&cinfo);
        return EDecode::Cmyk;
    }
    const std::size_t nWidth = cinfo.output_width;
    const std::size_t nRowBytes = nWidth * 3;
    pOut = new (std::nothrow) std::uint8_t[nRowBytes * cinfo.output_height];
    if (!pOut) {
        jpeg_destroy_decompress(&cinfo);
        return EDecode::OutOfMemory;
    }
    JSAMPARRAY row = (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                                static_cast<JDIMENSION>(nWidth * nComponents), 1);
    while (cinfo.output_scanline < cinfo.output_height) {
        jpeg_read_scanlines(&cinfo, row, 1);
        std::uint8_t* dst = pOut + static_cast<std::size_t>(cinfo.output_scanline - 1) * nRowBytes;
        if (nComponents == 3) {
            std::memcpy(dst, row[0], nRowBytes);
        } else {
            for (std::size_t x = 0; x < nWidth; ++x) dst[3 * x] = dst[3 * x + 1] = dst[3 * x + 2] = row[0][x];
        }
    }
    *pWidth = static_cast<int>(cinfo.output_width);
    *pHeight = static_cast<int>(cinfo.output_height);
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    *ppOut = pOut;
    return EDecode::Ok;
}

}  // namespace

std::unique_ptr<std::uint8_t[]> JpegMemToRGB(const std::uint8_t* pData, std::size_t nSize, int& nWidth, int& nHeight,
                                             CPrompt& prompt) {
    nWidth = nHeight = 0;
    if (!pData || nSize == 0) return nullptr;
    std::uint8_t* pOut = nullptr;
    int w = 0, h = 0;
    switch (Decode(pData, nSize, &pOut, &w, &h)) {
    case EDecode::Ok:
        nWidth = w;
        nHeight = h;
        return std::unique_ptr<std::uint8_t[]>(pOut);
    case EDecode::Cmyk:
        prompt.Inform("JpegFile :\nCMYK images are not supported", PromptIcon::Stop);
        return nullptr;
    case EDecode::TooLarge:
        prompt.Inform("JpegFile :\nImage too large", PromptIcon::Stop);
        return nullptr;
    case EDecode::OutOfMemory:
        prompt.Inform("JpegFile :\nOut of memory", PromptIcon::Stop);
        return nullptr;
    case EDecode::LibraryError:
        break;
    }
    return nullptr;
}

std::unique_ptr<std::uint8_t[]> JpegFileToRGB(const std::string& name, int& nWidth, int& nHeight, CPrompt& prompt) {
    nWidth = nHeight = 0;
    std::vector<std::uint8_t> bytes;
    if (!ReadFileBytes(name, bytes)) {
        prompt.Inform("JPEG :\nCan't open " + name + "\n");
        return nullptr;
    }
    return JpegMemToRGB(bytes.data(), bytes.size(), nWidth, nHeight, prompt);
}

void VertFlipBuf(std::uint8_t* pBuffer, std::size_t nRowBytes, std::size_t nRows) {
    if (!pBuffer || nRowBytes == 0 || nRows < 2) return;
    std::vector<std::uint8_t> tmp;
    try {
        tmp.resize(nRowBytes);
    } catch (const std::bad_alloc&) {
        return;
    }
    for (std::size_t i = 0; i < nRows / 2; ++i) {
        std::uint8_t* a = pBuffer + i * nRowBytes;
        std::uint8_t* b = pBuffer + (nRows - 1 - i) * nRowBytes;
        std::memcpy(tmp.data(), a, nRowBytes);
        std::memcpy(a, b, nRowBytes);
        std::memcpy(b, tmp.data(), nRowBytes);
    }
}
