#include "FeldBild.h"

namespace {

constexpr int BildBreite = 4 * FeldBreite + 1;
constexpr int BildHoehe = 2 * FeldHoehe + 1;

// The side line above row y (y = FeldHoehe + 1: none, the line under the
// bottom row is index BildHoehe - 1).
const std::string& SeitenZeile(const std::vector<std::string>& z, int y)
{
    return z[2 * (FeldHoehe - y)];
}

void Sperren(RobGitter& feld, int x, int y, TRichtung d)
{
    feld[y - 1][x - 1].Offen[d] = 0;
}

bool Fehler(std::string& fehler, int zeile, const std::string& text)
{
    fehler = "Zeile " + std::to_string(zeile + 1) + " des Bildes: " + text;
    return false;
}

// The north side of every square of row y from the line above it.
bool LeseNordseiten(const std::vector<std::string>& z, int y, TFeldBild& b, std::string& fehler)
{
    const int zeile = 2 * (FeldHoehe - y);
    const std::string& s = SeitenZeile(z, y);
    for (int x = 1; x <= FeldBreite; ++x) {
        if (s[4 * (x - 1)] != '+')
            return Fehler(fehler, zeile, "\"+\" erwartet");
        const std::string seite = s.substr(4 * (x - 1) + 1, 3);
        if (seite != "---" && seite != "   ")
            return Fehler(fehler, zeile, "Seite \"---\" oder \"   \" erwartet");
        const bool zu = seite == "---";
        if (y == FeldHoehe && !zu)
            return Fehler(fehler, zeile, "der obere Rand ist offen");
        if (zu && y < FeldHoehe) {
            SetzeHindernis(b.Feld, x, y, Nord, true);
        }
    }
    return true;
}

// Count, robot and west and east sides of row y.
bool LeseReihe(const std::vector<std::string>& z, int y, TFeldBild& b, bool& roboter,
               std::string& fehler)
{
    const int zeile = 2 * (FeldHoehe - y) + 1;
    const std::string& s = z[zeile];
    for (int x = 1; x <= FeldBreite + 1; ++x) {
        const char seite = s[4 * (x - 1)];
        if (seite != '|' && seite != ' ')
            return Fehler(fehler, zeile, "Seite \"|\" oder \" \" erwartet");
        const bool rand = x == 1 || x == FeldBreite + 1;
        if (rand && seite != '|')
            return Fehler(fehler, zeile, "der Rand ist offen");
        if (!rand && seite == '|') {
            SetzeHindernis(b.Feld, x - 1, y, Ost, true);
        }
        if (x > FeldBreite)
            break;
        for (const char c : s.substr(4 * (x - 1) + 1, 3)) {
            const std::string richtungen = ">^<v";
            if (c >= '0' && c <= '9') {
                b.Feld[y - 1][x - 1].Anzahl = c - '0';
            } else if (richtungen.find(c) != std::string::npos) {
                if (roboter)
                    return Fehler(fehler, zeile, "Zelk steht zweimal im Bild");
                roboter = true;
                b.Roboter.X = x;
                b.Roboter.Y = y;
                b.Roboter.Richtung = static_cast<TRichtung>(richtungen.find(c));
            } else if (c != ' ') {
                return Fehler(fehler, zeile, std::string("unbekanntes Zeichen '") + c + "'");
            }
        }
    }
    return true;
}

}  // namespace

bool LeseFeldBild(const std::vector<std::string>& zeilen, int vorrat, TFeldBild& b,
                  std::string& fehler)
{
    if (zeilen.size() != static_cast<std::size_t>(BildHoehe))
        return Fehler(fehler, 0, std::to_string(BildHoehe) + " Zeilen erwartet");
    for (int i = 0; i < BildHoehe; ++i)
        if (zeilen[i].size() != static_cast<std::size_t>(BildBreite))
            return Fehler(fehler, i, std::to_string(BildBreite) + " Zeichen erwartet");
    if (vorrat < 0 || vorrat > 99)
        return Fehler(fehler, 0, "Vorrat außerhalb von 0 bis 99");
    b.Roboter = TZelkZustand();
    b.Roboter.Vorrat = vorrat;
    for (auto& reihe : b.Feld)
        for (TZelle& zelle : reihe)
            zelle = TZelle();
    bool roboter = false;
    for (int y = FeldHoehe; y >= 1; --y)
        if (!LeseNordseiten(zeilen, y, b, fehler) || !LeseReihe(zeilen, y, b, roboter, fehler))
            return false;
    std::string unten = "+";
    for (int x = 1; x <= FeldBreite; ++x)
        unten += "---+";
    if (zeilen.back() != unten)
        return Fehler(fehler, BildHoehe - 1, "der untere Rand ist offen");
    // The border, drawn and checked above, is stored as blocked outer sides.
    for (int x = 1; x <= FeldBreite; ++x) {
        Sperren(b.Feld, x, 1, Sued);
        Sperren(b.Feld, x, FeldHoehe, Nord);
    }
    for (int y = 1; y <= FeldHoehe; ++y) {
        Sperren(b.Feld, 1, y, West);
        Sperren(b.Feld, FeldBreite, y, Ost);
    }
    if (!roboter)
        return Fehler(fehler, 0, "Zelk fehlt im Bild");
    return true;
}
