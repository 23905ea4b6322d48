// Writes the dictionary for translator_fuzz (libFuzzer's -dict) to the file
// named by its argument: every keyword in both spellings, taken from the vocabulary table so
// that a new word reaches the fuzzer without a second list, and the signs and
// page breaks the fuzz target understands.
#include <cstdio>
#include <set>
#include <string>

#include "language/ZelkVocabulary.h"

int main(int argc, char** argv)
{
    if (argc != 2 || !std::freopen(argv[1], "w", stdout)) {
        std::fprintf(stderr, "usage: translator_dict FILE\n");
        return 64;
    }
    std::printf("# Words and signs of the robot language, for libFuzzer's -dict.\n");
    std::set<std::string> seen;
    for (const TRobotWord& word : RobotWords)
        for (const char* spelling : {word.WithUnderscore, word.WithoutUnderscore})
            if (seen.insert(spelling).second)
                std::printf("\"%s\"\n", spelling);
    // The page break of translator_fuzz, and the page names a USES clause can reach.
    for (const char* extra : {"\\x0a@@\\x0a", " A", " B", " C"})
        std::printf("\"%s\"\n", extra);
    for (const char* sign : {";", ".", ",", "(", ")", "(*", "*)", "{", "}", "{$}"})
        std::printf("\"%s\"\n", sign);
    return std::fclose(stdout) == 0 ? 0 : 74;
}
