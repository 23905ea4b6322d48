#include "SourceText.h"

#include "text/TextCodec.h"

std::string ToWindows1252(const std::string& bytes)
{
    if (!IsUtf8Text(bytes))
        return bytes;
    std::string_view text(bytes);
    if (StartsWithUtf8ByteOrderMark(text))
        text.remove_prefix(Utf8ByteOrderMark.size());
    return Utf8ToWindows1252(text);
}
