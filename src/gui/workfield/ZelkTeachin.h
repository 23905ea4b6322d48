#pragma once
// The teach-in recorder "Teachin": four buttons drive the robot and record
// what they did, a replay runs the recording again from the start state on
// the info window's Timer2, and the recording is kept in a sequence file
// (*.tip) that reads like a procedure.
#include "workfield/MenuFenster.h"
#include <string>

class QLabel;
class QPushButton;

class TTeachin : public TMenuFenster {
    Q_OBJECT
public:
    explicit TTeachin(QWidget* parent = nullptr);
    ~TTeachin() override;

    void vorBtnClick();
    void drehelinksBtnClick();
    void nimmaufBtnClick();
    void gibabBtnClick();
    void RecordBtnClick();
    void StartStopBtnClick();
    void OpenBtnClick();
    void SaveBtnClick();

    void AddCommand(char letter);
    // One replayed command per tick of Timer2; false when the replay has ended.
    bool ReplayStep();
    bool LoadSequence(const QString& fileName);
    // A program run and a replay never drive Zelk together: while a program
    // runs no replay starts, and one that is running ends.
    void ProgrammLaeuft(bool laeuft);
    // Ends a running replay; nothing otherwise.
    void ReplayBeenden();
    bool SaveSequence(const QString& fileName);
    // A tick of the replay timer: one replayed command.
    void Timer2Abgelaufen();

    // The recorded command letters, without the end mark.
    std::string Sequence() const;
    bool IsRecording() const { return Recording; }
    bool IsReplaying() const { return Replaying; }

signals:
    // The replay timer (the info window's Timer2) on or off.
    void ReplayTimerSchalten(bool on);
    // A replay has put the world back to its start state and begins.
    void ReplayGestartet();
    void ReplayGeendet();

private:
    void FormShow() override;
    void FormClose() override;
    void Befehl(char letter);
    void SetReplayTimer(bool on);
    void SetCommandButtonsEnabled(bool enabled);
    void UpdateFileButtons();
    QPushButton* NeuerKnopf(const char* name, const QRect& platz, const QString& text,
                            const QString& hint);

    // The sequence: letters V, D, N, G up to the end mark E.
    char Commands[301] = {'E'};
    int Index = 0;
    bool Recording = false;
    bool Replaying = false;
    bool programmLaeuft = false;

    QPushButton* RecordBtn = nullptr;
    QPushButton* vorBtn = nullptr;
    QPushButton* drehelinksBtn = nullptr;
    QPushButton* gibabBtn = nullptr;
    QPushButton* nimmaufBtn = nullptr;
    QLabel* DateiNameLabel = nullptr;
    QPushButton* StartStopBtn = nullptr;
    QPushButton* OpenBtn = nullptr;
    QPushButton* SaveBtn = nullptr;
};
