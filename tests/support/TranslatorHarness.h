#pragma once
// A translation with recording ports: source pages in memory, message boxes
// and progress calls recorded, the instruction table read back as a listing.
#include <string>
#include <utility>
#include <vector>

#include "RecordingPorts.h"
#include "execution/ZelkCode.h"
#include "language/ZelkKey.h"
#include "language/ZelkListing.h"
#include "settings/ZelkSettings.h"
#include "language/ZelkParser.h"
#include "language/ZelkScanner.h"

struct TranslatorHarness {
    RecordingMessages messages;
    RecordingProgress progress;
    MemoryPages pages;
    PortsGuard guard{&messages, nullptr, nullptr, &progress, &pages};

    TranslatorHarness() { Underscore = true; }
    ~TranslatorHarness() { Underscore = true; RebuildKeyTable(); }

    int add(const std::string& name, const std::string& text) { return pages.addText(name, text); }

    // Translates text as the only (selected) page.
    int compile(const std::string& text, const std::string& name = "Robo")
    {
        add(name, text);
        return Compile();
    }

    // Index and operation of every instruction, e.g. "opJump 6".
    std::vector<std::string> ops() const
    {
        std::vector<std::string> out;
        for (int i = 0; i < CodeCount; ++i)
            out.push_back(std::string(OpName(Code[i].Op)) + " " + std::to_string(Code[i].Arg));
        return out;
    }

    // Tokens of the selected page as "KIND@line", up to END_OF_TEXT (or limit).
    std::vector<std::string> tokens(const std::string& text, int limit = 100)
    {
        add("Scan", text);
        TScanner scanner(pages);
        std::vector<std::string> out;
        for (int i = 0; i < limit; ++i) {
            scanner.NextToken();
            std::string t = TokenName(CurrentToken);
            if (CurrentToken == IDENTIFIER)
                t += ":" + CurrentIdentifier;
            out.push_back(t + "@" + std::to_string(scanner.TokenLine));
            if (CurrentToken == END_OF_TEXT)
                break;
        }
        return out;
    }
};

using Strings = std::vector<std::string>;

#ifdef QTEST_H
// Failed comparisons of string lists show both lists.
namespace QTest {
template <>
inline char* toString(const Strings& list)
{
    std::string all = "{";
    for (const auto& s : list)
        all += (all.size() > 1 ? ", \"" : "\"") + s + "\"";
    return qstrdup((all + "}").c_str());
}
}  // namespace QTest
#endif
