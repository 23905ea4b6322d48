// How long the editor takes with the largest and oddest files it accepts,
// and how fast the scanner's way of reading lines is.
// Run: cmake --build build --target gui_editor_bench &&
//      QT_QPA_PLATFORM=offscreen build/gui_editor_bench
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QMdiArea>
#include <QTemporaryDir>
#include <cstdio>

#include "editor/EditPositions.h"
#include "editor/ProgramColours.h"
#include "editor/ZelkEdit2.h"

namespace {

void Write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

double Ms(const QElapsedTimer& timer) { return timer.nsecsElapsed() / 1e6; }

// Loads bytes as a file into a new page and paints the window once; then
// types one character at the end of the first line and paints again; then
// goes to the end of the text and paints (the colours of the last lines
// depend on the comments of all lines before them).
void LoadTypeAndPaint(TZelkEdit& window, const QTemporaryDir& dir, const char* what,
                      const QByteArray& bytes)
{
    const QString path = dir.filePath("bench.pas");
    Write(path, bytes);
    QElapsedTimer timer;
    timer.start();
    const bool loaded = window.LoadFile(path);
    window.grab();
    const double load = Ms(timer);
    window.Editor()->moveCursor(QTextCursor::EndOfLine);
    timer.restart();
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
    QApplication::sendEvent(window.Editor(), &key);
    window.grab();
    const double typed = Ms(timer);
    timer.restart();
    window.Editor()->moveCursor(QTextCursor::End);
    window.grab();
    std::printf("%-40s %s, load and paint %6.0f ms, one key %5.0f ms, to the end %5.0f ms\n", what,
                loaded ? "loaded " : "refused", load, typed, Ms(timer));
}

QByteArray Program(qint64 size)
{
    QByteArray program;
    while (program.size() + 50 <= size)
        program += "    WHILE VORNE_FREI DO BEGIN VOR; NIMM_AUF END;\r\n";
    return program;
}

// The colours know the comment state at the end of every line above the
// first one shown: a change in the first line and a look at the last lines
// scans all of them again. The text holds comments over two lines and
// characters beyond ASCII, so every kind of line is read.
void LearnColourStates(TZelkEdit& window)
{
    window.AddPage("farben");
    QString text;
    for (int i = 0; i < 5000; ++i)
        text += QStringLiteral("  WHILE VORNE_FREI DO VOR; { Grüße\n  über zwei Zeilen } NIMM_AUF;\n"
                               "  IF LINKS_FREI THEN DREHE_LINKS (* 1\n  2 *) ELSE GIB_AB\n");
    TZelkPage* page = window.Editor();
    page->setPlainText(text);
    page->moveCursor(QTextCursor::End);
    window.grab();
    auto* colours = page->findChild<TProgramColours*>();
    constexpr int rounds = 20;
    QElapsedTimer timer;
    timer.start();
    for (int round = 0; round < rounds; ++round) {
        QTextCursor(page->document()).insertText(" ");
        colours->ColourVisibleLines();
    }
    std::printf("colour states of %d lines learned anew: %.2f ms each\n", page->blockCount(),
                Ms(timer) / rounds);
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    QMdiArea area;
    area.resize(1000, 800);
    auto* window = new TZelkEdit;
    area.addSubWindow(window);
    area.show();
    window->show();

    QByteArray mixed(MaxProgramFileSize, '\0');
    for (int i = 0; i < mixed.size(); ++i)
        mixed[i] = char((i * 2654435761u) >> 13);
    LoadTypeAndPaint(*window, dir, "1 MB program (21000 lines)", Program(MaxProgramFileSize));
    LoadTypeAndPaint(*window, dir, "1 MB of 'x' in one line", QByteArray(MaxProgramFileSize, 'x'));
    LoadTypeAndPaint(*window, dir, "1 MB of NUL bytes in one line", QByteArray(MaxProgramFileSize, '\0'));
    LoadTypeAndPaint(*window, dir, "1 MB of mixed bytes", mixed);
    LoadTypeAndPaint(*window, dir, "64 MB of NUL bytes", QByteArray(64 * MaxProgramFileSize, '\0'));

    LearnColourStates(*window);

    // The scanner asks for its current line once per character.
    window->AddPage("neu");
    QString text;
    for (int i = 0; i < 10000; ++i)
        text += QStringLiteral("    WHILE VORNE_FREI DO BEGIN VOR; NIMM_AUF END; { Grüße }\n");
    window->Editor()->setPlainText(text);
    QElapsedTimer timer;
    timer.start();
    std::size_t bytes = 0;
    for (int line = 0; line < window->LineCount(); ++line) {
        const std::size_t length = window->Line(line).size() + 1;
        for (std::size_t column = 0; column < length; ++column)
            bytes += window->Line(line).size() > column ? 1 : 0;
    }
    std::printf("scanner-style reading of 10000 lines (%zu bytes): %.1f ms\n", bytes, Ms(timer));

    timer.restart();
    long long sum = 0;
    const int length = TextLength(window->Editor());
    for (int p = 0; p < length; p += 97)
        sum += FromCrlfPosition(window->Editor(), p);
    std::printf("%d position conversions on 10000 lines: %.1f ms (checksum %lld)\n", length / 97,
                Ms(timer), sum);
    return 0;
}
