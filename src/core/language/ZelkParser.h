#pragma once
// The translator: turns the selected source page, and the units it names,
// into the instruction table in one pass.
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "language/ZelkBezTabelle.h"

class TScanner;

// 0: a source error was reported; 1: a program translated; 2: a unit translated.
// Needs an installed SourcePages port with a selected page; without one it
// returns 0 and shows nothing.
int Compile();

enum class TCompileMode { Main, Unit };

// Translates the file of one page: Main accepts a program or a unit, Unit
// only a unit. Only meaningful inside Compile, which sets up the run.
void CompileFile(TCompileMode mode, int page);

// The single error routine: shows the first error of a run (error box, then
// the line of the current token selected on the page being read); every
// later call does nothing.
void ReportError(int code);

// The message of a source error code ("Bezeichner fehlt!", ...); an empty
// string for a code that has none.
std::string ErrorMessage(int code);

// How deep blocks, statements and bracketed or negated conditions may nest.
// Deeper text is reported as error 16, so no text can exhaust the stack.
constexpr int MaxNesting = 200;

// State of the translation run, program-wide.
extern bool NoError;
extern bool IsProgram;
extern TScanner* CurrentScanner;
extern std::unique_ptr<TBezTab> SymbolTable;   // exists only during Compile

// Unit names already taken up in this run, compared without regard to case
// (kept in upper case).
class TUnitSet {
public:
    bool Contains(const std::string& name) const;
    void Add(const std::string& name);
    void Clear() { Names.clear(); }
private:
    std::set<std::string> Names;
};
extern TUnitSet CompiledUnits;

// Per-file context of CompileFile, handed to every parse routine of that file.
struct TFileContext {
    TScanner* Scanner = nullptr;
    std::vector<std::string> UsesList;  // this file's USES names, clause order
    std::string NamePrefix;             // "Main." or the unit's name and "."
    int Page = 0;                       // stored as Page of every instruction
    std::set<std::string> UsesSeen;     // UsesList without repeats
};
