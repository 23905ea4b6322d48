#pragma once
// While the interpreter replays steps it has run before, nothing it does may
// be seen: every port answers as its quiet default (no box, no drawing, no
// timer, no source pages), whatever is installed. The interpreter switches
// this with its step mode; nothing else should.
void SetPortsSilent(bool silent);
bool PortsSilent();
