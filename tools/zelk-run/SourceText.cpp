#include "SourceText.h"

#include <cstdio>
#include <cstring>
#include <sys/stat.h>

bool ReadWholeFile(const std::string& path, std::string& bytes)
{
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
    bytes.clear();
    bytes.reserve(static_cast<size_t>(info.st_size));
    // Read in large blocks until the end: the size from stat is only a hint
    // (the file may change while we read it).
    char buffer[1 << 16];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        bytes.append(buffer, n);
    bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}

namespace {

// Length of the UTF-8 sequence starting at s[i] and its code point; 0 when
// the sequence is malformed.
size_t DecodeUtf8(const std::string& s, size_t i, char32_t& cp)
{
    auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
    unsigned char b0 = byte(i);
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    }
    size_t len;
    char32_t min;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        len = 2, cp = b0 & 0x1F, min = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        len = 3, cp = b0 & 0x0F, min = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        len = 4, cp = b0 & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (i + len > s.size())
        return 0;
    for (size_t k = 1; k < len; ++k) {
        unsigned char b = byte(i + k);
        if ((b & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return len;
}

// Code points of the bytes 0x80..0x9F in Windows-1252. The five unused bytes
// stand for the control characters of the same number, so that reading and
// writing them again loses nothing.
const char16_t HighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

unsigned char EncodeWindows1252(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<unsigned char>(cp);
    for (int k = 0; k < 32; ++k)
        if (HighControls[k] == cp)
            return static_cast<unsigned char>(0x80 + k);
    return UnrepresentableByte;
}

bool HasNonAscii(const std::string& bytes)
{
    for (unsigned char c : bytes)
        if (c >= 0x80)
            return true;
    return false;
}

}  // namespace

bool IsValidUtf8(const std::string& bytes)
{
    char32_t cp;
    for (size_t i = 0; i < bytes.size();) {
        size_t len = DecodeUtf8(bytes, i, cp);
        if (len == 0)
            return false;
        i += len;
    }
    return true;
}

std::string ToWindows1252(const std::string& bytes)
{
    if (!HasNonAscii(bytes) || !IsValidUtf8(bytes))
        return bytes;
    std::string out;
    out.reserve(bytes.size());
    size_t i = 0;
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
        i = 3;
    char32_t cp;
    while (i < bytes.size()) {
        i += DecodeUtf8(bytes, i, cp);
        out += static_cast<char>(EncodeWindows1252(cp));
    }
    return out;
}

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    const char* p = text.data();
    const char* end = p + text.size();
    while (true) {
        const char* nl = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)));
        if (!nl) {
            lines.emplace_back(p, end);
            return lines;
        }
        const char* stop = (nl > p && nl[-1] == '\r') ? nl - 1 : nl;
        lines.emplace_back(p, stop);
        p = nl + 1;
    }
}
