#pragma once
// The translator: turns the selected source page, and the units it names,
// into the instruction table in one pass.

// 0: a source error was reported; 1: a program translated; 2: a unit translated.
// Needs an installed SourcePages port with a selected page; without one it
// returns 0 and shows nothing.
int Compile();

// How deep blocks, statements and bracketed or negated conditions may nest.
// Deeper text is reported as "Speicherplatz zu klein!", so no text can
// exhaust the stack.
constexpr int MaxNesting = 200;
