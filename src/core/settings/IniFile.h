#pragma once
// An INI document held as the bytes of its file. Sections and keys are found
// without regard to case (ASCII letters); writing a key changes its one line,
// or adds one, and leaves every other byte of the file as it was, whatever it
// holds: comments, foreign sections, blank lines and lines that are no INI at
// all. A file edited by hand, or shared with another program, stays the
// user's.
//
// Reading follows the usual platform store: lines before the first section
// belong to none; a section named twice counts as one, in file order; the
// first line of a key wins; the value is the text after the first "=",
// without the blanks around it and without a pair of quotes (" or ') around
// it. Lines starting with ";" or "#" are comments.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class IniFile {
public:
    IniFile() = default;
    explicit IniFile(std::string_view bytes);

    // The file as it is now, to be written back.
    std::string Bytes() const;

    // The raw value of a key, if the key is there.
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;

    // Sets a key. A value is cut at its first line break or NUL, which the
    // file could not hold on one line; what is left reads back as it is (a
    // value with blanks at its edges or quotes around it is written in
    // quotes). False, and nothing changed, for a
    // section or key name that a file line could not give back (see
    // ValidSectionName, ValidKeyName).
    bool Write(std::string_view section, std::string_view key, std::string_view value);

private:
    std::vector<std::string> lines_;  // each with its own line ending, if it has one
    std::size_t FindKeyLine(std::string_view section, std::string_view key) const;
    std::string_view LineEnding() const;
    void Terminate(std::size_t line);
};

// An integer value as the store reads it: decimal with an optional minus
// sign; "0x"/"0X" followed by hexadecimal digits, or "$" followed by them,
// as the 32 bits they give (0xFFFFFFFF is -1). Nothing else is a number,
// nor is a value outside 32 bits.
std::optional<std::int32_t> ParseIniInteger(std::string_view text);

bool ValidSectionName(std::string_view name);
bool ValidKeyName(std::string_view name);
