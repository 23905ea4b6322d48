#pragma once
// The "Compilieren" dialog: names the main file and the file being read and
// counts the lines as the scanner finishes them. A translation runs without
// returning to the event loop, so every change is painted at once.
#include <QDialog>

#include "ports/CompileProgress.h"

class QLabel;

class TCompilerDlg : public QDialog, public CompileProgress {
    Q_OBJECT
public:
    explicit TCompilerDlg(QWidget* parent = nullptr);
    ~TCompilerDlg() override;

    int LineCount = 0;  // lines finished since the dialog was shown, over all files

    // CompileProgress.
    void Show() override;
    void SetDateiLabel(const std::string& text) override;
    void SetAktDateiLabel(const std::string& text) override;
    void ShowProgress(int line) override;
    void Close() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();

    QLabel* DateiLabel;     // main file, with ".pas"
    QLabel* AktDateiLabel;  // file being read, with ".pas"
    QLabel* ZeileLabel;     // line reached in the current file
    QLabel* LinesLabel;     // LineCount
};

