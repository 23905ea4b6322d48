#include "RecordingPorts.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>

#include "text/AsciiNames.h"
#include "text/TextCodec.h"

MsgAnswer RecordingMessages::Show(MsgIcon icon, const std::string& title, const std::string& text,
                                  MsgButtons buttons)
{
    shown.push_back({icon, title, text, buttons});
    if (onShow)
        onShow(shown.back());
    if (!answers.empty()) {
        MsgAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
    return buttons == MsgButtons::YesNo || buttons == MsgButtons::YesNoCancel ? MsgAnswer::Yes
                                                                              : MsgAnswer::Ok;
}

std::vector<std::string> RecordingMessages::texts() const
{
    std::vector<std::string> out;
    for (const auto& m : shown)
        out.push_back(m.text);
    return out;
}

void RecordingDisplay::SetzeBild(int x, int y, bool loeschen, int d)
{
    calls.push_back("SetzeBild " + std::to_string(x) + " " + std::to_string(y) + " " +
                    std::to_string(loeschen ? 1 : 0) + " " + std::to_string(d));
}
void RecordingDisplay::ZeigePosition(int x, int y)
{
    calls.push_back("ZeigePosition " + std::to_string(x) + " " + std::to_string(y));
}
void RecordingDisplay::ZeigeMaterial(int vorrat) { calls.push_back("ZeigeMaterial " + std::to_string(vorrat)); }
void RecordingDisplay::SetFeldPanel(const std::string& text)
{
    feldPanel = text;
    calls.push_back("FeldPanel " + text);
}
void RecordingDisplay::RepaintAll() { calls.push_back("RepaintAll"); }

void RecordingRunControl::SetTimer1Enabled(bool enabled)
{
    timer1 = enabled;
    calls.push_back(enabled ? "Timer1 on" : "Timer1 off");
}
void RecordingRunControl::StopBtnClick()
{
    ++stops;
    timer1 = false;
    calls.push_back("StopBtnClick");
}

void RecordingProgress::Show() { calls.push_back("Show"); }
void RecordingProgress::SetDateiLabel(const std::string& text) { calls.push_back("DateiLabel " + text); }
void RecordingProgress::SetAktDateiLabel(const std::string& text) { calls.push_back("AktDateiLabel " + text); }
void RecordingProgress::ShowProgress(int line) { calls.push_back("ShowProgress " + std::to_string(line)); }
void RecordingProgress::Close() { calls.push_back("Close"); }

int MemoryPages::addText(const std::string& name, const std::string& text)
{
    pages.push_back({name, SplitLines(text)});
    selected = static_cast<int>(pages.size()) - 1;
    return selected;
}

void MemoryPages::SelectPage(int index)
{
    calls.push_back("SelectPage " + std::to_string(index));
    TextPages::SelectPage(index);
}
bool MemoryPages::AddPage(const std::string& name, const std::string& path)
{
    calls.push_back("AddPage " + name);
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    if (in)
        text << in.rdbuf();
    addText(name, in ? text.str() : std::string());
    return static_cast<bool>(in);
}

void MemoryPages::HighlightLine(int line)
{
    calls.push_back("HighlightLine " + std::to_string(line));
    highlightedPage = selected;
    highlightedLine = line;
}

PortsGuard::PortsGuard(Messages* m, WorldDisplay* d, RunControl* r, CompileProgress* p, SourcePages* s)
{
    setMessages(m);
    setWorldDisplay(d);
    setRunControl(r);
    setCompileProgress(p);
    setSourcePages(s);
}

PortsGuard::~PortsGuard()
{
    setMessages(nullptr);
    setWorldDisplay(nullptr);
    setRunControl(nullptr);
    setCompileProgress(nullptr);
    setSourcePages(nullptr);
}

void MemoryPages::ShowExecutionMark(int page, int line, bool)
{
    markPage = page;
    markLine = page < 0 ? -1 : line;
}
