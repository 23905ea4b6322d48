#pragma once
// Set-up shared by the GUI tests: windows arranged as the program arranges
// them.
#include <QAction>
#include <QDir>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenu>
#include <QToolButton>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextLayout>
#include <QtTest>
#include <memory>

#include "ProgramWindows.h"
#include "RecordingDialogs.h"
#include "WorldSnapshot.h"
#include "editor/ZelkEdit2.h"
#include "mainwindow/RunController.h"
#include "mainwindow/ZelkMain.h"

// A component of a window by its form name; a missing one ends the test run,
// as the test could only crash on it.
template <class T>
T* Find(const QObject* window, const char* name)
{
    T* found = window->findChild<T*>(QString::fromLatin1(name));
    if (!found)
        qFatal("no component %s", name);
    return found;
}
inline QToolButton* FindButton(const QObject* w, const char* name)
{
    return Find<QToolButton>(w, name);
}
inline QAction* FindItem(const QObject* w, const char* name) { return Find<QAction>(w, name); }
inline QMenu* FindMenu(const QObject* w, const char* name) { return Find<QMenu>(w, name); }
inline QLabel* FindLabel(const QObject* w, const char* name) { return Find<QLabel>(w, name); }

// The colour a page shows the character at line and column in, as painted
// last; invalid where it shows its own font colour.
inline QColor ShownColour(const QPlainTextEdit* page, int line, int column)
{
    const QTextBlock block = page->document()->findBlockByNumber(line);
    for (const QTextLayout::FormatRange& range : block.layout()->formats())
        if (column >= range.start && column < range.start + range.length)
            return range.format.foreground().color();
    return QColor();
}

// A main window of the given size whose client is an MDI area, as in the
// program; area is set to that area, which the window owns.
inline std::unique_ptr<QMainWindow> MdiMainWindow(int width, int height, QMdiArea*& area)
{
    auto main = std::make_unique<QMainWindow>();
    area = new QMdiArea;
    main->setCentralWidget(area);
    main->resize(width, height);
    return main;
}

// The whole windowed program, a base of test classes that drive it: a fresh
// world, a temporary folder as the current directory, every box and file
// dialog answered by RecordingDialogs, and the main window shown.
class ProgramFixture {
protected:
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<RecordingDialogs> fake;
    TZelkForm* form = nullptr;

    // For init(): false when the folder cannot be made or the window does
    // not show.
    bool startProgram()
    {
        dir = std::make_unique<QTemporaryDir>();
        if (!dir->isValid())
            return false;
        oldCwd = QDir::currentPath();
        QDir::setCurrent(dir->path());
        fake = std::make_unique<RecordingDialogs>();
        setDialogs(fake.get());
        ResetWorld();
        form = CreateZelkForm();
        form->show();
        return QTest::qWaitForWindowExposed(form);
    }

    // For cleanup().
    void stopProgram()
    {
        delete form;
        form = nullptr;
        setDialogs(nullptr);
        QDir::setCurrent(oldCwd);
        dir.reset();
    }

    QString path(const QString& name) const { return dir->filePath(name); }
    TZelkPage* editor() const { return editorWindow() ? editorWindow()->Editor() : nullptr; }

    // Opens a file through "&Datei öffnen..." with the dialog answered.
    void openFile(const QString& file)
    {
        fake->files.push_back(file);
        form->FileOpenItemClick();
    }

private:
    QString oldCwd;
};
