#pragma once
// The options dialog "ZELK-Optionen": spelling of the robot words, the
// editor's indentation, tab width and font, and the colours of walls and
// barriers in the work field view. Made once at start-up, when it also reads
// the options from the settings file, and only shown and hidden afterwards.
//
// Every control changes its program-wide setting the moment it is operated;
// "OK" and "Abbrechen" both only close the dialog. The settings reach the
// file when the main window closes.
#include <QDialog>
#include <cstdint>

#include "dialogs/FontDialog.h"

class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;

class TOptionenDlg : public QDialog {
    Q_OBJECT
public:
    // Reads the options (FormCreate) and leaves the dialog hidden.
    explicit TOptionenDlg(QWidget* parent = nullptr);
    ~TOptionenDlg() override;

    // The event handlers, as the controls call them.
    void UnderscoreBtnClick();
    void UnderscoreBtn2Click();
    void AutoIndentBoxClick();
    void SyntaxfarbenBoxClick();
    void TabsetEditChange();
    void Button1Click();  // "Fontauswahl.."
    void Button2Click();  // "Wände.."
    void Button3Click();  // "Hindernisse.."

signals:
    // The colour of the walls or of the barriers has changed.
    void FarbenGeaendert();
    // The spelling of the robot words or "Programmtext farbig" has changed:
    // every page colours its words anew.
    void ProgrammtextFarbenGeaendert();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void CreateButtons();
    void DescribeControls();
    void CreateCompilerPage();
    void CreateEditorPage();
    void CreateArbeitsfeldPage();
    // Reads the options, builds the keyword table for the spelling read and
    // sets the controls from the settings without changing any.
    void FormCreate();
    void ConnectControls();
    void ChooseColour(std::int32_t& setting, QFrame* sample);

    // Components with their form names, which are also their object names.
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QPushButton* HelpBtn;
    QTabWidget* PageControl1;
    QWidget* TabSheet1;
    QWidget* TabSheet2;
    QWidget* TabSheet3;
    QRadioButton* UnderscoreBtn;
    QRadioButton* UnderscoreBtn2;
    QCheckBox* AutoIndentBox;
    QCheckBox* SyntaxfarbenBox;
    QLabel* Label1;
    QSpinBox* TabsetEdit;
    QLabel* Label2;
    QPushButton* Button1;
    QPushButton* Button2;
    QPushButton* Button3;
    QFrame* WallPanel;
    QFrame* BarrierPanel;
    TFontDialog FontDialog1;
    TColorDialog ColorDialog1;  // shared by both colour buttons
};

// Start-up: the options dialog, hidden, owned by owner; reads the options.
TOptionenDlg* CreateOptionenDlg(QWidget* owner);
// "Optionen": shows the dialog modally; the result does not matter.
void ShowOptionenDlg(TOptionenDlg* dialog);
