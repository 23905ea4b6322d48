// Fuzzing the settings store: any bytes are a settings file; a key is
// written into it and read back. The input is three lines, section, key and
// value, followed by the file. The file must come out byte for byte as it
// went in, except for the one line of the key (replaced, or added with its
// section, the line before it gaining a line break when it had none), every
// other key must read as before, and the written value must read back
// exactly.
// The options are then loaded from the file and must lie in their ranges.
//
//   cmake --build build-fuzz --target ini_fuzz
//   mkdir -p /tmp/ini-corpus && build-fuzz/ini_fuzz /tmp/ini-corpus fuzz/corpus/ini -max_len=1024 -runs=10000000
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/IniFile.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsStore.h"
#include "settings/ZelkSettings.h"
#include "text/AsciiNames.h"

namespace {

void Check(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "ini_fuzz: %s\n", what);
        std::abort();
    }
}

std::string_view TakeLine(std::string_view& rest)
{
    const std::size_t end = rest.find('\n');
    const std::string_view line = rest.substr(0, end);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    return line;
}

// Lines with their endings, as the store keeps them.
std::vector<std::string> RawLines(std::string_view bytes)
{
    std::vector<std::string> lines;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        const std::size_t length = end == std::string_view::npos ? bytes.size() : end + 1;
        lines.emplace_back(bytes.substr(0, length));
        bytes.remove_prefix(length);
    }
    return lines;
}

bool Terminated(const std::string& line) { return !line.empty() && line.back() == '\n'; }

// The ending new lines get: the file's first one, CRLF in a file without any.
std::string EndingFor(const std::vector<std::string>& lines)
{
    for (const std::string& line : lines)
        if (Terminated(line))
            return line.size() >= 2 && line[line.size() - 2] == '\r' ? "\r\n" : "\n";
    return "\r\n";
}

std::string EndingOf(const std::string& line)
{
    if (!Terminated(line))
        return "";
    return line.size() >= 2 && line[line.size() - 2] == '\r' ? "\r\n" : "\n";
}

// The lines that differ between old and new, after the longest equal
// beginning and end.
void Difference(const std::vector<std::string>& old, const std::vector<std::string>& now,
                std::vector<std::string>& gone, std::vector<std::string>& added)
{
    std::size_t front = 0;
    while (front < old.size() && front < now.size() && old[front] == now[front])
        ++front;
    std::size_t back = 0;
    while (back < old.size() - front && back < now.size() - front &&
           old[old.size() - 1 - back] == now[now.size() - 1 - back])
        ++back;
    gone.assign(old.begin() + std::ptrdiff_t(front), old.end() - std::ptrdiff_t(back));
    added.assign(now.begin() + std::ptrdiff_t(front), now.end() - std::ptrdiff_t(back));
}

// The change a write may make, and no other.
bool OnlyTheKeyChanged(const std::vector<std::string>& old, const std::vector<std::string>& now,
                       const std::string& section, const std::string& keyLine)
{
    std::vector<std::string> gone, added;
    Difference(old, now, gone, added);
    const std::string e = EndingFor(old);
    const std::string header = "[" + section + "]" + e;
    if (gone.empty())  // the same line again, or one added
        return added.empty() || added == std::vector<std::string>{keyLine + e} ||
               added == std::vector<std::string>{header, keyLine + e};
    if (gone.size() != 1)
        return false;
    const std::string& line = gone[0];
    if (added == std::vector<std::string>{keyLine + EndingOf(line)})
        return true;
    // Added after a last line that had no line break; a CR that ends it
    // stays text, so a line break after it must be CRLF.
    const std::string ended = line + (!line.empty() && line.back() == '\r' ? "\r\n" : e);
    return !Terminated(line) && (added == std::vector<std::string>{ended, keyLine + e} ||
                                 added == std::vector<std::string>{ended, header, keyLine + e});
}

// A store over the document alone, to load the options from.
class DocumentStore : public SettingsStore {
public:
    explicit DocumentStore(const IniFile& ini) : ini_(ini) {}
    std::optional<std::string> Value(std::string_view section, std::string_view key) const override
    {
        return ini_.Value(section, key);
    }
    bool WriteAll(const std::vector<SettingsEntry>&) override { return false; }

private:
    const IniFile& ini_;
};

// Keys looked at before and after a write: the program's own and a foreign one.
const char* const ProbeSections[] = {"Optionen", "Fenster"};
const char* const ProbeKeys[] = {"Netzwerk", "Tabset", "Fontname", "left", "x"};

bool SameName(std::string_view a, std::string_view b) { return EqualIgnoringAsciiCase(a, b); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    const std::string section(TakeLine(rest));
    const std::string key(TakeLine(rest));
    const std::string value(TakeLine(rest));
    const std::string file(rest);

    IniFile ini(file);
    Check(ini.Bytes() == file, "reading changed the bytes");
    std::vector<std::optional<std::string>> before;
    for (const char* s : ProbeSections)
        for (const char* k : ProbeKeys)
            before.push_back(ini.Value(s, k));

    const bool valid = ValidSectionName(section) && ValidKeyName(key);
    const bool written = ini.Write(section, key, value);
    Check(written == valid, "a name was refused or taken against the rules");
    if (!written) {
        Check(ini.Bytes() == file, "a refused write changed the file");
        return 0;
    }

    const std::string kept(value.substr(0, value.find_first_of(std::string_view("\r\n\0", 3))));
    const std::optional<std::string> readBack = ini.Value(section, key);
    Check(readBack && *readBack == kept, "the written value does not read back");
    const std::string bytes = ini.Bytes();
    // The value as it is, or in quotes where the reader would change it.
    Check(OnlyTheKeyChanged(RawLines(file), RawLines(bytes), section, key + "=" + kept) ||
              OnlyTheKeyChanged(RawLines(file), RawLines(bytes), section, key + "=\"" + kept + "\""),
          "a line besides the key's changed");

    std::size_t probe = 0;
    for (const char* s : ProbeSections)
        for (const char* k : ProbeKeys) {
            if (!(SameName(s, section) && SameName(k, key)))
                Check(ini.Value(s, k) == before[probe], "another key reads differently");
            ++probe;
        }

    Check(ini.Write(section, key, value) && ini.Bytes() == bytes, "writing the same twice changed the file");
    Check(IniFile(bytes).Bytes() == bytes, "reading the written file changed it");

    // What start-up makes of it.
    LoadOptionen(DocumentStore(ini));
    Check(Fontcharset >= 0 && Fontcharset <= 255, "Fontcharset out of range");
    Check(Fontname.size() <= SettingsStringLimit, "Fontname too long");

    // Integers written come back as themselves.
    std::int32_t number = 0;
    for (char c : value)
        number = static_cast<std::int32_t>(static_cast<std::uint32_t>(number) * 31u + static_cast<unsigned char>(c));
    Check(ParseIniInteger(std::to_string(number)) == number, "an integer does not read back");
    (void)ParseIniInteger(value);
    return 0;
}
