#include "language/ZelkParser.h"

#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "execution/ZelkCode.h"
#include "language/ZelkBezTabelle.h"
#include "language/ZelkFehler.h"
#include "language/ZelkScanner.h"
#include "ports/CompileProgress.h"
#include "ports/Messages.h"
#include "ports/SourcePages.h"
#include "support/ZelkAssert.h"
#include "text/AsciiNames.h"

namespace {

// Unit names already taken up in this run, compared without regard to case
// (kept in upper case).
class TUnitSet {
public:
    bool Contains(const std::string& name) const { return Names.count(UpperAscii(name)) > 0; }
    void Add(const std::string& name) { Names.insert(UpperAscii(name)); }
    void Clear() { Names.clear(); }
private:
    std::set<std::string> Names;
};

// Per-file context of CompileFile, handed to every parse routine of that file.
struct TFileContext {
    TScanner* Scanner = nullptr;
    std::vector<std::string> UsesList;  // this file's USES names, clause order
    std::string NamePrefix;             // "Main." or the unit's name and "."
    int Page = 0;                       // stored as Page of every instruction
    std::set<std::string> UsesSeen;     // UsesList without repeats
};

enum class TCompileMode { Main, Unit };

// State of the translation run, program-wide.
bool NoError = true;
bool IsProgram = false;
TScanner* CurrentScanner = nullptr;
std::unique_ptr<TBezTab> SymbolTable;   // exists only during Compile
TUnitSet CompiledUnits;

// A call emitted before its target was translated: an interface name of a
// unit called inside the same unit ahead of its implementation.
struct TPendingCall {
    int Index;         // the opCall in Code
    bool AsProcedure;  // called as a statement (true) or in a condition
};

std::unordered_map<const TObjekt*, std::vector<TPendingCall>> PendingCalls;
int Nesting = 0;

void ReportError(TFehler code);
void CompileFile(TCompileMode mode, int page, const TFileContext* outer);

SourcePages& Pages() { return *sourcePages(); }

// Counts one level of nesting for as long as it lives. Beyond MaxNesting the
// run is stopped with FehlerSpeicherplatz before the machine stack can run out.
class TNest {
public:
    TNest()
    {
        if (++Nesting > MaxNesting)
            ReportError(FehlerSpeicherplatz);
    }
    ~TNest()
    {
        ZELK_ASSERT(Nesting > 0);
        --Nesting;
    }
    TNest(const TNest&) = delete;
    TNest& operator=(const TNest&) = delete;
};

void ReadOn(TFileContext& f) { f.Scanner->NextToken(); }

bool Is(TTokenKind kind) { return CurrentToken == kind; }

// The token the grammar needs here: read past it, or report error and stop.
bool Expect(TFileContext& f, TTokenKind kind, TFehler error)
{
    if (!Is(kind)) {
        ReportError(error);
        return false;
    }
    ReadOn(f);
    return true;
}

// Every instruction carries the file's page and the line of the current
// token; an instruction with a word of its own also the line of that word.
void Gen(TFileContext& f, TOpcode op, int arg, int wordLine = -1)
{
    // The file being read is the one whose scanner errors are shown for, and
    // every operand fits Arg: an index, a test, a logic operator or a name.
    ZELK_ASSERT(f.Scanner == CurrentScanner);
    ZELK_ASSERT(op <= MaxOpcode && arg >= 0 && arg <= MaxCode);
    Emit(op, arg, f.Scanner->TokenLine, f.Page, wordLine);
}

void ReportErrorAt(TFehler code, int page, int line)
{
    if (!NoError)
        return;
    ShowError(ErrorMessage(code));
    Pages().SelectPage(page);
    Pages().HighlightLine(line);
    NoError = false;
}

// ---- calls and the addresses they need --------------------------------

void EmitCall(TFileContext& f, TObjekt* target, bool asProcedure, int nameLine)
{
    const int at = CurrentAddress();
    const bool waiting = target->Address < 0;
    Gen(f, opCall, waiting ? 0 : target->Address, nameLine);
    if (waiting && CurrentAddress() > at)
        PendingCalls[target].push_back({at, asProcedure});
}

// Gives an entry its block and completes the calls that waited for it.
void Implement(TObjekt* entry, bool isProcedure, int address)
{
    entry->IsProcedure = isProcedure;
    entry->Address = address;
    const auto it = PendingCalls.find(entry);
    if (it == PendingCalls.end())
        return;
    for (const TPendingCall& call : it->second) {
        ZELK_ASSERT(call.Index >= 0 && call.Index < CodeCount && Code[call.Index].Op == opCall);
        Code[call.Index].Arg = static_cast<std::uint16_t>(address);
        if (call.AsProcedure != isProcedure)
            ReportError(isProcedure ? FehlerProzedurAlsFunktion : FehlerFunktionAlsProzedur);
    }
    PendingCalls.erase(it);
}

// A unit cut short by a scanner message leaves its interface names without
// a block; a call to one must not reach the run.
void CheckPendingCalls()
{
    const TPendingCall* first = nullptr;
    for (const auto& entry : PendingCalls)
        for (const TPendingCall& call : entry.second)
            if (!first || call.Index < first->Index)
                first = &call;
    if (first)
        ReportErrorAt(FehlerUnbekannt, Code[first->Index].Page, Code[first->Index].Line);
}

// ---- expressions ----------------------------------------------------------

void Expression(TFileContext& f);

// identifier: a call of a procedure as a statement or of a function in a
// condition. The other kind there is an error of its own.
void Call(TFileContext& f, bool asProcedure)
{
    TObjekt* entry = SymbolTable->FindName(f.NamePrefix + CurrentIdentifier, &f.UsesList);
    if (!entry) {
        ReadOn(f);
        ReportError(FehlerBezeichnerUnbekannt);
        return;
    }
    if (entry->IsProcedure != asProcedure) {
        ReportError(asProcedure ? FehlerFunktionAlsProzedur : FehlerProzedurAlsFunktion);
        return;
    }
    const int nameLine = f.Scanner->WordLine;
    ReadOn(f);
    EmitCall(f, entry, asProcedure, nameLine);
}

void FunctionCall(TFileContext& f) { Call(f, false); }

void Factor(TFileContext& f)
{
    if (!NoError)
        return;
    const int test = TestNumber(CurrentToken);
    if (test != KeinTest) {
        Gen(f, opTest, test, f.Scanner->WordLine);
        ReadOn(f);
    } else if (Is(LEFT_PAREN)) {
        ReadOn(f);
        Expression(f);
        Expect(f, RIGHT_PAREN, FehlerKlammerZuFehlt);
    } else if (Is(NOT)) {
        TNest nest;
        if (!NoError)
            return;
        ReadOn(f);
        Factor(f);
        Gen(f, opLogic, 0);
    } else if (Is(IDENTIFIER)) {
        FunctionCall(f);
    } else {
        // Also a leading AND or OR: no operand would be on the stack for it.
        ReportError(FehlerAusdruck);
    }
}

void Term(TFileContext& f)
{
    Factor(f);
    while (NoError && Is(AND)) {
        ReadOn(f);
        Factor(f);
        Gen(f, opLogic, 1);
    }
}

void Expression(TFileContext& f)
{
    TNest nest;
    if (!NoError)
        return;
    Term(f);
    while (NoError && Is(OR)) {
        ReadOn(f);
        Term(f);
        Gen(f, opLogic, 2);
    }
}

// ---- statements -----------------------------------------------------------

void Statement(TFileContext& f);

void ProcedureCall(TFileContext& f) { Call(f, true); }

// Statements separated by semicolons up to the closing word; false when
// something else ends the list (the caller's error) or an error occurred.
bool StatementsUpTo(TFileContext& f, TTokenKind closer)
{
    for (;;) {
        Statement(f);
        if (!NoError)
            return false;
        if (Is(SEMICOLON)) {
            ReadOn(f);
            continue;
        }
        if (Is(closer)) {
            ReadOn(f);
            return true;
        }
        return false;
    }
}

void CompoundStatement(TFileContext& f)
{
    ReadOn(f);
    if (!StatementsUpTo(f, END))
        ReportError(FehlerEndFehlt);
}

void IfStatement(TFileContext& f)
{
    ReadOn(f);
    Expression(f);
    if (!Expect(f, THEN, FehlerThenFehlt))
        return;
    const int p = CurrentAddress();
    Gen(f, opJumpIfFalse, 0);
    Statement(f);
    PatchToHere(p);
    if (NoError && Is(ELSE)) {
        ReadOn(f);
        const int q = CurrentAddress();
        Gen(f, opJump, 0);
        PatchToHere(p);  // the false case starts after the jump over it
        Statement(f);
        PatchToHere(q);
    }
}

void WhileStatement(TFileContext& f)
{
    const int top = CurrentAddress();
    ReadOn(f);
    Expression(f);
    const int p = CurrentAddress();
    Gen(f, opJumpIfFalse, 0);
    if (Is(DO))
        ReadOn(f);
    else
        ReportError(FehlerDoFehlt);
    Statement(f);
    Gen(f, opJump, top);
    PatchToHere(p);
}

void RepeatStatement(TFileContext& f)
{
    const int top = CurrentAddress();
    ReadOn(f);
    if (!StatementsUpTo(f, UNTIL)) {
        ReportError(FehlerUntilFehlt);
        return;
    }
    Expression(f);
    Gen(f, opJumpIfFalse, top);
}

// The value stays on the stack as the function's result.
void ReturnStatement(TFileContext& f)
{
    ReadOn(f);
    Expression(f);
}

void Command(TFileContext& f, TOpcode op)
{
    Gen(f, op, 0, f.Scanner->WordLine);
    ReadOn(f);
}

void Statement(TFileContext& f)
{
    TNest nest;
    if (!NoError)
        return;
    switch (CurrentToken) {
    case IDENTIFIER: ProcedureCall(f); break;
    case BEGIN: CompoundStatement(f); break;
    case IF: IfStatement(f); break;
    case WHILE: WhileStatement(f); break;
    case REPEAT: RepeatStatement(f); break;
    case RETURN: ReturnStatement(f); break;
    case VOR: Command(f, opVor); break;
    case DREHE_LINKS: Command(f, opDreheLinks); break;
    case NIMM_AUF: Command(f, opNimmAuf); break;
    case GIB_AB: Command(f, opGibAb); break;
    case ABSCHALTEN: Command(f, opAbschalten); break;
    default: break;  // the empty statement: the caller judges the token
    }
}

// ---- blocks -----------------------------------------------------------------

void Block(TFileContext& f);

// PROCEDURE or FUNCTION identifier: the name is in CurrentIdentifier.
bool RoutineHeading(TFileContext& f, bool& isProcedure)
{
    isProcedure = Is(PROCEDURE);
    ReadOn(f);
    return Expect(f, IDENTIFIER, FehlerBezeichnerFehlt);
}

// A heading that brings in a new name of this file, its block at address
// (-1: none yet).
bool DeclareRoutine(TFileContext& f, int address)
{
    bool isProcedure;
    if (!RoutineHeading(f, isProcedure))
        return false;
    TObjekt* entry = SymbolTable->InsertName(f.NamePrefix + CurrentIdentifier);
    if (!entry) {
        ReportError(FehlerDoppeltDeklariert);
        return false;
    }
    entry->IsProcedure = isProcedure;
    entry->Address = address;
    return true;
}

// A heading that gives a name of the unit's interface its block, which
// starts here.
bool ImplementRoutine(TFileContext& f)
{
    bool isProcedure;
    if (!RoutineHeading(f, isProcedure))
        return false;
    TObjekt* entry = SymbolTable->FindName(f.NamePrefix + CurrentIdentifier, &f.UsesList);
    if (!entry) {
        ReportError(FehlerBezeichnerUnbekannt);
        return false;
    }
    Implement(entry, isProcedure, CurrentAddress());
    return NoError;
}

// ; block ;
bool RoutineBody(TFileContext& f)
{
    if (!Expect(f, SEMICOLON, FehlerSemikolonFehlt))
        return false;
    Block(f);
    return NoError && Expect(f, SEMICOLON, FehlerSemikolonFehlt);
}

// PROCEDURE or FUNCTION identifier ; block ;
bool Declaration(TFileContext& f)
{
    // Reading the heading emits nothing: the block starts at this address.
    return DeclareRoutine(f, CurrentAddress()) && RoutineBody(f);
}

// ARBEITSFELD ( identifier ) ;
bool WorkFieldClause(TFileContext& f)
{
    const int wordLine = f.Scanner->WordLine;
    ReadOn(f);
    if (!Expect(f, LEFT_PAREN, FehlerKlammerAufFehlt) || !Expect(f, IDENTIFIER, FehlerBezeichnerFehlt))
        return false;
    if (WorkFieldCount < MaxWorkFields) {
        WorkFieldNames[WorkFieldCount] = CurrentIdentifier;
        Gen(f, opArbeitsfeld, WorkFieldCount, wordLine);
        ++WorkFieldCount;
    }
    if (WorkFieldCount >= MaxWorkFields) {
        ReportError(FehlerZuVieleArbeitsfelder);
        return false;
    }
    return Expect(f, RIGHT_PAREN, FehlerKlammerZuFehlt) && Expect(f, SEMICOLON, FehlerSemikolonFehlt);
}

void Block(TFileContext& f)
{
    TNest nest;
    if (!NoError)
        return;
    const int b = CurrentAddress();
    Gen(f, opJump, 0);  // over the nested declarations
    while (Is(PROCEDURE) || Is(FUNCTION))
        if (!Declaration(f))
            return;
    PatchToHere(b);
    if (!Expect(f, BEGIN, FehlerBeginFehlt))
        return;
    if (Is(ARBEITSFELD) && !WorkFieldClause(f))
        return;
    Statement(f);
    while (NoError && Is(SEMICOLON)) {
        ReadOn(f);
        Statement(f);
    }
    const int endLine = f.Scanner->WordLine;
    if (!NoError || !Expect(f, END, FehlerEndOderSemikolon))
        return;
    Gen(f, opReturn, 0, endLine);
}

// ---- units ----------------------------------------------------------------

// Unit files are named as scanned; on a file system that tells cases apart
// the exact name wins, otherwise any spelling of it (the first in byte order).
std::string FindUnitFile(const std::string& name)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path dir = fs::current_path(ec);
    if (ec)
        return std::string();
    const std::string fileName = name + ".pas";
    const fs::path exact = dir / fileName;
    if (fs::is_regular_file(exact, ec))
        return exact.string();
    const std::string found = FindFileIgnoringCase(dir, fileName);
    return found.empty() ? std::string() : (dir / found).string();
}

int LoadUnitPage(const std::string& name)
{
    const std::string path = FindUnitFile(name);
    if (path.empty())
        return -1;
    if (!Pages().AddPage(PageNameOf(name), path))
        return -1;
    return Pages().IndexOfPage(name);
}

// An open page first, so unsaved changes count; otherwise NAME.pas.
void TakeUpUnit(TFileContext& f, const std::string& name)
{
    TNest nest;  // a long chain of units using units nests as deep as any block
    if (!NoError)
        return;
    int page = Pages().IndexOfPage(name);
    if (page < 0)
        page = LoadUnitPage(name);
    if (page < 0) {
        if (Pages().SelectedPage() != f.Page)
            Pages().SelectPage(f.Page);  // a failed load may have opened an empty page
        ReportError(FehlerUnitNichtGefunden);
        return;
    }
    CompileFile(TCompileMode::Unit, page, &f);
}

// identifier: the unit is taken up unless this run already has it.
bool UseUnit(TFileContext& f)
{
    if (!Is(IDENTIFIER)) {
        ReportError(FehlerBezeichnerFehlt);
        return false;
    }
    const std::string name = CurrentIdentifier;
    if (f.UsesSeen.insert(name).second)
        f.UsesList.push_back(name);  // a repeat could never decide a lookup
    if (!CompiledUnits.Contains(name)) {
        CompiledUnits.Add(name);
        TakeUpUnit(f, name);
        if (!NoError)
            return false;
    }
    ReadOn(f);
    return true;
}

// USES identifier { , identifier } ;
void UsesClause(TFileContext& f)
{
    do {
        ReadOn(f);  // past USES or the comma
        if (!UseUnit(f))
            return;
    } while (Is(COMMA));
    if (!Expect(f, SEMICOLON, FehlerSemikolonFehlt))
        return;
    compileProgress().SetAktDateiLabel(Pages().PageName(f.Page) + ".pas");
}

// { PROCEDURE or FUNCTION identifier ; }
bool InterfacePart(TFileContext& f)
{
    while (Is(PROCEDURE) || Is(FUNCTION))
        if (!DeclareRoutine(f, -1) || !Expect(f, SEMICOLON, FehlerSemikolonFehlt))
            return false;
    return true;
}

// { PROCEDURE or FUNCTION identifier ; block ; }
bool ImplementationPart(TFileContext& f)
{
    const int j = CurrentAddress();
    Gen(f, opJump, 0);  // over all of the unit's code
    while (Is(PROCEDURE) || Is(FUNCTION))
        if (!ImplementRoutine(f) || !RoutineBody(f))
            return false;
    PatchToHere(j);
    return true;
}

bool EndsUnit() { return !NoError || Is(ERROR); }

// The UNIT token has been read. mainFile: the unit is the page being
// translated, not one taken up by a USES clause.
void UnitRule(TFileContext& f, bool mainFile)
{
    if (!Expect(f, IDENTIFIER, FehlerBezeichnerFehlt))
        return;
    f.NamePrefix = CurrentIdentifier + ".";
    // A main file that is a unit counts as taken up, so a unit it uses that
    // names it again does not translate it a second time. A unit taken up by
    // USES is already in the set under the name it was used by; its heading
    // must not hide another unit that happens to carry that name.
    if (mainFile)
        CompiledUnits.Add(CurrentIdentifier);
    if (!Expect(f, SEMICOLON, FehlerSemikolonFehlt) || !Expect(f, INTERFACE, FehlerInterfaceFehlt))
        return;
    if (Is(USES))
        UsesClause(f);
    if (EndsUnit() || !InterfacePart(f) || EndsUnit())
        return;
    if (!Expect(f, IMPLEMENTATION, FehlerImplementationFehlt))
        return;
    if (!ImplementationPart(f) || EndsUnit() || !Expect(f, END, FehlerEndFehlt))
        return;
    if (!Is(PERIOD)) {
        ReportError(FehlerPunktFehlt);
        return;
    }
    if (!SymbolTable->AllImplemented())
        ReportError(FehlerUnbekannt);
}

// The PROGRAM token has been read. Nothing after the final period is read.
void ProgramRule(TFileContext& f)
{
    f.NamePrefix = "Main.";
    if (!Expect(f, IDENTIFIER, FehlerBezeichnerFehlt) || !Expect(f, SEMICOLON, FehlerSemikolonFehlt))
        return;
    if (Is(USES))
        UsesClause(f);
    Block(f);
    if (NoError && !Is(PERIOD) && !Is(ERROR))
        ReportError(FehlerPunktFehlt);
}

void BeginRun()
{
    NoError = true;
    IsProgram = false;
    WorkFieldCount = 0;
    SymbolTable = std::make_unique<TBezTab>();
    CompiledUnits.Clear();
    PendingCalls.clear();
    Nesting = 0;
}

void EndRun()
{
    // Every file has handed back its scanner and every nesting level closed.
    ZELK_ASSERT(CurrentScanner == nullptr && Nesting == 0);
    SymbolTable.reset();
    CompiledUnits.Clear();
    PendingCalls.clear();
}

void ReportError(TFehler code)
{
    if (!NoError)
        return;
    ShowError(ErrorMessage(code));
    if (SourcePages* pages = sourcePages(); pages && CurrentScanner) {
        // At the end of a text without a final line break the scan of the
        // last token began on the line after the last one: select the last.
        const int last = pages->LineCount() - 1;
        const int line = CurrentScanner->TokenLine;
        pages->HighlightLine(line > last && last >= 0 ? last : line);
    }
    NoError = false;
}

// outer: the file whose USES clause named this unit; nullptr for the main file.
void CompileFile(TCompileMode mode, int page, const TFileContext* outer)
{
    ZELK_ASSERT(sourcePages() && SymbolTable);
    ZELK_ASSERT(CurrentScanner == (outer ? outer->Scanner : nullptr));
    SourcePages& pages = Pages();

    pages.SelectPage(page);
    TranslatedPages.push_back(page);
    TScanner scanner(pages);
    TFileContext f;
    f.Scanner = &scanner;
    f.Page = page;
    compileProgress().SetAktDateiLabel(pages.PageName(page) + ".pas");
    CurrentScanner = &scanner;
    scanner.NextToken();

    if (Is(UNIT)) {
        ReadOn(f);
        UnitRule(f, mode == TCompileMode::Main);
    } else if (mode == TCompileMode::Main && Is(PROGRAM)) {
        ReadOn(f);
        ProgramRule(f);
        IsProgram = true;
    } else {
        ReportError(mode == TCompileMode::Main ? FehlerProgramOderUnit : FehlerKeineUnit);
    }

    // Back to the file that named this unit, so later errors show there.
    CurrentScanner = outer ? outer->Scanner : nullptr;
    if (outer)
        pages.SelectPage(outer->Page);
}

}  // namespace

int Compile()
{
    // SymbolTable exists only while a translation runs: a call from inside
    // one (a box that lets events through) finds it and does nothing.
    SourcePages* pages = sourcePages();
    if (!pages || SymbolTable)
        return 0;
    const int start = pages->SelectedPage();
    if (start < 0 || start >= pages->PageCount())
        return 0;

    BeginRun();
    CompileProgress& progress = compileProgress();
    progress.Show();
    progress.SetDateiLabel(pages->CurrentPageName() + ".pas");
    ResetCode();
    auto previousHook = std::move(EmitErrorHook);
    EmitErrorHook = [](int code) { ReportError(static_cast<TFehler>(code)); };

    CompileFile(TCompileMode::Main, start, nullptr);
    if (NoError)
        CheckPendingCalls();

    pages->SelectPage(start);
    progress.Close();
    EmitErrorHook = std::move(previousHook);
    EndRun();

    if (!NoError)
        return 0;
    pages->Translated();
    return IsProgram ? 1 : 2;
}
