#pragma once
// The program's single windows as tests and tools reach them from outside:
// by their names, which are their object names, among the application's
// windows. The program itself never looks them up: its main window owns
// them and hands them on.
#include <QApplication>
#include <QWidget>

#include "dialogs/ZelkAbout.h"
#include "dialogs/ZelkGauge.h"
#include "dialogs/ZelkParameter.h"
#include "editor/ZelkEdit2.h"
#include "workfield/ZelkGrafik.h"
#include "workfield/ZelkHandsteuerung.h"
#include "workfield/ZelkInfo.h"
#include "workfield/ZelkTeachin.h"

// The window of that type and name, or nullptr while there is none.
template <class T>
T* ProgramWindow(const char* name)
{
    const QString wanted = QString::fromLatin1(name);
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (T* self = qobject_cast<T*>(top); self && self->objectName() == wanted)
            return self;
        if (T* child = top->findChild<T*>(wanted))
            return child;
    }
    return nullptr;
}

inline TZelkEdit* editorWindow() { return ProgramWindow<TZelkEdit>("EditorWindow"); }
inline TFeldFlaeche* feldFlaeche() { return ProgramWindow<TFeldFlaeche>("FeldFlaeche"); }
inline TZelkMeldung* zelkMeldung() { return ProgramWindow<TZelkMeldung>("ZelkMeldung"); }
inline TTeachin* teachinWindow() { return ProgramWindow<TTeachin>("TeachinWindow"); }
inline THandsteuerung* handsteuerungWindow() { return ProgramWindow<THandsteuerung>("HandsteuerungWindow"); }
inline TCompilerDlg* compilerDlg() { return ProgramWindow<TCompilerDlg>("CompilerDlg"); }
inline TAboutBox* aboutBox() { return ProgramWindow<TAboutBox>("AboutBox"); }
inline TOptionenDlg* optionenDlg() { return ProgramWindow<TOptionenDlg>("OptionenDlg"); }
