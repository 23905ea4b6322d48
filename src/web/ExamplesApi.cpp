// The examples the page brings along are stored in the working folder as
// any file the learner opens, and their program is read from there as the
// desktop opens a program file: the same decoding (UTF-8 or Windows-1252,
// as the bytes fit) and the same page name.
#include <string>

#include "Session.h"
#include "text/AsciiNames.h"
#include "text/ProgramFile.h"

// {"page": the page's name, "text": the program in UTF-8} for a program
// file of the working folder; {} when it cannot be read. The text stays
// valid until the next call.
ZELK_API const char* zelk_example_program(const char* fileName)
{
    static std::string json;
    const std::string name = fileName;
    std::string text;
    if (ReadProgramFile(name, text) != ReadResult::Read) {
        json = "{}";
        return json.c_str();
    }
    const std::string base = name.substr(0, name.rfind('.'));
    json = "{\"page\":" + JsonQuoted(PageNameOf(base)) + ",\"text\":" + JsonQuoted(text) + "}";
    return json.c_str();
}
