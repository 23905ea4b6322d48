#pragma once
// The settings store: strings, integers and booleans by section and key,
// each read with a default. A store is opened by a reader or writer, used
// and released again; nothing keeps one open between handlers.
//
// SettingsStore holds the value encodings; IniFileStore is the one on disk.
// Tests put a store of their own in its place (one whose writes fail).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/IniFile.h"

// The longest string value read; longer ones are cut.
constexpr std::size_t SettingsStringLimit = 2047;

// One key to set, its value as the file's text (see IntegerText, BoolText).
struct SettingsEntry {
    std::string section;
    std::string key;
    std::string value;
};

std::string IntegerText(std::int32_t value);  // decimal
std::string BoolText(bool value);             // "1" or "0"

class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // The text of a key after its "=", if the key is there.
    virtual std::optional<std::string> Value(std::string_view section, std::string_view key) const = 0;
    // Sets the keys, in their order, as one change: true only when all of
    // them have reached the file; false when none has.
    virtual bool WriteAll(const std::vector<SettingsEntry>& entries) = 0;
    // Sets one key on its own.
    bool Write(std::string_view section, std::string_view key, std::string_view value);

    std::string ReadString(std::string_view section, std::string_view key, std::string_view fallback) const;
    // Decimal, "0x"/"$" hexadecimal (see ParseIniInteger); anything else
    // gives the fallback.
    std::int32_t ReadInteger(std::string_view section, std::string_view key, std::int32_t fallback) const;
    // An integer; any value but 0 is true.
    bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;

    bool WriteInteger(std::string_view section, std::string_view key, std::int32_t value);  // decimal
    bool WriteBool(std::string_view section, std::string_view key, bool value);             // "1" or "0"
};

// A settings file is a few hundred bytes; anything beyond this is not one.
constexpr std::size_t SettingsFileLimit = 1024 * 1024;

// The settings file at a path, read once when opened. A missing file (or
// missing folder) reads as empty and is created by the first write, folders
// and all. A file that is there but cannot be taken for a settings file -
// unreadable, a folder or a device, larger than SettingsFileLimit, or
// binary (it holds a NUL byte) - reads as empty too, and every write to it
// fails without touching it: what it holds is not ours to destroy.
//
// Each write goes to the disk at once, through the core's atomic write:
// the keys are set in the text read when the store was opened, and the
// file is replaced whole, once, or not at all (except in a folder the user
// may not write, where the file is written into; see SafeWrite.h). A write
// that would make the file larger than SettingsFileLimit fails and leaves
// it as it was, so that the store can always read back what it has written.
class IniFileStore : public SettingsStore {
public:
    explicit IniFileStore(std::string path);

    std::optional<std::string> Value(std::string_view section, std::string_view key) const override;
    bool WriteAll(const std::vector<SettingsEntry>& entries) override;

    // False when the file is there but is no settings file (see above).
    bool Usable() const { return usable_; }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
    IniFile ini_;
    bool usable_ = true;
};
