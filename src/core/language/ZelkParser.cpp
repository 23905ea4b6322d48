#include "language/ZelkParser.h"

#include <filesystem>
#include <unordered_map>
#include <utility>

#include "execution/ZelkCode.h"
#include "language/ZelkScanner.h"
#include "ports/CompileProgress.h"
#include "ports/Messages.h"
#include "ports/SourcePages.h"
#include "text/AsciiNames.h"

bool NoError = true;
bool IsProgram = false;
TScanner* CurrentScanner = nullptr;
std::unique_ptr<TBezTab> SymbolTable;
TUnitSet CompiledUnits;

bool TUnitSet::Contains(const std::string& name) const { return Names.count(UpperAscii(name)) > 0; }
void TUnitSet::Add(const std::string& name) { Names.insert(UpperAscii(name)); }

std::string ErrorMessage(int code)
{
    switch (code) {
    case 1: return "PROGRAM oder UNIT fehlt!";
    case 2: return "Bezeichner fehlt!";
    case 3: return " ;  fehlt!";
    case 4: return " .  fehlt!";
    case 5: return "BEGIN fehlt!";
    case 6: return "( fehlt";
    case 7: return ") fehlt";
    case 8: return "END fehlt oder ; fehlt!";
    case 9: return "END fehlt!";
    case 10: return "Bezeichner unbekannt!";
    case 11: return "UNTIL fehlt!";
    case 12: return "DO fehlt!";
    case 13: return "THEN fehlt!";
    case 14: return "Fehlerhafter Ausdruck";
    case 15: return "Bezeichner doppelt deklariert!";
    case 16: return "Speicherplatz zu klein!";
    case 17: return "Nur 10 versch. Arbeitsfelder sind erlaubt!";
    case 18: return "Eine Prozedur kann nicht als Funktion verwendet werden!";
    case 19: return "Eine Funktion kann nicht als Prozedur verwendet werden!";
    case 20: return "INTERFACE fehlt!";
    case 21: return "IMLEMENTATION fehlt!";
    case 22: return "Unit nicht gefunden";
    case 24: return "Kann keine Unit-Deklaration finden";
    case 30: return "Unbekannter Fehler !";
    default: return std::string();
    }
}

namespace {

// A call emitted before its target was translated: an interface name of a
// unit called inside the same unit ahead of its implementation.
struct TPendingCall {
    int Index;         // the opCall in Code
    bool AsProcedure;  // called as a statement (true) or in a condition
};

std::unordered_map<const TObjekt*, std::vector<TPendingCall>> PendingCalls;
TFileContext* CurrentFile = nullptr;  // the file being read
int Nesting = 0;
bool Compiling = false;

SourcePages& Pages() { return *sourcePages(); }

// Counts one level of nesting for as long as it lives. Beyond MaxNesting the
// run is stopped with error 16 before the machine stack can run out.
class TNest {
public:
    TNest()
    {
        if (++Nesting > MaxNesting)
            ReportError(16);
    }
    ~TNest() { --Nesting; }
    TNest(const TNest&) = delete;
    TNest& operator=(const TNest&) = delete;
};

void ReadOn(TFileContext& f) { f.Scanner->NextToken(); }

bool Is(TTokenKind kind) { return CurrentToken == kind; }

// The token the grammar needs here: read past it, or report error and stop.
bool Expect(TFileContext& f, TTokenKind kind, int error)
{
    if (!Is(kind)) {
        ReportError(error);
        return false;
    }
    ReadOn(f);
    return true;
}

// Every instruction carries the file's page and the line of the current token.
void Gen(TFileContext& f, TOpcode op, int arg) { Emit(op, arg, f.Scanner->TokenLine, f.Page); }

void ReportErrorAt(int code, int page, int line)
{
    if (!NoError)
        return;
    ShowError(ErrorMessage(code));
    Pages().SelectPage(page);
    Pages().HighlightLine(line);
    NoError = false;
}

// ---- calls and the addresses they need --------------------------------

void EmitCall(TFileContext& f, TObjekt* target, bool asProcedure)
{
    const int at = CurrentAddress();
    const bool waiting = target->Address < 0;
    Gen(f, opCall, waiting ? 0 : target->Address);
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
        Code[call.Index].Arg = static_cast<std::uint16_t>(address);
        if (call.AsProcedure != isProcedure)
            ReportError(isProcedure ? 18 : 19);
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
        ReportErrorAt(30, Code[first->Index].Page, Code[first->Index].Line);
}

// ---- expressions ----------------------------------------------------------

void Expression(TFileContext& f);

int TestNumber(TTokenKind kind)
{
    switch (kind) {
    case HAT_VORRAT: return 0;
    case PLATZ_BELEGT: return 1;
    case VORNE_FREI: return 2;
    case RECHTS_FREI: return 3;
    case LINKS_FREI: return 4;
    case NORDWAERTS: return 5;
    case OSTWAERTS: return 6;
    case SUEDWAERTS: return 7;
    case WESTWAERTS: return 8;
    default: return -1;
    }
}

// identifier: a call of a procedure as a statement or of a function in a
// condition. The other kind there is error 19 or 18.
void Call(TFileContext& f, bool asProcedure)
{
    TObjekt* entry = SymbolTable->FindName(f.NamePrefix + CurrentIdentifier, &f.UsesList);
    if (!entry) {
        ReadOn(f);
        ReportError(10);
        return;
    }
    if (entry->IsProcedure != asProcedure) {
        ReportError(asProcedure ? 19 : 18);
        return;
    }
    ReadOn(f);
    EmitCall(f, entry, asProcedure);
}

void FunctionCall(TFileContext& f) { Call(f, false); }

void Factor(TFileContext& f)
{
    if (!NoError)
        return;
    const int test = TestNumber(CurrentToken);
    if (test >= 0) {
        Gen(f, opTest, test);
        ReadOn(f);
    } else if (Is(LEFT_PAREN)) {
        ReadOn(f);
        Expression(f);
        Expect(f, RIGHT_PAREN, 7);
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
        ReportError(14);
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
        ReportError(9);
}

void IfStatement(TFileContext& f)
{
    ReadOn(f);
    Expression(f);
    if (!Expect(f, THEN, 13))
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
        ReportError(12);
    Statement(f);
    Gen(f, opJump, top);
    PatchToHere(p);
}

void RepeatStatement(TFileContext& f)
{
    const int top = CurrentAddress();
    ReadOn(f);
    if (!StatementsUpTo(f, UNTIL)) {
        ReportError(11);
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
    Gen(f, op, 0);
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
    return Expect(f, IDENTIFIER, 2);
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
        ReportError(15);
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
        ReportError(10);
        return false;
    }
    Implement(entry, isProcedure, CurrentAddress());
    return NoError;
}

// ; block ;
bool RoutineBody(TFileContext& f)
{
    if (!Expect(f, SEMICOLON, 3))
        return false;
    Block(f);
    return NoError && Expect(f, SEMICOLON, 3);
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
    ReadOn(f);
    if (!Expect(f, LEFT_PAREN, 6) || !Expect(f, IDENTIFIER, 2))
        return false;
    if (WorkFieldCount < MaxWorkFields) {
        WorkFieldNames[WorkFieldCount] = CurrentIdentifier;
        Gen(f, opArbeitsfeld, WorkFieldCount);
        ++WorkFieldCount;
    }
    if (WorkFieldCount >= MaxWorkFields) {
        ReportError(17);
        return false;
    }
    return Expect(f, RIGHT_PAREN, 7) && Expect(f, SEMICOLON, 3);
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
    if (!Expect(f, BEGIN, 5))
        return;
    if (Is(ARBEITSFELD) && !WorkFieldClause(f))
        return;
    Statement(f);
    while (NoError && Is(SEMICOLON)) {
        ReadOn(f);
        Statement(f);
    }
    if (!NoError || !Expect(f, END, 8))
        return;
    Gen(f, opReturn, 0);
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
        ReportError(22);
        return;
    }
    CompileFile(TCompileMode::Unit, page);
}

// identifier: the unit is taken up unless this run already has it.
bool UseUnit(TFileContext& f)
{
    if (!Is(IDENTIFIER)) {
        ReportError(2);
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
    if (!Expect(f, SEMICOLON, 3))
        return;
    compileProgress().SetAktDateiLabel(Pages().PageName(f.Page) + ".pas");
}

// { PROCEDURE or FUNCTION identifier ; }
bool InterfacePart(TFileContext& f)
{
    while (Is(PROCEDURE) || Is(FUNCTION))
        if (!DeclareRoutine(f, -1) || !Expect(f, SEMICOLON, 3))
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
    if (!Expect(f, IDENTIFIER, 2))
        return;
    f.NamePrefix = CurrentIdentifier + ".";
    // A main file that is a unit counts as taken up, so a unit it uses that
    // names it again does not translate it a second time. A unit taken up by
    // USES is already in the set under the name it was used by; its heading
    // must not hide another unit that happens to carry that name.
    if (mainFile)
        CompiledUnits.Add(CurrentIdentifier);
    if (!Expect(f, SEMICOLON, 3) || !Expect(f, INTERFACE, 20))
        return;
    if (Is(USES))
        UsesClause(f);
    if (EndsUnit() || !InterfacePart(f) || EndsUnit())
        return;
    if (!Expect(f, IMPLEMENTATION, 21))
        return;
    if (!ImplementationPart(f) || EndsUnit() || !Expect(f, END, 9))
        return;
    if (!Is(PERIOD)) {
        ReportError(4);
        return;
    }
    if (!SymbolTable->AllImplemented())
        ReportError(30);
}

// The PROGRAM token has been read. Nothing after the final period is read.
void ProgramRule(TFileContext& f)
{
    f.NamePrefix = "Main.";
    if (!Expect(f, IDENTIFIER, 2) || !Expect(f, SEMICOLON, 3))
        return;
    if (Is(USES))
        UsesClause(f);
    Block(f);
    if (NoError && !Is(PERIOD) && !Is(ERROR))
        ReportError(4);
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
    SymbolTable.reset();
    CompiledUnits.Clear();
    PendingCalls.clear();
    CurrentScanner = nullptr;
    CurrentFile = nullptr;
}

}  // namespace

void ReportError(int code)
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

void CompileFile(TCompileMode mode, int page)
{
    if (!sourcePages() || !SymbolTable)
        return;
    SourcePages& pages = Pages();
    TScanner* const outerScanner = CurrentScanner;
    TFileContext* const outerFile = CurrentFile;

    pages.SelectPage(page);
    TScanner scanner(pages);
    TFileContext f;
    f.Scanner = &scanner;
    f.Page = page;
    compileProgress().SetAktDateiLabel(pages.PageName(page) + ".pas");
    CurrentScanner = &scanner;
    CurrentFile = &f;
    scanner.NextToken();

    if (Is(UNIT)) {
        ReadOn(f);
        UnitRule(f, mode == TCompileMode::Main);
    } else if (mode == TCompileMode::Main && Is(PROGRAM)) {
        ReadOn(f);
        ProgramRule(f);
        IsProgram = true;
    } else {
        ReportError(mode == TCompileMode::Main ? 1 : 24);
    }

    // Back to the file that named this unit, so later errors show there.
    CurrentScanner = outerScanner;
    CurrentFile = outerFile;
    if (outerFile)
        pages.SelectPage(outerFile->Page);
}

int Compile()
{
    SourcePages* pages = sourcePages();
    if (!pages || Compiling)
        return 0;
    const int start = pages->SelectedPage();
    if (start < 0 || start >= pages->PageCount())
        return 0;
    Compiling = true;

    BeginRun();
    CompileProgress& progress = compileProgress();
    progress.Show();
    progress.SetDateiLabel(pages->CurrentPageName() + ".pas");
    ResetCode();
    auto previousHook = std::move(EmitErrorHook);
    EmitErrorHook = [](int code) { ReportError(code); };

    CompileFile(TCompileMode::Main, start);
    if (NoError)
        CheckPendingCalls();

    pages->SelectPage(start);
    progress.Close();
    EmitErrorHook = std::move(previousHook);
    EndRun();
    Compiling = false;

    if (!NoError)
        return 0;
    return IsProgram ? 1 : 2;
}
