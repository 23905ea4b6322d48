#include "text/ScanBuffer.h"

#include <string>

#include "text/TextCodec.h"

namespace {

std::bitset<256> MakeNonWordChars()
{
    std::bitset<256> set;
    set.set();
    for (int c = '0'; c <= '9'; ++c)
        set.reset(c);
    for (int c = 'A'; c <= 'Z'; ++c)
        set.reset(c);
    for (int c = 'a'; c <= 'z'; ++c)
        set.reset(c);
    return set;
}

// The code page's own upper case: a-z, the accented small letters from 0xE0
// (but the division sign 0xF7), and the four small letters of the 0x80 row.
unsigned char UpperWindows1252(unsigned char b)
{
    if (b >= 'a' && b <= 'z')
        return static_cast<unsigned char>(b - 0x20);
    if (b >= 0xE0 && b <= 0xFE && b != 0xF7)
        return static_cast<unsigned char>(b - 0x20);
    switch (b) {
    case 0x9A: return 0x8A;  // š
    case 0x9C: return 0x8C;  // œ
    case 0x9E: return 0x8E;  // ž
    case 0xFF: return 0x9F;  // ÿ
    default: return b;
    }
}

// One scan: the position moves by step while count, the moves left, lasts.
class Scan {
public:
    Scan(std::u16string_view buffer, std::u16string wanted, const SearchOptions& options,
         long long start, long long count)
        : buffer_(buffer), wanted_(std::move(wanted)), caseMap_(options.MatchCase),
          options_(options), step_(options.Down ? 1 : -1), pos_(start),
          count_(count)
    {
    }

    std::optional<int> Run()
    {
        for (; count_ >= 0; pos_ += step_, --count_) {
            if (options_.WholeWord) {
                const long long from = pos_;
                SkipToWordStart();
                // Upwards the skip steps forward only from the separator it
                // stopped on onto the word after it. Past where it began, it
                // stood on a separator at the start of the text: no word
                // starts before, and going on would visit that word forever.
                if (!options_.Down && pos_ > from)
                    return std::nullopt;
            }
            if (HitAt(pos_))
                return static_cast<int>(pos_);
        }
        return std::nullopt;
    }

private:
    // Outside the text reads as the zero that ends a copied buffer: a
    // separator that no search character equals.
    char16_t At(long long p) const
    {
        return p >= 0 && p < static_cast<long long>(buffer_.size()) ? buffer_[p] : u'\0';
    }

    bool HitAt(long long p) const
    {
        const long long length = static_cast<long long>(wanted_.size());
        for (long long i = 0; i < length; ++i) {
            const char16_t c = At(p + i);
            if (c == u'\0' || caseMap_.Map(c) != wanted_[i])
                return false;
        }
        // A whole word stands between separators. Where the moves run out
        // the scan may stop inside a word, so both sides are looked at.
        return !options_.WholeWord || (IsNonWordChar(At(p - 1)) && IsNonWordChar(At(p + length)));
    }

    bool WordChar() const { return !IsNonWordChar(At(pos_)); }

    void Move()
    {
        pos_ += step_;
        --count_;
    }

    // Onto the first character of the next word (down) or of the word
    // before (up). Downwards the word the position stands in is passed over,
    // also when it begins right there.
    void SkipToWordStart()
    {
        if (options_.Down) {
            while (count_ > 0 && WordChar())
                Move();
            while (count_ > 0 && !WordChar())
                Move();
            return;
        }
        while (count_ > 0 && !WordChar())
            Move();
        while (count_ > 0 && WordChar())
            Move();
        if (!WordChar()) {
            ++pos_;
            ++count_;
        }
    }

    std::u16string_view buffer_;
    std::u16string wanted_;
    CaseMap caseMap_;
    SearchOptions options_;
    int step_;
    long long pos_;
    long long count_;
};

}  // namespace

const std::bitset<256> NonWordChars = MakeNonWordChars();

bool IsNonWordChar(char16_t c) { return c > 0xFF || NonWordChars[c]; }

CaseMap::CaseMap(bool matchCase)
{
    for (int c = 0; c < 256; ++c)
        map_[c] = matchCase ? static_cast<unsigned char>(c) : UpperWindows1252(static_cast<unsigned char>(c));
}

char16_t CaseMap::Map(char16_t c) const
{
    if (c < 0x80)
        return map_[c];
    if (!CodePointFitsWindows1252(c))
        return c;
    return static_cast<char16_t>(CodePointOfWindows1252(map_[Windows1252OfCodePoint(c)]));
}

std::optional<int> ScanBuffer(std::u16string_view buffer, int selStart, int selLength,
                              std::u16string_view text, const SearchOptions& options)
{
    const long long length = static_cast<long long>(buffer.size());
    const long long wantedLength = static_cast<long long>(text.size());
    if (length <= 0 || wantedLength == 0)
        return std::nullopt;
    long long start, count;
    if (options.Down) {
        start = static_cast<long long>(selStart) + selLength;  // just after the selection
        count = length - start - wantedLength;
        if (count < 0)
            return std::nullopt;
    } else {
        start = static_cast<long long>(selStart) - wantedLength;  // a hit ends at the selection
        count = start;
    }
    if (start < 0 || start > length)
        return std::nullopt;

    const CaseMap caseMap(options.MatchCase);
    std::u16string wanted(text);
    for (char16_t& c : wanted)
        c = caseMap.Map(c);
    return Scan(buffer, std::move(wanted), options, start, count).Run();
}
