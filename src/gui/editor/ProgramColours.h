#pragma once
// The colours of a program text, as code editors show them: the keywords,
// the robot's commands and tests, comments and numbers, each in a colour of
// its own; everything else keeps the page's font colour.
//
// The words and comments are the translator's own: each line is read by the
// scanner's rules (language/ZelkLexer), so a word is coloured when the
// keyword table knows it in the spelling the Underscore option chooses (the
// other spelling, an identifier to the translator, stays plain), and a
// comment is what the scanner skips ("{ }" and "(* *)", over several lines,
// not nested).
//
// The colours lie over the text, in the layout of each line, and are never
// part of it: the modified flag, undo, copying, saving and printing see the
// plain text. Only the lines on the screen are coloured, just before they are
// painted, so loading or typing in a long text costs what its visible part
// costs.
#include <QObject>
#include <vector>

#include "language/ZelkLexer.h"

class QPlainTextEdit;
class QTextBlock;

class TProgramColours : public QObject {
    Q_OBJECT
public:
    // Colours page's text from now on; a child of page.
    explicit TProgramColours(QPlainTextEdit* page);
    ~TProgramColours() override;

    // Gives every line on the screen its colours, as they are due now.
    void ColourVisibleLines();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ColourLine(const QTextBlock& line, bool on);
    // Whether the line begins inside a comment, and inside which kind.
    TCommentState StateAtStart(const QTextBlock& line);
    void LearnStatesBefore(int line);
    void TextChanged(int position);

    QPlainTextEdit* page;
    // The lines before this one carry the comment state at their end in
    // their user state; a change makes it the changed line.
    int statesKnownBefore = 0;
    // The spans of the line being coloured, kept for the room they hold.
    std::vector<TLexSpan> lexed;
};

// The Underscore or the Syntaxfarben option has changed: every open page
// shows its words the new way at once.
void RecolourProgramTexts();
