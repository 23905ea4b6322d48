#include "text/ProgramFile.h"

std::string TooLargeReason()
{
    return "Die Datei ist zu groß (mehr als " + std::to_string(MaxProgramFileSize / 1024) + " KB).";
}

std::string FileFailureText(const std::string& path, bool writing, const std::string& reason)
{
    std::string text = "Datei \"" + path +
                       (writing ? "\" kann nicht geschrieben werden." : "\" kann nicht gelesen werden.");
    if (!reason.empty())
        text += "\n" + reason;
    return text;
}

std::string LineBreakCharacterReason(std::string_view utf8)
{
    // U+2029 is E2 80 A9, U+FDD0 and U+FDD1 are EF B7 90 and EF B7 91.
    static const char* const codes[] = {"\xE2\x80\xA9", "\xEF\xB7\x90", "\xEF\xB7\x91"};
    static const char* const names[] = {"2029", "FDD0", "FDD1"};
    std::size_t first = std::string_view::npos;
    const char* name = nullptr;
    for (int i = 0; i < 3; ++i) {
        const std::size_t at = utf8.find(codes[i]);
        if (at < first) {
            first = at;
            name = names[i];
        }
    }
    if (!name)
        return std::string();
    return std::string("Die Datei enthält ein Zeichen, das der Editor als Zeilenwechsel lesen würde (U+") + name + ").";
}

ReadResult ReadProgramFile(const std::string& path, std::string& text, TextEncoding* encoding)
{
    text.clear();
    std::string bytes;
    const ReadResult read = SafeReadFile(path, MaxProgramFileSize, bytes);
    if (read == ReadResult::Read)
        text = DecodeText(bytes, encoding);
    return read;
}

WriteResult WriteProgramFile(const std::string& path, const std::string& text, TextEncoding* encoding)
{
    TextEncoding used = encoding ? *encoding : TextEncoding::Windows1252;
    const WriteResult written = SafeWriteFile(path, EncodeForSaving(text, used));
    if (written == WriteResult::Written && encoding)
        *encoding = used;
    return written;
}
