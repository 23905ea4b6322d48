#include "text/AsciiNames.h"

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::string LowerAscii(std::string s)
{
    for (char& c : s)
        c = LowerAscii(c);
    return s;
}

std::string UpperAscii(std::string s)
{
    for (char& c : s)
        c = UpperAscii(c);
    return s;
}

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i]))
            return false;
    return true;
}

std::string PageNameOf(std::string name)
{
    name = LowerAscii(std::move(name));
    if (!name.empty())
        name[0] = UpperAscii(name[0]);
    return name;
}

std::string FindFileIgnoringCase(const std::filesystem::path& dir, const std::string& fileName)
{
    namespace fs = std::filesystem;
    std::string found;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string candidate = it->path().filename().string();
        std::error_code fileEc;
        if (EqualIgnoringAsciiCase(candidate, fileName) && it->is_regular_file(fileEc))
            if (found.empty() || candidate < found)
                found = candidate;
    }
    return found;
}
