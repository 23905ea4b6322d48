#include "text/ProgramFile.h"

std::string TooLargeReason()
{
    return "Die Datei ist zu groß (mehr als " + std::to_string(MaxProgramFileSize / 1024) + " KB).";
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
