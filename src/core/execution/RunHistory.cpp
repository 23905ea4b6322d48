#include "execution/RunHistory.h"

#include <algorithm>

#include "ports/WorldDisplay.h"

namespace {

// The mode of the steps the history runs, for as long as it lives; then
// steps are live again, so a plain Step elsewhere reads its file as always.
class StepMode {
public:
    StepMode(TStepMode mode, TFeldQuelle* quelle) { SetStepMode(mode, quelle); }
    ~StepMode() { SetStepMode(TStepMode::Live); }
    StepMode(const StepMode&) = delete;
    StepMode& operator=(const StepMode&) = delete;
};

bool SameReading(const TArbeitsfeldLadung& a, const TArbeitsfeldLadung& b)
{
    return a.Ergebnis == b.Ergebnis && a.Name == b.Name && GleicherZustand(a.Roboter, b.Roboter) &&
           GleichesFeld(a.Feld, b.Feld);
}

}  // namespace

TRunHistory::TRunHistory() : run_(RunNumber()) {}

TRunHistory::~TRunHistory() = default;

void TRunHistory::Clear(const std::string& feldPanel)
{
    Forget();
    panel_ = feldPanel;
}

void TRunHistory::Forget()
{
    snapshots_.clear();
    readings_.clear();
    executed_ = 0;
    bytes_ = 0;
    run_ = RunNumber();
}

std::uint64_t TRunHistory::Reach() const
{
    return snapshots_.empty() ? 0 : executed_ - std::min(executed_, snapshots_.front().Executed);
}

bool TRunHistory::Step()
{
    if (run_ != RunNumber())
        Forget();  // a new run: what came before belongs to another
    // A step that executes nothing (a halted run, no table) changes nothing
    // a step back could take back.
    if (!StepExecutes())
        return ::Step();
    return Execute();
}

bool TRunHistory::Execute()
{
    if (executed_ % SnapshotInterval == 0 && (snapshots_.empty() || snapshots_.back().Executed < executed_))
        TakeSnapshot();
    const StepMode mode(replaying_ ? TStepMode::Replay : TStepMode::Record, this);
    const bool goesOn = ::Step();
    ++executed_;
    return goesOn;
}

void TRunHistory::TakeSnapshot()
{
    Snapshot& s = snapshots_.emplace_back();
    s.Executed = executed_;
    s.World = Welt.Zustand();
    s.Interpreter = SaveInterpreter();
    s.Panel = panel_;
    s.Bytes = sizeof(Snapshot) + s.World.Dateiname.capacity() + s.Panel.capacity() +
              s.Interpreter.CallStack.capacity() * sizeof(std::int32_t) + s.Interpreter.ValueStack.capacity();
    Keep(s.Bytes);
}

void TRunHistory::Restore(const Snapshot& s)
{
    Welt.Herstellen(s.World);
    RestoreInterpreter(s.Interpreter);
    panel_ = s.Panel;
    executed_ = s.Executed;
}

// Adds bytes to what the history holds, then drops the oldest snapshots
// (and the readings only they reached) while it holds too much.
void TRunHistory::Keep(std::size_t bytes)
{
    bytes_ += bytes;
    while (snapshots_.size() > 1 && (snapshots_.size() > MaxSnapshots || bytes_ > MaxBytes))
        DropOldest();
}

void TRunHistory::DropOldest()
{
    bytes_ -= snapshots_.front().Bytes;
    snapshots_.pop_front();
    const std::uint64_t oldest = snapshots_.front().Executed;
    while (!readings_.empty() && readings_.front().Executed < oldest) {
        bytes_ -= readings_.front().Bytes;
        readings_.pop_front();
    }
}

bool TRunHistory::StepBack(std::uint64_t n)
{
    if (n == 0 || n > Reach())
        return false;
    const std::uint64_t target = executed_ - n;
    // The newest snapshot at or before the target.
    const auto after = std::upper_bound(snapshots_.begin(), snapshots_.end(), target,
                                        [](std::uint64_t t, const Snapshot& x) { return t < x.Executed; });
    // Later snapshots go: those the run passes again are taken again, so
    // every snapshot lies behind the current point.
    const std::size_t keep = std::size_t(after - snapshots_.begin());
    while (snapshots_.size() > keep) {
        bytes_ -= snapshots_.back().Bytes;
        snapshots_.pop_back();
    }
    const std::string panelBefore = panel_;
    bool complete = true;
    {
        const Replaying replaying(replaying_);
        Restore(snapshots_.back());
        while (executed_ < target && (complete = StepExecutes()))
            Execute();
    }
    if (!complete)
        Forget();  // the run went another way than before: the history no longer leads here
    WorldDisplay& display = worldDisplay();
    display.RepaintAll();
    display.ZeigePosition(Roboter.X, Roboter.Y);
    display.ZeigeMaterial(Roboter.Vorrat);
    if (panel_ != panelBefore)
        display.SetFeldPanel(panel_);
    return complete;
}

bool TRunHistory::StepBackTo(bool (*stop)(const TInstruction&))
{
    if (Reach() == 0)
        return false;
    return StepBack(executed_ - LastExecuted(stop));
}

std::uint64_t TRunHistory::LastExecuted(bool (*stop)(const TInstruction&))
{
    const std::uint64_t now = executed_;
    const std::string panel = panel_;
    std::uint64_t found = snapshots_.front().Executed;
    {
        const Replaying replaying(replaying_);
        // Segment by segment, newest first, until one holds such an instruction.
        std::uint64_t end = now;
        bool seen = false;
        for (auto s = snapshots_.rbegin(); s != snapshots_.rend() && !seen; ++s) {
            if (s->Executed >= end)
                continue;
            Restore(*s);
            while (executed_ < end && StepExecutes()) {
                if (stop(Code[ProgramCounter])) {
                    found = executed_;
                    seen = true;
                }
                Execute();
            }
            end = s->Executed;
        }
    }
    // StepBack restores from a snapshot; it needs to know where it stands.
    executed_ = now;
    panel_ = panel;
    return found;
}

// ARBEITSFELD during a recorded step: what was read at this point before,
// or a new reading, kept. A field already loaded reads nothing and is not
// kept: the same check gives the same answer whenever the step is repeated.
TArbeitsfeldLadung TRunHistory::Lies(const std::string& name)
{
    auto r = std::lower_bound(readings_.begin(), readings_.end(), executed_,
                              [](const Reading& x, std::uint64_t t) { return x.Executed < t; });
    if (r != readings_.end() && r->Executed == executed_ && r->Found->Name == name) {
        if (r->Found->Ergebnis == 1)
            panel_ = ArbeitsfeldAnzeige(name);
        return *r->Found;
    }
    TArbeitsfeldLadung found = Welt.LiesArbeitsfeld(name);
    if (found.Ergebnis == 0)
        return found;
    // Readings from this point on belong to a run that went elsewhere.
    const std::size_t here = std::size_t(r - readings_.begin());
    while (readings_.size() > here) {
        bytes_ -= readings_.back().Bytes;
        readings_.pop_back();
    }
    Reading& kept = readings_.emplace_back();
    kept.Executed = executed_;
    kept.Bytes = sizeof(Reading);
    // The same file read again as it was shares the earlier copy.
    for (auto earlier = readings_.rbegin() + 1; earlier != readings_.rend(); ++earlier)
        if (earlier->Found->Name == name) {
            if (SameReading(*earlier->Found, found))
                kept.Found = earlier->Found;
            break;
        }
    if (!kept.Found) {
        kept.Found = std::make_shared<const TArbeitsfeldLadung>(found);
        kept.Bytes += sizeof(TArbeitsfeldLadung) + name.capacity();
    }
    if (found.Ergebnis == 1)
        panel_ = ArbeitsfeldAnzeige(name);
    Keep(kept.Bytes);
    return found;
}
