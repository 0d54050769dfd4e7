#include "image/DIBitmap.h"

#include <QCoreApplication>
#include <QFile>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <istream>
#include <new>
#include <ostream>
#include <vector>

#include "image/BMPFile.h"
#include "image/DibPaint.h"
#include "image/FileBytes.h"
#include "image/Hdibapi.h"

namespace {
// Debug traces for developers, never shown to users: written to standard
// error only when PLUMEX_TRACE is set.
bool TraceOn() {
    static const bool on = std::getenv("PLUMEX_TRACE") != nullptr;
    return on;
}

void Trace(const char* fmt, const char* arg) {
    if (TraceOn()) std::fprintf(stderr, fmt, arg);
}

std::uint8_t* NewZeroed(std::size_t n) { return new (std::nothrow) std::uint8_t[n](); }
}  // namespace

void CDIBitmap::Clear() {
    m_pInfo.reset();
    m_pBits.reset();
    m_pPalette.reset();
    m_bPadded = false;
    m_nBitsSize = 0;
}

const BITMAPINFOHEADER* CDIBitmap::GetHeaderPtr() const {
    return reinterpret_cast<const BITMAPINFOHEADER*>(m_pInfo.get());
}

const RGBQUAD* CDIBitmap::GetColorTable() const {
    return m_pInfo ? reinterpret_cast<const RGBQUAD*>(m_pInfo.get() + sizeof(BITMAPINFOHEADER)) : nullptr;
}

int CDIBitmap::GetWidth() const { return m_pInfo ? GetHeaderPtr()->biWidth : 0; }

int CDIBitmap::GetHeight() const { return m_pInfo ? GetHeaderPtr()->biHeight : 0; }

int CDIBitmap::GetBitCount() const { return m_pInfo ? GetHeaderPtr()->biBitCount : 0; }

std::uint32_t CDIBitmap::GetPalEntries() const {
    if (!m_pInfo) return 0;
    const BITMAPINFOHEADER* bi = GetHeaderPtr();
    if (bi->biClrUsed != 0) return bi->biClrUsed;
    return bi->biBitCount < 32 ? (1u << bi->biBitCount) : 0u;
}

std::uint32_t CDIBitmap::TableEntries() const {
    if (!m_pInfo || GetBitCount() > 8) return 0;
    const std::uint32_t n = GetPalEntries();
    return n > 256 ? 256 : n;
}

std::size_t CDIBitmap::RowBytes() const {
    return m_bPadded ? DibRowStride(GetBitCount(), GetWidth()) : DibPackedRowLength(GetBitCount(), GetWidth());
}

bool CDIBitmap::CreateFromBitmap(const CDeviceBitmap& bitmap) {
    Clear();
    const char* reason = nullptr;
    const int w = bitmap.m_nWidth;
    const int h = bitmap.m_nHeight;
    const int nBits = 24;  // a true-colour device gives 24-bit rows
    const std::size_t nStride = DibRowStride(nBits, w);
    if (w <= 0 || h <= 0 || bitmap.m_pixels.size() < static_cast<std::size_t>(w) * h * 3) {
        reason = "call to GetDIBits did not return full number of requested scan lines\n";
    } else {
        m_pBits.reset(NewZeroed(nStride * h));
        if (!m_pBits) {
            reason = "could not allocate data storage\n";
        } else {
            m_pInfo.reset(NewZeroed(kInfoBlockSize));
            if (!m_pInfo) reason = "could not allocate BITMAPINFO struct\n";
        }
    }
    if (reason) {
        Trace("CDIBitmap::CreateFromBitmap(): %s\n", reason);
        Clear();
        return false;
    }
    m_nBitsSize = nStride * h;
    BITMAPINFOHEADER bi;
    InitBitmapInfoHeader(bi, w, h, nBits);
    std::memcpy(m_pInfo.get(), &bi, sizeof bi);
    BitmapToDibRows(bitmap, m_pBits.get(), nStride);
    CreatePalette();
    // The rows were built with their padding, and the flag says so: a save
    // must not pad them a second time.
    m_bPadded = true;
    return true;
}

bool CDIBitmap::LoadResource(const std::string& name, const std::string& folder) {
    Clear();
    QString path = QString::fromStdString(name);
    if (!path.startsWith(QLatin1Char(':'))) {
        QString dir = QString::fromStdString(folder);
        if (dir.isEmpty())
            dir = QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QStringLiteral(".");
        path = dir + QLatin1Char('/') + path;
    }
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || f.size() > static_cast<qint64>(kMaxImageFileBytes)) {
        Trace("CDIBitmap::LoadResource(): cannot read %s\n", path.toLocal8Bit().constData());
        return false;
    }
    const QByteArray bytes = f.readAll();
    CBMPFile reader;
    int w = 0, h = 0;
    std::unique_ptr<std::uint8_t[]> rgb = reader.LoadBMPFromMemory(
        reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size()), w, h);
    if (!rgb) {
        Trace("CDIBitmap::LoadResource(): %s\n", reader.GetError().c_str());
        return false;
    }
    CDeviceBitmap bmp;
    bmp.m_nWidth = w;
    bmp.m_nHeight = h;
    bmp.m_pixels.assign(rgb.get(), rgb.get() + static_cast<std::size_t>(w) * h * 3);
    return CreateFromBitmap(bmp);
}

bool CDIBitmap::Load(std::istream& file) {
    Clear();
    std::vector<std::uint8_t> bytes;
    char chunk[65536];
    while (file) {
        file.read(chunk, sizeof chunk);
        const std::streamsize n = file.gcount();
        if (n <= 0) break;
        if (bytes.size() + static_cast<std::size_t>(n) > kMaxImageFileBytes) {
            Trace("%s", "Error:file too large\n");
            return false;
        }
        bytes.insert(bytes.end(), chunk, chunk + n);
    }
    return LoadBytes(bytes.data(), bytes.size());
}

bool CDIBitmap::Load(const std::string& name) {
    Clear();
    std::vector<std::uint8_t> bytes;
    if (!ReadFileBytes(name, bytes)) {
        Trace("CDIBitmap::Load(): cannot read %s\n", name.c_str());
        return false;
    }
    return LoadBytes(bytes.data(), bytes.size());
}

bool CDIBitmap::LoadFromMemory(const std::uint8_t* pData, std::size_t nSize) {
    Clear();
    return LoadBytes(pData, pData ? nSize : 0);
}

bool CDIBitmap::LoadBytes(const std::uint8_t* pData, std::size_t nSize) {
    BITMAPFILEHEADER bf;
    BITMAPINFOHEADER bi;
    if (nSize < sizeof bf + sizeof bi) {
        Trace("%s", "Error:Unexpected file type, not a DIB\n");
        return false;
    }
    std::memcpy(&bf, pData, sizeof bf);
    if (bf.bfType != kBmpMagic) {
        Trace("%s", "Error:Unexpected file type, not a DIB\n");
        return false;
    }
    std::memcpy(&bi, pData + sizeof bf, sizeof bi);
    if (bi.biSize != sizeof bi) {
        Trace("%s", "Error:OS2 PM BMP Format not supported\n");
        return false;
    }
    const int nBits = bi.biBitCount;
    const bool bDepthOk = nBits == 1 || nBits == 4 || nBits == 8 || nBits == 16 || nBits == 24 || nBits == 32;
    if (bi.biCompression != BI_RGB || !bDepthOk) {
        Trace("%s", "Error:compressed or unsupported DIB format\n");
        return false;
    }
    if (bi.biWidth <= 0 || bi.biHeight <= 0 || static_cast<std::uint64_t>(bi.biWidth) * bi.biHeight > (1u << 28) ||
        (nBits <= 8 && bi.biClrUsed > (1u << nBits))) {
        Trace("%s", "Error:bad DIB header\n");
        return false;
    }
    // Pixel rows must all be in the file before anything is allocated.
    const std::uint64_t nImage = static_cast<std::uint64_t>(DibRowStride(nBits, bi.biWidth)) * bi.biHeight;
    if (bf.bfOffBits > nSize || nImage > nSize - bf.bfOffBits) {
        Trace("%s", "Error:file too short for its pixel data\n");
        return false;
    }
    m_pInfo.reset(NewZeroed(kInfoBlockSize));
    m_pBits.reset(NewZeroed(static_cast<std::size_t>(nImage)));
    if (!m_pInfo || !m_pBits) {
        Trace("%s", "Error:could not allocate DIB storage\n");
        Clear();
        return false;
    }
    std::memcpy(m_pInfo.get(), &bi, sizeof bi);
    // Up to 1024 bytes of colour table follow the header.
    const std::size_t nAfter = nSize - sizeof bf - sizeof bi;
    const std::size_t nTable = nAfter < 1024 ? nAfter : 1024;
    std::memcpy(m_pInfo.get() + sizeof bi, pData + sizeof bf + sizeof bi, nTable);
    std::memcpy(m_pBits.get(), pData + bf.bfOffBits, static_cast<std::size_t>(nImage));
    m_nBitsSize = static_cast<std::size_t>(nImage);
    m_bPadded = true;
    CreatePalette();
    return true;
}

bool CDIBitmap::Save(const std::string& name) {
    std::ofstream f(name, std::ios::binary | std::ios::trunc);
    if (!f) {
        Trace("CDIBitmap::Save(): Failed to open file %s for writing.\n", name.c_str());
        return false;
    }
    if (!Save(f)) return false;
    f.close();
    return !f.fail();
}

bool CDIBitmap::Save(std::ostream& file) {
    if (!m_pInfo || !m_pBits) return false;
    PadBits();
    if (!m_bPadded) return false;
    const std::size_t nTable = static_cast<std::size_t>(TableEntries()) * sizeof(RGBQUAD);
    const std::size_t nImage = DibRowStride(GetBitCount(), GetWidth()) * static_cast<std::size_t>(GetHeight());
    BITMAPINFOHEADER bi;
    std::memcpy(&bi, m_pInfo.get(), sizeof bi);
    bi.biSizeImage = 0;
    BITMAPFILEHEADER bf{};
    bf.bfType = kBmpMagic;
    bf.bfSize = static_cast<std::uint32_t>(sizeof bf + sizeof bi + nTable + nImage);
    bf.bfOffBits = static_cast<std::uint32_t>(sizeof bf + sizeof bi + nTable);
    file.write(reinterpret_cast<const char*>(&bf), sizeof bf);
    file.write(reinterpret_cast<const char*>(&bi), sizeof bi);
    file.write(reinterpret_cast<const char*>(m_pInfo.get() + sizeof bi), static_cast<std::streamsize>(nTable));
    file.write(reinterpret_cast<const char*>(m_pBits.get()), static_cast<std::streamsize>(nImage));
    return static_cast<bool>(file);
}

CDibView CDIBitmap::View() const {
    CDibView v;
    v.m_nWidth = GetWidth();
    v.m_nHeight = GetHeight();
    v.m_nBitCount = GetBitCount();
    v.m_pColors = GetColorTable();
    v.m_nColors = TableEntries();
    v.m_pBits = m_pBits.get();
    v.m_nRowBytes = RowBytes();
    v.m_nBitsSize = m_nBitsSize;
    return v;
}

void CDIBitmap::Draw(CArgbImage& dc, int x, int y, int nWidth, int nHeight) const {
    if (!m_pInfo || !m_pBits) return;
    const CDibView v = View();
    PaintDibRect(dc, CRect(x, y, x + nWidth, y + nHeight), v, 0, 0, v.m_nWidth, v.m_nHeight);
}

void CDIBitmap::Draw(CArgbImage& dc, const CRect& rcDest, const CRect& rcSrc) const {
    if (!m_pInfo || !m_pBits) return;
    const CDibView v = View();
    const CRect rcTo(rcDest.left, rcDest.top, rcDest.left + rcSrc.Width(), rcDest.top + rcSrc.Height());
    PaintDibRect(dc, rcTo, v, rcSrc.left, v.m_nHeight - rcSrc.top - rcSrc.Height(), rcSrc.Width(), rcSrc.Height());
}

void CDIBitmap::PadBits() {
    if (m_bPadded || !m_pInfo || !m_pBits) return;
    if (RepackRows(true)) m_bPadded = true;
}

void CDIBitmap::UnPadBits() {
    if (!m_bPadded || !m_pInfo || !m_pBits) return;
    if (RepackRows(false)) m_bPadded = false;
}

bool CDIBitmap::RepackRows(bool toPadded) {
    const std::size_t nPacked = DibPackedRowLength(GetBitCount(), GetWidth());
    const std::size_t nStride = DibRowStride(GetBitCount(), GetWidth());
    const std::size_t nFrom = toPadded ? nPacked : nStride;
    const std::size_t nTo = toPadded ? nStride : nPacked;
    const std::size_t h = static_cast<std::size_t>(GetHeight());
    std::unique_ptr<std::uint8_t[]> p(NewZeroed(nTo * h));
    if (!p) {
        if (TraceOn()) std::fprintf(stderr, "CDIBitmap: could not allocate rows of width %d.\n", GetWidth());
        return false;
    }
    for (std::size_t y = 0; y < h; ++y) std::memcpy(p.get() + y * nTo, m_pBits.get() + y * nFrom, nPacked);
    m_pBits = std::move(p);
    m_nBitsSize = nTo * h;
    return true;
}

void CDIBitmap::CreatePalette() {
    m_pPalette.reset();
    if (!m_pInfo || GetBitCount() > 8) return;
    m_pPalette = std::make_unique<CPalette>();
    m_pPalette->AssignColorTable(GetColorTable(), TableEntries());
}
