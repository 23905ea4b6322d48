#include "world/ZelkDatei.h"

#include <algorithm>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "files/SafeRead.h"
#include "files/SafeWrite.h"
#include "ports/Messages.h"
#include "ports/WorldDisplay.h"
#include "text/AsciiNames.h"

namespace fs = std::filesystem;

namespace {

constexpr int RoboterOffset = 4;
constexpr int FeldOffset = 20;
constexpr int ZellenGroesse = 8;

void SchreibeInt(unsigned char* p, std::int32_t v)
{
    const auto u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<unsigned char>(u >> (8 * i));
}

std::int32_t LiesInt(const unsigned char* p)
{
    std::uint32_t u = 0;
    for (int i = 0; i < 4; ++i)
        u |= static_cast<std::uint32_t>(p[i]) << (8 * i);
    return static_cast<std::int32_t>(u);
}

TZelkZustand LiesRoboter(const RobRecord& r)
{
    const unsigned char* p = r.data() + RoboterOffset;
    TZelkZustand z;
    z.Vorrat = LiesInt(p);
    z.Y = LiesInt(p + 4);
    z.X = LiesInt(p + 8);
    z.Richtung = static_cast<TRichtung>(p[12]);  // bytes 13..15 carry nothing
    return z;
}

void LiesFeld(const RobRecord& r, RobGitter& feld)
{
    const unsigned char* p = r.data() + FeldOffset;
    for (int y = 0; y < FeldHoehe; ++y)
        for (int x = 0; x < FeldBreite; ++x, p += ZellenGroesse) {
            feld[y][x].Anzahl = LiesInt(p);
            for (int d = 0; d < 4; ++d)
                feld[y][x].Offen[d] = p[4 + d];
        }
}

}  // namespace

RobRecord RobKodieren(const TZelkZustand& roboter, const RobGitter& feld)
{
    RobRecord r{};  // also zeroes the three reserved bytes after Richtung
    SchreibeInt(r.data(), RobKennung);
    unsigned char* p = r.data() + RoboterOffset;
    SchreibeInt(p, roboter.Vorrat);
    SchreibeInt(p + 4, roboter.Y);
    SchreibeInt(p + 8, roboter.X);
    p[12] = roboter.Richtung;
    p = r.data() + FeldOffset;
    for (int y = 0; y < FeldHoehe; ++y)
        for (int x = 0; x < FeldBreite; ++x, p += ZellenGroesse) {
            SchreibeInt(p, feld[y][x].Anzahl);
            for (int d = 0; d < 4; ++d)
                p[4 + d] = feld[y][x].Offen[d];
        }
    return r;
}

bool RobWerteGueltig(const TZelkZustand& roboter, const RobGitter& feld)
{
    if (roboter.X < 1 || roboter.X > FeldBreite || roboter.Y < 1 || roboter.Y > FeldHoehe)
        return false;
    if (roboter.Richtung > Sued || roboter.Vorrat < 0 || roboter.Vorrat > 99)
        return false;
    for (int y = 0; y < FeldHoehe; ++y)
        for (int x = 0; x < FeldBreite; ++x)
            if (feld[y][x].Anzahl < 0 || feld[y][x].Anzahl > 9)
                return false;
    return true;
}

RobLesen RobDekodieren(std::string_view bytes, TZelkZustand& roboter, RobGitter& feld)
{
    RobRecord r{};
    const std::size_t n = std::min(bytes.size(), r.size());
    std::copy(bytes.begin(), bytes.begin() + n, r.begin());
    if (n < 4)
        return RobLesen::KeineKennung;
    if (LiesInt(r.data()) != RobKennung)
        return RobLesen::FalscheKennung;
    if (n < r.size())
        return RobLesen::Unvollstaendig;
    const TZelkZustand neuRoboter = LiesRoboter(r);
    RobGitter neuFeld;
    LiesFeld(r, neuFeld);
    if (!RobWerteGueltig(neuRoboter, neuFeld))
        return RobLesen::UngueltigerWert;
    roboter = neuRoboter;
    std::copy(&neuFeld[0][0], &neuFeld[0][0] + FeldHoehe * FeldBreite, &feld[0][0]);
    return RobLesen::Gelesen;
}

RobLesen RobDateiLesen(const std::string& path, TZelkZustand& roboter, RobGitter& feld)
{
    // One read of the whole record: checking the identification and then
    // reading again would let the file change in between. A longer file is
    // read like its first record.
    std::string bytes;
    switch (SafeReadFile(path, RobDateiGroesse, bytes, OverLimit::KeepStart)) {
    case ReadResult::Read:
        break;
    case ReadResult::ReadError:
    case ReadResult::TooLarge:
        return RobLesen::Lesefehler;
    default:
        return RobLesen::NichtGeoeffnet;
    }
    return RobDekodieren(bytes, roboter, feld);
}

bool RobDateiSchreiben(const std::string& path, const TZelkZustand& roboter, const RobGitter& feld)
{
    const RobRecord r = RobKodieren(roboter, feld);
    const std::string_view bytes(reinterpret_cast<const char*>(r.data()), r.size());
    return SafeWriteFile(path, bytes) == WriteResult::Written;
}

bool IstArbeitsfeldDatei(std::string_view dateiname)
{
    constexpr std::string_view endung = ".rob";
    return dateiname.size() >= endung.size() &&
           EqualIgnoringAsciiCase(dateiname.substr(dateiname.size() - endung.size()), endung);
}

std::string RobDateiFinden(const std::string& name)
{
    std::error_code ec;
    if (name.find('/') != std::string::npos || fs::exists(name, ec))
        return name;
    const std::string gefunden = FindFileIgnoringCase(".", name);
    return gefunden.empty() ? name : gefunden;
}

// --- The file operations of the model ---

bool tFeld::Speichern(const std::string& path)
{
    bool geschrieben = false;
    return Speichern(path, geschrieben);
}

bool tFeld::Speichern(const std::string& path, bool& geschrieben)
{
    geschrieben = false;
    std::error_code ec;
    if (fs::exists(path, ec)) {
        const MsgAnswer a = messages().Show(MsgIcon::Question, "Confirm",
                                            "Arbeitsfeld existiert bereits. Überschreiben?",
                                            MsgButtons::OkCancel);
        if (a != MsgAnswer::Ok)
            return true;  // the user chose to keep the file: nothing to report
    }
    geschrieben = RobDateiSchreiben(path, RoboterStart, StartFeld);
    return geschrieben;
}

bool tFeld::Oeffnen(const std::string& path)
{
    TZelkZustand roboter;
    RobGitter feld;
    switch (RobDateiLesen(path, roboter, feld)) {
    case RobLesen::Gelesen:
        break;
    case RobLesen::NichtGeoeffnet:
    case RobLesen::Lesefehler:
        ShowError("Fehler beim Laden des Arbeitsfeldes!");
        return false;
    default:
        ShowError(
            "Die ausgewählte Datei ist keine Zelk 2.0 Arbeitsfelddatei. Öffnen Sie eine Datei mit der Dateinamenserweiterung *.ROB.");
        return false;
    }
    Uebernimm(feld, roboter);
    z_.Dateiname = path;
    worldDisplay().ZeigePosition(Roboter.X, Roboter.Y);
    worldDisplay().ZeigeMaterial(Roboter.Vorrat);
    return true;
}

std::string ArbeitsfeldAnzeige(const std::string& name) { return "Arbeitsfeld: " + LowerAscii(name); }

TArbeitsfeldLadung tFeld::LiesArbeitsfeld(const std::string& name) const
{
    TArbeitsfeldLadung ladung;
    ladung.Name = name;
    const std::string voll = name + ".ROB";
    if (voll == Dateiname)
        return ladung;  // already loaded: keep the state the run start restored
    switch (RobDateiLesen(RobDateiFinden(voll), ladung.Roboter, ladung.Feld)) {
    case RobLesen::Gelesen:
        ladung.Ergebnis = 1;
        break;
    case RobLesen::NichtGeoeffnet:
        ladung.Ergebnis = -1;
        break;
    case RobLesen::KeineKennung:
    case RobLesen::FalscheKennung:
    case RobLesen::UngueltigerWert:
        ladung.Ergebnis = -2;
        break;
    case RobLesen::Unvollstaendig:
    case RobLesen::Lesefehler:
        ladung.Ergebnis = -3;
        break;
    }
    return ladung;
}

int tFeld::Uebernimm(const TArbeitsfeldLadung& ladung)
{
    if (ladung.Ergebnis != 1)
        return ladung.Ergebnis;
    Uebernimm(ladung.Feld, ladung.Roboter);
    z_.Dateiname = ladung.Name + ".ROB";
    return 1;
}

void tFeld::Uebernimm(const TZelle (&feld)[FeldHoehe][FeldBreite], const TZelkZustand& roboter)
{
    TWeltZustand neu = z_;
    std::copy(&feld[0][0], &feld[0][0] + FeldHoehe * FeldBreite, &neu.Feld[0][0]);
    std::copy(&feld[0][0], &feld[0][0] + FeldHoehe * FeldBreite, &neu.StartFeld[0][0]);
    neu.Roboter = roboter;
    neu.RoboterStart = roboter;
    Herstellen(neu);
}

int tFeld::Laden(const std::string& name) { return Uebernimm(LiesArbeitsfeld(name)); }

void tFeld::LadeArbeitsfeld(const std::string& name) { LadeArbeitsfeld(LiesArbeitsfeld(name)); }

void tFeld::LadeArbeitsfeld(const TArbeitsfeldLadung& ladung)
{
    switch (Uebernimm(ladung)) {
    case 1:
        worldDisplay().ZeigePosition(Roboter.X, Roboter.Y);
        worldDisplay().ZeigeMaterial(Roboter.Vorrat);
        worldDisplay().SetFeldPanel(ArbeitsfeldAnzeige(ladung.Name));
        worldDisplay().RepaintAll();
        break;
    case 0:
        break;
    case -1:
        Meldung(11);
        break;
    case -2:
        Meldung(12);
        break;
    default:
        Meldung(7);
        break;
    }
}
