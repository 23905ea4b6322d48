#include "settings/IniFile.h"

#include <limits>

#include "text/AsciiNames.h"

namespace {

constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view DefaultLineEnding = "\r\n";  // as the platform's own store writes
constexpr std::size_t NoLine = std::numeric_limits<std::size_t>::max();

enum class LineKind { Other, Comment, Section, Key };

struct ParsedLine {
    LineKind kind = LineKind::Other;
    std::string_view name;   // section or key, without the blanks around it
    std::string_view value;  // of a key, without the blanks around it
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Names and values also lose a CR at their edges: a file converted to CR LF
// twice ends its lines in CR CR LF, and its values are still meant as typed.
bool IsBlankOrCr(char c) { return IsBlank(c) || c == '\r'; }

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && IsBlankOrCr(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlankOrCr(s.back()))
        s.remove_suffix(1);
    return s;
}

// "\r\n", "\n", or nothing for a last line without one. A lone CR is text.
std::string_view EndingOf(std::string_view line)
{
    if (line.size() >= 2 && line.substr(line.size() - 2) == "\r\n")
        return line.substr(line.size() - 2);
    if (!line.empty() && line.back() == '\n')
        return line.substr(line.size() - 1);
    return {};
}

ParsedLine Classify(std::string_view line, bool firstLine)
{
    line.remove_suffix(EndingOf(line).size());
    if (firstLine && line.substr(0, Utf8Bom.size()) == Utf8Bom)
        line.remove_prefix(Utf8Bom.size());
    const std::string_view text = Trim(line);
    ParsedLine parsed;
    if (text.empty())
        return parsed;
    if (text.front() == ';' || text.front() == '#') {
        parsed.kind = LineKind::Comment;
        return parsed;
    }
    if (text.front() == '[') {
        const std::size_t close = text.find(']');
        if (close != std::string_view::npos) {
            parsed.kind = LineKind::Section;
            parsed.name = Trim(text.substr(1, close - 1));
        }
        return parsed;
    }
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos || Trim(text.substr(0, equals)).empty())
        return parsed;
    parsed.kind = LineKind::Key;
    parsed.name = Trim(text.substr(0, equals));
    parsed.value = Trim(text.substr(equals + 1));
    return parsed;
}

// A value in quotes, as a hand-edited file may hold (Fontname="Courier New"),
// is the text between them, as the platform's own store reads it.
std::string_view Unquoted(std::string_view value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

// The text after "=" that reads back as value: a value the reader would
// change, with blanks at its edges or quotes around it, goes in one more
// pair of quotes, which the reader takes off again.
std::string Encoded(std::string_view value)
{
    if (value.empty() || (Unquoted(value) == value && !IsBlank(value.front()) && !IsBlank(value.back())))
        return std::string(value);
    return "\"" + std::string(value) + "\"";
}

bool HasNoLineBreak(std::string_view name) { return name.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos; }

bool NameFitsOnLine(std::string_view name)
{
    return !name.empty() && !IsBlank(name.front()) && !IsBlank(name.back()) && HasNoLineBreak(name);
}

std::optional<std::uint32_t> ParseHex(std::string_view digits)
{
    if (digits.empty())
        return std::nullopt;
    std::uint64_t value = 0;
    for (char c : digits) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return std::nullopt;
        value = value * 16 + static_cast<std::uint64_t>(digit);
        if (value > std::numeric_limits<std::uint32_t>::max())
            return std::nullopt;
    }
    return static_cast<std::uint32_t>(value);
}

std::optional<std::int32_t> ParseDecimal(std::string_view text)
{
    const bool negative = !text.empty() && text.front() == '-';
    if (negative)
        text.remove_prefix(1);
    if (text.empty())
        return std::nullopt;
    const std::int64_t limit = negative ? -std::int64_t(std::numeric_limits<std::int32_t>::min())
                                        : std::int64_t(std::numeric_limits<std::int32_t>::max());
    std::int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > limit)
            return std::nullopt;
    }
    return static_cast<std::int32_t>(negative ? -value : value);
}

}  // namespace

IniFile::IniFile(std::string_view bytes)
{
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        const std::size_t length = end == std::string_view::npos ? bytes.size() : end + 1;
        lines_.emplace_back(bytes.substr(0, length));
        bytes.remove_prefix(length);
    }
}

std::string IniFile::Bytes() const
{
    std::string bytes;
    for (const std::string& line : lines_)
        bytes += line;
    return bytes;
}

std::size_t IniFile::FindKeyLine(std::string_view section, std::string_view key) const
{
    bool inSection = false;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const ParsedLine line = Classify(lines_[i], i == 0);
        if (line.kind == LineKind::Section)
            inSection = EqualIgnoringAsciiCase(line.name, section);
        else if (inSection && line.kind == LineKind::Key && EqualIgnoringAsciiCase(line.name, key))
            return i;
    }
    return NoLine;
}

std::optional<std::string> IniFile::Value(std::string_view section, std::string_view key) const
{
    const std::size_t i = FindKeyLine(section, key);
    if (i == NoLine)
        return std::nullopt;
    return std::string(Unquoted(Classify(lines_[i], i == 0).value));
}

// New lines take the file's own line ending, so a file written on either
// platform keeps one kind.
std::string_view IniFile::LineEnding() const
{
    for (const std::string& line : lines_) {
        const std::string_view ending = EndingOf(line);
        if (!ending.empty())
            return ending;
    }
    return DefaultLineEnding;
}

// A line that gets a line after it needs its own ending: only the last line
// of a file can lack one. A lone CR at its end is part of its text, and a
// bare LF after it would make it a line ending.
void IniFile::Terminate(std::size_t line)
{
    std::string& text = lines_[line];
    if (!EndingOf(text).empty())
        return;
    text += !text.empty() && text.back() == '\r' ? DefaultLineEnding : LineEnding();
}

bool IniFile::Write(std::string_view section, std::string_view key, std::string_view value)
{
    if (!ValidSectionName(section) || !ValidKeyName(key))
        return false;
    value = value.substr(0, value.find_first_of(std::string_view("\r\n\0", 3)));
    const std::string text = std::string(key) + "=" + Encoded(value);

    const std::size_t existing = FindKeyLine(section, key);
    if (existing != NoLine) {
        lines_[existing] = text + std::string(EndingOf(lines_[existing]));
        return true;
    }
    // After the last key of the section's first appearance, before the
    // blank lines and comments that lead to the next one.
    std::size_t after = NoLine;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const ParsedLine line = Classify(lines_[i], i == 0);
        if (line.kind == LineKind::Section) {
            if (after != NoLine)
                break;
            if (EqualIgnoringAsciiCase(line.name, section))
                after = i;
        } else if (after != NoLine && line.kind == LineKind::Key) {
            after = i;
        }
    }
    if (after != NoLine) {
        Terminate(after);
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(after) + 1, text + std::string(LineEnding()));
        return true;
    }
    if (!lines_.empty())
        Terminate(lines_.size() - 1);
    const std::string ending(LineEnding());
    lines_.push_back("[" + std::string(section) + "]" + ending);
    lines_.push_back(text + ending);
    return true;
}

std::optional<std::int32_t> ParseIniInteger(std::string_view text)
{
    std::optional<std::uint32_t> bits;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        bits = ParseHex(text.substr(2));
    else if (!text.empty() && text[0] == '$')
        bits = ParseHex(text.substr(1));
    else
        return ParseDecimal(text);
    if (!bits)
        return std::nullopt;
    return static_cast<std::int32_t>(*bits);  // the 32 bits as they are: 0xFFFFFFFF is -1
}

bool ValidSectionName(std::string_view name)
{
    return NameFitsOnLine(name) && name.find(']') == std::string_view::npos;
}

// A key line must not read as a section, a comment or another key.
bool ValidKeyName(std::string_view name)
{
    return NameFitsOnLine(name) && name.find('=') == std::string_view::npos && name.front() != '[' &&
           name.front() != ';' && name.front() != '#';
}
