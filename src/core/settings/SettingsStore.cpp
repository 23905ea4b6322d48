#include "settings/SettingsStore.h"

#include <cerrno>
#include <filesystem>
#include <utility>

#include <sys/stat.h>

#include "files/SafeRead.h"
#include "files/SafeWrite.h"

namespace {

bool IsFolder(const std::filesystem::path& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The user's configuration folder may not exist before the first save.
// Private to the user, as such folders are made.
bool MakeFolders(const std::filesystem::path& folder)
{
    if (folder.empty() || IsFolder(folder))
        return true;
    const std::filesystem::path parent = folder.parent_path();
    if (parent != folder && !MakeFolders(parent))
        return false;
    return ::mkdir(folder.c_str(), 0700) == 0 || (errno == EEXIST && IsFolder(folder));
}

// Text with a NUL byte is no INI file: a file saved as UTF-16, or anything
// else that happens to carry the name.
bool LooksLikeText(const std::string& bytes) { return bytes.find('\0') == std::string::npos; }

}  // namespace

std::string SettingsStore::ReadString(std::string_view section, std::string_view key, std::string_view fallback) const
{
    std::optional<std::string> value = Value(section, key);
    if (!value)
        return std::string(fallback);
    if (value->size() > SettingsStringLimit)
        value->resize(SettingsStringLimit);
    return *value;
}

std::int32_t SettingsStore::ReadInteger(std::string_view section, std::string_view key, std::int32_t fallback) const
{
    const std::optional<std::string> value = Value(section, key);
    return value ? ParseIniInteger(*value).value_or(fallback) : fallback;
}

bool SettingsStore::ReadBool(std::string_view section, std::string_view key, bool fallback) const
{
    return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

std::string IntegerText(std::int32_t value) { return std::to_string(value); }

std::string BoolText(bool value) { return value ? "1" : "0"; }

bool SettingsStore::Write(std::string_view section, std::string_view key, std::string_view value)
{
    return WriteAll({{std::string(section), std::string(key), std::string(value)}});
}

bool SettingsStore::WriteInteger(std::string_view section, std::string_view key, std::int32_t value)
{
    return Write(section, key, IntegerText(value));
}

bool SettingsStore::WriteBool(std::string_view section, std::string_view key, bool value)
{
    return Write(section, key, BoolText(value));
}

IniFileStore::IniFileStore(std::string path) : path_(std::move(path))
{
    std::string bytes;
    switch (SafeReadFile(path_, SettingsFileLimit, bytes)) {
    case ReadResult::Read:
        usable_ = LooksLikeText(bytes);
        if (usable_)
            ini_ = IniFile(bytes);
        break;
    case ReadResult::NotFound:
        break;
    default:
        usable_ = false;
        break;
    }
}

std::optional<std::string> IniFileStore::Value(std::string_view section, std::string_view key) const
{
    return ini_.Value(section, key);
}

bool IniFileStore::WriteAll(const std::vector<SettingsEntry>& entries)
{
    if (!usable_)
        return false;
    IniFile changed = ini_;
    for (const SettingsEntry& entry : entries)
        if (!changed.Write(entry.section, entry.key, entry.value))
            return false;
    // A file the next start would refuse to read would lose every setting.
    const std::string bytes = changed.Bytes();
    if (bytes.size() > SettingsFileLimit || !MakeFolders(std::filesystem::path(path_).parent_path()) ||
        SafeWriteFile(path_, bytes) != WriteResult::Written)
        return false;
    ini_ = std::move(changed);
    return true;
}
