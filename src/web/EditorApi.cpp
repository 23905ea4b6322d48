// What the page's editor asks of the core: the colours of a line by the
// scanner's own rules, the Underscore spelling, and the breakpoints, pages
// and marks as a run sees them. The editor knows no word of the language.
#include <string>
#include <string_view>
#include <vector>

#include "Session.h"
#include "execution/ZelkCode.h"
#include "language/ZelkKey.h"
#include "language/ZelkLexer.h"
#include "settings/ZelkSettings.h"

namespace {

// The line in UTF-16, as the page's editor counts its columns. Bytes that
// begin no well-formed sequence stand for themselves: the rules look at
// ASCII alone, so any unit above 127 reads alike.
std::u16string Utf16(std::string_view utf8)
{
    std::u16string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        const int length = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        if (length == 1 || i + length > utf8.size()) {
            out += static_cast<char16_t>(c);
            ++i;
            continue;
        }
        char32_t cp = c & (0x7F >> length);
        for (int k = 1; k < length; ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        if (cp >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
        i += length;
    }
    return out;
}

const char* KindName(TLexKind kind)
{
    switch (kind) {
    case TLexKind::Keyword: return "keyword";
    case TLexKind::RobotWord: return "robot";
    case TLexKind::Number: return "number";
    case TLexKind::Comment: return "comment";
    default: return "identifier";
    }
}

// "3,7,12" -> {3, 7, 12}
std::vector<int> Lines(const char* text)
{
    std::vector<int> lines;
    std::string number;
    for (const char* p = text;; ++p) {
        if (*p >= '0' && *p <= '9') {
            number += *p;
            continue;
        }
        if (!number.empty())
            lines.push_back(std::stoi(number));
        number.clear();
        if (!*p)
            return lines;
    }
}

std::string IntList(const std::vector<int>& values)
{
    std::string out = "[";
    for (std::size_t i = 0; i < values.size(); ++i)
        out += (i ? "," : "") + std::to_string(values[i]);
    return out + "]";
}

// The run's breakpoints of a page: on the lines of its translated text.
std::vector<int> BreakpointLines(int page)
{
    Session& s = S();
    std::vector<int> lines;
    const int count = static_cast<int>(s.pages.pages[page].lines.size());
    for (int line = 0; line < count; ++line)
        if (s.run.Breakpoints().Has(page, line))
            lines.push_back(line);
    return lines;
}

}  // namespace

// The coloured parts of one line and the comment state after it: before
// and the result are 0 outside a comment, 1 inside "{", 2 inside "(*".
// JSON: {"after":n,"spans":[[start,length,"kind"],...]} in UTF-16 columns;
// plain identifiers are left out.
ZELK_API const char* zelk_lex_line(const char* line, int before)
{
    static std::string json;
    static std::vector<TLexSpan> spans;
    const std::u16string text = Utf16(line);
    const TCommentState after = LexLine(std::u16string_view(text), static_cast<TCommentState>(before), &spans);
    json = "{\"after\":" + std::to_string(static_cast<int>(after)) + ",\"spans\":[";
    bool first = true;
    for (const TLexSpan& span : spans) {
        if (span.Kind == TLexKind::Identifier)
            continue;
        json += first ? "[" : ",[";
        json += std::to_string(span.Start) + "," + std::to_string(span.Length) + ",\"" + KindName(span.Kind) + "\"]";
        first = false;
    }
    json += "]}";
    return json.c_str();
}

// The spelling of the two-part robot words, as the options dialog sets it.
ZELK_API void zelk_set_underscore(int on)
{
    Underscore = on != 0;
    RebuildKeyTable();
}

// Blanks the Tab key types, as the desktop's editor sets it; -1 types a
// tab character.
ZELK_API int zelk_tab_width() { return Tabset; }

// The breakpoints of a page as the editor shows them: translated, on the
// lines of the text the run translated ("" for lines typed since), and now,
// on the lines of the text just handed in, where a translation takes them.
ZELK_API void zelk_set_breakpoints(int page, const char* translated, const char* now)
{
    Session& s = S();
    if (page < 0 || page >= s.pages.PageCount())
        return;
    s.run.Breakpoints().SetPage(page, Lines(translated));
    s.pages.BreakpointsNow(page) = Lines(now);
}

// The editor has count pages: those after them were closed.
ZELK_API void zelk_keep_pages(int count)
{
    Session& s = S();
    for (int page = count; page < s.pages.PageCount(); ++page)
        s.run.Breakpoints().SetPage(page, {});
    s.pages.KeepPages(count);
}

// What the editor shows of a run beside the state: the translations so
// far and the pages the last one read, each page's breakpoints as the run
// holds them, the units the translator loaded as pages, whether the mark
// came with a pause, and whether the line to select is one of the
// translated text. The added pages and the pause are handed over once.
ZELK_API const char* zelk_editor_json()
{
    Session& s = S();
    std::string breakpoints = "[";
    for (int page = 0; page < s.pages.PageCount(); ++page)
        breakpoints += (page ? "," : "") + IntList(BreakpointLines(page));
    breakpoints += "]";
    std::string added = "[";
    for (std::size_t i = 0; i < s.pages.added.size(); ++i) {
        const PagePages::AddedPage& page = s.pages.added[i];
        added += (i ? ",{" : "{") + std::string("\"name\":") + JsonQuoted(page.name) +
                 ",\"text\":" + JsonQuoted(page.text) + ",\"file\":" + JsonQuoted(page.file) + "}";
    }
    added += "]";
    static std::string json;
    json = "{\"translations\":" + std::to_string(s.pages.translations) +
           ",\"translatedPages\":" + IntList(TranslatedPages) + ",\"breakpoints\":" + breakpoints +
           ",\"addedPages\":" + added + ",\"paused\":" + (s.pages.markAnnounced ? "true" : "false") +
           ",\"runLine\":" + (s.pages.selectedRunLine ? "true" : "false") + "}";
    s.pages.added.clear();
    s.pages.markAnnounced = false;
    return json.c_str();
}
