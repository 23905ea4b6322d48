#include "SourceText.h"

#include <cstdio>
#include <sys/stat.h>

#include "text/TextCodec.h"

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

std::string ToWindows1252(const std::string& bytes)
{
    if (!IsUtf8Text(bytes))
        return bytes;
    std::string_view text(bytes);
    if (StartsWithUtf8ByteOrderMark(text))
        text.remove_prefix(Utf8ByteOrderMark.size());
    return Utf8ToWindows1252(text);
}
