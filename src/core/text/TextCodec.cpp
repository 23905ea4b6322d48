#include "text/TextCodec.h"

#include <cstring>

namespace {

// Code points of the bytes 0x80..0x9F in Windows-1252. The unassigned 0x81,
// 0x8D, 0x8F, 0x90 and 0x9D stand for the control characters of the same
// number, so that reading and writing them again loses nothing.
constexpr char16_t HighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// The Windows-1252 byte of a character, or -1 when there is none.
int ByteOf(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<int>(cp);
    for (int k = 0; k < 32; ++k)
        if (HighControls[k] == cp)
            return 0x80 + k;
    return -1;
}

// Length of the UTF-8 sequence starting at s[i] and its code point; 0 when
// the sequence is malformed.
std::size_t DecodeUtf8(std::string_view s, std::size_t i, char32_t& cp)
{
    auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char b0 = byte(i);
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    }
    std::size_t len;
    char32_t min;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        len = 2, cp = b0 & 0x1F, min = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        len = 3, cp = b0 & 0x0F, min = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        len = 4, cp = b0 & 0x07, min = 0x10000;
    } else {
        return 0;  // a continuation byte, C0/C1 or F5..FF as a lead byte
    }
    if (i + len > s.size())
        return 0;  // the sequence runs past the end
    for (std::size_t k = 1; k < len; ++k) {
        const unsigned char b = byte(i + k);
        if ((b & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return len;
}

// CRLF and a lone CR become LF. Byte by byte: in UTF-8 as in Windows-1252
// neither byte is ever part of another character.
std::string NormaliseBreaks(std::string text)
{
    if (text.find('\r') == std::string::npos)
        return text;
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r') {
            out += text[i];
            continue;
        }
        out += '\n';
        if (i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
    }
    return out;
}

bool HasNonAscii(std::string_view bytes)
{
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return true;
    return false;
}

}  // namespace

char32_t CodePointOfWindows1252(unsigned char byte)
{
    return byte >= 0x80 && byte < 0xA0 ? HighControls[byte - 0x80] : char32_t(byte);
}

bool CodePointFitsWindows1252(char32_t cp) { return ByteOf(cp) >= 0; }

unsigned char Windows1252OfCodePoint(char32_t cp)
{
    const int b = ByteOf(cp);
    return b < 0 ? UnrepresentableByte : static_cast<unsigned char>(b);
}

bool IsValidUtf8(std::string_view bytes)
{
    char32_t cp;
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t len = DecodeUtf8(bytes, i, cp);
        if (len == 0)
            return false;
        i += len;
    }
    return true;
}

bool IsUtf8Text(std::string_view bytes) { return HasNonAscii(bytes) && IsValidUtf8(bytes); }

bool StartsWithUtf8ByteOrderMark(std::string_view bytes)
{
    return bytes.substr(0, Utf8ByteOrderMark.size()) == Utf8ByteOrderMark;
}

std::string Utf8ToWindows1252(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    char32_t cp;
    for (std::size_t i = 0; i < utf8.size();) {
        if (static_cast<unsigned char>(utf8[i]) < 0x80) {
            out += utf8[i++];
            continue;
        }
        const std::size_t len = DecodeUtf8(utf8, i, cp);
        out += static_cast<char>(len == 0 ? UnrepresentableByte : Windows1252OfCodePoint(cp));
        i += len == 0 ? 1 : len;
    }
    return out;
}

TextEncoding DetectEncoding(std::string_view bytes)
{
    if (!IsUtf8Text(bytes))
        return TextEncoding::Windows1252;
    return StartsWithUtf8ByteOrderMark(bytes) ? TextEncoding::Utf8Bom : TextEncoding::Utf8;
}

std::string Windows1252ToUtf8(std::string_view bytes)
{
    // At most three bytes a character; written through a pointer, as a file
    // of a megabyte goes through here on every load.
    std::string out(bytes.size() * 3, '\0');
    char* dst = out.data();
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            *dst++ = c;
            continue;
        }
        const char32_t cp = CodePointOfWindows1252(b);
        if (cp < 0x800) {
            *dst++ = static_cast<char>(0xC0 | (cp >> 6));
        } else {
            *dst++ = static_cast<char>(0xE0 | (cp >> 12));
            *dst++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        }
        *dst++ = static_cast<char>(0x80 | (cp & 0x3F));
    }
    out.resize(static_cast<std::size_t>(dst - out.data()));
    return out;
}

bool FitsWindows1252(std::string_view utf8)
{
    char32_t cp;
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t len = DecodeUtf8(utf8, i, cp);
        if (len == 0 || !CodePointFitsWindows1252(cp))
            return false;
        i += len;
    }
    return true;
}

std::string DecodeText(std::string_view bytes, TextEncoding* encoding)
{
    const TextEncoding found = DetectEncoding(bytes);
    if (encoding)
        *encoding = found;
    switch (found) {
    case TextEncoding::Utf8Bom:
        return NormaliseBreaks(std::string(bytes.substr(Utf8ByteOrderMark.size())));
    case TextEncoding::Utf8:
        return NormaliseBreaks(std::string(bytes));
    case TextEncoding::Windows1252:
        break;
    }
    return NormaliseBreaks(Windows1252ToUtf8(bytes));
}

std::string EncodeForSaving(std::string_view utf8, TextEncoding& encoding)
{
    if (encoding == TextEncoding::Windows1252 && FitsWindows1252(utf8)) {
        std::string bytes = EncodeText(utf8, TextEncoding::Windows1252);
        // Windows-1252 bytes that happen to form valid UTF-8 ("Ã¤") would be
        // read back as other characters ("ä"); as UTF-8 they read back exactly.
        if (!IsUtf8Text(bytes))
            return bytes;
    }
    if (encoding == TextEncoding::Windows1252)
        encoding = TextEncoding::Utf8;
    return EncodeText(utf8, encoding);
}

std::string EncodeText(std::string_view utf8, TextEncoding encoding)
{
    std::string crlf;
    crlf.reserve(utf8.size() + utf8.size() / 16 + Utf8ByteOrderMark.size());
    if (encoding == TextEncoding::Utf8Bom)
        crlf += Utf8ByteOrderMark;
    for (char c : utf8) {
        if (c == '\n')
            crlf += '\r';
        crlf += c;
    }
    return encoding == TextEncoding::Windows1252 ? Utf8ToWindows1252(crlf) : crlf;
}

std::vector<std::string> SplitLines(std::string_view text)
{
    std::vector<std::string> lines;
    const char* p = text.data();
    const char* end = p + text.size();
    while (true) {
        // The next CR or LF; memchr keeps long lines fast.
        const auto rest = static_cast<std::size_t>(end - p);
        const char* lf = static_cast<const char*>(std::memchr(p, '\n', rest));
        const char* cr = static_cast<const char*>(std::memchr(p, '\r', lf ? static_cast<std::size_t>(lf - p) : rest));
        const char* stop = cr ? cr : lf;
        if (!stop) {
            lines.emplace_back(p, end);
            return lines;
        }
        lines.emplace_back(p, stop);
        // CR LF is one break; a lone CR (old Mac files) is a break of its own.
        p = (cr && cr + 1 < end && cr[1] == '\n') ? cr + 2 : stop + 1;
    }
}
