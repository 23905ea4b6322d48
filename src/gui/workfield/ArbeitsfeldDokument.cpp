#include "workfield/ArbeitsfeldDokument.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <string>

#include "platform/DialogService.h"
#include "ports/Messages.h"
#include "world/ZelkFeld.h"
#include "workfield/ZelkGrafik.h"
#include "workfield/ZelkInfo.h"

namespace {

// The filters of the file dialogs, in the program's own notation.
const QString OeffnenFilter = QStringLiteral("Arbeitsfeld (*.ROB)|*.ROB");
const QString SpeichernFilter = QStringLiteral("Arbeitsfeld|*.rob");

// FeldPanel names a work field file without its folder, as a program's
// ARBEITSFELD names it.
QString PanelTextFuer(const QString& pfad)
{
    return QString::fromStdString(ArbeitsfeldAnzeige(QFileInfo(pfad).fileName().toStdString()));
}

std::string LokalerPfad(const QString& pfad) { return QFile::encodeName(pfad).toStdString(); }

// In the editing mode a world replaced as a whole is one step of the undo
// history, from the call to the end of the command: Ctrl+Z in the view gives
// back the edits it replaced. Outside the mode there is no history.
TFeldBearbeitung ErsetzenAlsSchritt(TFeldFlaeche* feld, bool veraendern)
{
    return TFeldBearbeitung(veraendern ? feld : nullptr);
}

}  // namespace

TArbeitsfeldDokument::TArbeitsfeldDokument(QWidget* besitzer) : QObject(besitzer), besitzer(besitzer)
{
}

void TArbeitsfeldDokument::FensterSetzen(TFeldFlaeche* feld, TZelkMeldung* meldung)
{
    FeldFlaeche = feld;
    ZelkMeldung = meldung;
}

void TArbeitsfeldDokument::Neu()
{
    const TFeldBearbeitung schritt = ErsetzenAlsSchritt(FeldFlaeche, veraendern);
    Welt.Loeschen();
    Welt.Grundstellung();
    WeltErsetzt();
    if (FeldFlaeche)
        FeldFlaeche->RepaintAll();
    if (ZelkMeldung) {
        ZelkMeldung->ZeigeMaterial(Roboter.Vorrat);
        ZelkMeldung->ZeigePosition(Roboter.X, Roboter.Y);
    }
    SetFeldPanelText(QStringLiteral("Arbeitsfeld: "));
}

void TArbeitsfeldDokument::Zuruecksetzen()
{
    const TFeldBearbeitung schritt = ErsetzenAlsSchritt(FeldFlaeche, veraendern);
    const bool ersetzt = Welt.Zuruecksetzen();
    WeltErsetzt();
    if (ersetzt && FeldFlaeche)
        FeldFlaeche->RepaintAll();
}

void TArbeitsfeldDokument::WeltErsetzt()
{
    if (veraendern && ZelkMeldung)
        ZelkMeldung->ScrollMaterialFreigeben(true);
}

void TArbeitsfeldDokument::VeraendernUmschalten()
{
    veraendern = !veraendern;
    if (FeldFlaeche)
        FeldFlaeche->VeraendernSetzen(veraendern);
    if (ZelkMeldung)
        ZelkMeldung->ScrollMaterialFreigeben(veraendern);
    emit VeraendernGeschaltet();
    if (!veraendern)
        Welt.Uebernehmen();  // the edited world is the new start state
}

void TArbeitsfeldDokument::Oeffnen()
{
    const QString pfad =
        dialogs().GetOpenFileName(besitzer, QString(), OeffnenFilter, QDir::currentPath());
    if (!pfad.isEmpty())
        Oeffnen(pfad);
}

void TArbeitsfeldDokument::Oeffnen(const QString& pfad)
{
    QDir::setCurrent(QFileInfo(pfad).absolutePath());
    const TFeldBearbeitung schritt = ErsetzenAlsSchritt(FeldFlaeche, veraendern);
    if (!Welt.Oeffnen(LokalerPfad(pfad)))
        return;  // Oeffnen has shown why
    WeltErsetzt();
    if (FeldFlaeche)
        FeldFlaeche->RepaintAll();
    SetFeldPanelText(PanelTextFuer(pfad));
}

void TArbeitsfeldDokument::Speichern()
{
    // The world's own save asks before it replaces a file.
    const QString pfad = dialogs().GetSaveFileName(besitzer, QString(), SpeichernFilter,
                                                   QStringLiteral("rob"), QDir::currentPath(), false);
    if (pfad.isEmpty())
        return;
    QDir::setCurrent(QFileInfo(pfad).absolutePath());
    if (veraendern)
        VeraendernUmschalten();  // takes the edited world over as the start state
    bool geschrieben = false;
    if (!Welt.Speichern(LokalerPfad(pfad), geschrieben))
        ShowError("Arbeitsfeld konnte nicht gespeichert werden!");
    else if (geschrieben)
        // A declined overwrite wrote nothing: the panel keeps naming the
        // file the world came from.
        SetFeldPanelText(PanelTextFuer(pfad));
}

void TArbeitsfeldDokument::Kopieren()
{
    TFeldFlaeche* feld = FeldFlaeche;
    if (!feld)
        return;
    // The view has the focus when the keyboard focus lies in it; a tool
    // button takes no focus, so this also holds for SpeedButton6.
    QWidget* fokus = QApplication::focusWidget();
    const QMdiArea* bereich = feld->mdiArea();
    const bool imFeld = fokus ? (fokus == feld || feld->isAncestorOf(fokus))
                              : bereich && bereich->activeSubWindow() == feld;
    if (imFeld)
        feld->CopyToClipboard();
}

void TArbeitsfeldDokument::SetFeldPanelText(const QString& text)
{
    feldPanelText = text;
    emit FeldPanelTextGeaendert(text);
}
