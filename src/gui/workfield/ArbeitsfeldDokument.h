#pragma once
// The work field as a document, after Qt's MDI example: the commands of the
// menu "&Arbeitsfeld" and of the button "Feld ändern" are its own work, and
// so is the text of the status panel FeldPanel that names its file. The main
// window keeps the menu items and forwards their handlers here; it follows
// the editing mode and the panel text through the signals.
#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;
class TFeldFlaeche;
class TZelkMeldung;

class TArbeitsfeldDokument : public QObject {
    Q_OBJECT
public:
    // besitzer: the main window, parent of the file dialogs.
    explicit TArbeitsfeldDokument(QWidget* besitzer);

    // The view and the info window, once the main window has made them. The
    // commands work without them, on the world alone.
    void FensterSetzen(TFeldFlaeche* feld, TZelkMeldung* meldung);

    // "&Neu": the empty world with Zelk in its start place.
    void Neu();
    // "&Zurücksetzen": the start state of the world.
    void Zuruecksetzen();
    // "Arbeitsfeld &öffnen": asks for the file, then opens it.
    void Oeffnen();
    // The confirmed open without its dialog.
    void Oeffnen(const QString& pfad);
    // "Arbeitsfeld &speichern": asks for the file; the world's own save asks
    // before it replaces one.
    void Speichern();

    // "&Verändern" and the button "Feld ändern": the editing mode on or off.
    void VeraendernUmschalten();
    bool VeraendernAn() const { return veraendern; }

    // The field's part of "&Kopieren": the view's picture, when the keyboard
    // focus lies in the view.
    void Kopieren();

    // The text of FeldPanel: "Arbeitsfeld: " and the name of the file the
    // world came from.
    void SetFeldPanelText(const QString& text);
    const QString& FeldPanelText() const { return feldPanelText; }

signals:
    void FeldPanelTextGeaendert(const QString& text);
    // Sent after the view and the info window have followed the mode, and
    // before the edited world becomes the start state.
    void VeraendernGeschaltet();

private:
    // The world was replaced as a whole ("&Neu", "&Zurücksetzen", opening a
    // work field): in the editing mode the supply bar moves to the new
    // supply, as when the mode began.
    void WeltErsetzt();

    QWidget* besitzer;
    // Each window may be gone already at shut-down.
    QPointer<TFeldFlaeche> FeldFlaeche;
    QPointer<TZelkMeldung> ZelkMeldung;
    bool veraendern = false;
    QString feldPanelText;
};
