#pragma once
// Test doubles for the core's ports: they record what the core asked for and
// answer message boxes from a queue, so tests check exact texts and orders.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "ports/CompileProgress.h"
#include "ports/Messages.h"
#include "ports/RunControl.h"
#include "ports/SourcePages.h"
#include "ports/TextPages.h"
#include "ports/WorldDisplay.h"

struct ShownMessage {
    MsgIcon icon;
    std::string title;
    std::string text;
    MsgButtons buttons;
};

class RecordingMessages : public Messages {
public:
    std::vector<ShownMessage> shown;
    std::deque<MsgAnswer> answers;  // taken in order; empty: the first button
    // Called inside Show, before it returns: lets a test look at the state
    // at the moment the box is up (e.g. that Abbruch is already set).
    std::vector<std::string> log;   // shared log with the other doubles, if wired
    std::function<void(const ShownMessage&)> onShow;

    MsgAnswer Show(MsgIcon icon, const std::string& title, const std::string& text,
                   MsgButtons buttons) override;
    std::vector<std::string> texts() const;
};

class RecordingDisplay : public WorldDisplay {
public:
    std::vector<std::string> calls;  // e.g. "SetzeBild 2 1 1 0", "ZeigePosition 2 1"
    std::string feldPanel;
    void SetzeBild(int x, int y, bool loeschen, int d) override;
    void ZeigePosition(int x, int y) override;
    void ZeigeMaterial(int vorrat) override;
    void SetFeldPanel(const std::string& text) override;
    void RepaintAll() override;
};

class RecordingRunControl : public RunControl {
public:
    std::vector<std::string> calls;  // "Timer1 on", "Timer1 off", "StopBtnClick"
    bool timer1 = false;
    int stops = 0;
    void SetTimer1Enabled(bool enabled) override;
    void StopBtnClick() override;
};

class RecordingProgress : public CompileProgress {
public:
    std::vector<std::string> calls;  // "Show", "DateiLabel x", "AktDateiLabel x", "ShowProgress n", "Close"
    void Show() override;
    void SetDateiLabel(const std::string& text) override;
    void SetAktDateiLabel(const std::string& text) override;
    void ShowProgress(int line) override;
    void Close() override;
};

// Source pages held in memory. AddPage reads a file from disk as the editor
// would (lines split at LF, a trailing CR dropped).
class MemoryPages : public TextPages {
public:
    std::vector<std::string> calls;  // "SelectPage n", "HighlightLine n", "AddPage name"
    int highlightedPage = -1;
    int highlightedLine = -1;
    int markPage = -1;  // the execution mark; -1 without one
    int markLine = -1;

    // Adds a page from a text (split at line breaks) and selects it.
    int addText(const std::string& name, const std::string& text);

    void SelectPage(int index) override;
    bool AddPage(const std::string& name, const std::string& path) override;
    void HighlightLine(int line) override;
    void ShowExecutionMark(int page, int line, bool announce) override;
};

// Installs the given doubles as the program-wide ports for one test's scope
// and restores the defaults afterwards.
class PortsGuard {
public:
    PortsGuard(Messages* m, WorldDisplay* d = nullptr, RunControl* r = nullptr,
               CompileProgress* p = nullptr, SourcePages* s = nullptr);
    ~PortsGuard();
};
