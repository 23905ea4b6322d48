// Fuzzing the program-file reader: any bytes, read as a program file the way
// the editor and zelk-run read it (UTF-8 or Windows-1252, any line breaks),
// give valid UTF-8 text without a carriage return that saves and reads back
// unchanged, and its lines, as the scanner sees them, scan to their end or
// to their first error (where the translator stops reading: a character no
// token may start with is left where it stands).
//
//   cmake --build build-fuzz --target programfile_fuzz
//   build-fuzz/programfile_fuzz -max_len=4096
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "language/ZelkKey.h"
#include "language/ZelkVocabulary.h"
#include "language/ZelkScanner.h"
#include "ports/SourcePages.h"
#include "text/TextCodec.h"

namespace {

void Check(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "programfile_fuzz: %s\n", what);
        std::abort();
    }
}

// One page holding the file, as the editor's page would.
class EineSeite : public SourcePages {
public:
    std::vector<std::string> lines;
    int PageCount() const override { return 1; }
    int SelectedPage() const override { return 0; }
    void SelectPage(int) override {}
    std::string PageName(int) const override { return "Fuzz"; }
    std::string CurrentPageName() const override { return "Fuzz"; }
    int IndexOfPage(const std::string&) const override { return -1; }
    bool AddPage(const std::string&, const std::string&) override { return false; }
    int LineCount() const override { return int(lines.size()); }
    std::string Line(int index) const override { return lines.at(std::size_t(index)); }
    void HighlightLine(int line) override { Check(line >= 0 && line < LineCount(), "selected line outside the page"); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    TextEncoding encoding = TextEncoding::Windows1252;
    const std::string text = DecodeText(bytes, &encoding);
    Check(IsValidUtf8(text), "decoded text is no valid UTF-8");
    Check(text.find('\r') == std::string::npos, "a carriage return survived the decoding");

    // Saved and read again, the text is the same: no character is lost.
    TextEncoding saved = encoding;
    Check(DecodeText(EncodeForSaving(text, saved)) == text, "a save and a read changed the text");

    EineSeite page;
    page.lines = SplitLines(Utf8ToWindows1252(text));
    setSourcePages(&page);
    KeyTable.EnsureCurrent();
    {
        TScanner scanner(page);
        // Every token takes at least one byte or ends a line; more tokens
        // than that means the scanner stands still.
        const std::size_t limit = bytes.size() + page.lines.size() + 2;
        std::size_t n = 0;
        do {
            scanner.NextToken();
            Check(CurrentToken >= 1 && CurrentToken <= MaxTokenKind, "token kind out of range");
            Check(++n <= limit, "the scanner does not reach the end of the text");
        } while (CurrentToken != END_OF_TEXT && CurrentToken != ERROR);
    }
    setSourcePages(nullptr);
    return 0;
}
