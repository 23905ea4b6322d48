// Writes the seed corpus of worldfile_fuzz: records made by the core's own
// encoder, in several shapes, most of them valid so that the fuzzer starts
// inside the loader's accepting paths and not at its first check. Bytes after
// a record are robot commands for the fuzzer (byte % 5: Vor, DreheLinks,
// NimmAuf, GibAb, a test), so some seeds carry a walk.
//
//   cmake --build build --target worldfile_seeds
//   build/worldfile_seeds fuzz/corpus/worldfile
#include <cstdio>
#include <string>
#include <vector>

#include "world/ZelkDatei.h"
#include "world/ZelkFeld.h"

namespace {

using Bytes = std::vector<unsigned char>;

enum Befehl : unsigned char { V = 0, L = 1, N = 2, G = 3 };
unsigned char Test(int nummer) { return static_cast<unsigned char>(4 + 5 * nummer); }

// An empty field with a closed border, the robot as given.
struct Entwurf {
    TZelkZustand roboter;
    RobGitter feld;

    Entwurf(int x, int y, TRichtung d, int vorrat)
    {
        roboter = TZelkZustand{vorrat, y, x, d};
        for (int zy = 1; zy <= FeldHoehe; ++zy)
            for (int zx = 1; zx <= FeldBreite; ++zx) {
                TZelle& z = Zelle(zx, zy);
                z = TZelle{};
                z.Offen[Ost] = zx < FeldBreite;
                z.Offen[Nord] = zy < FeldHoehe;
                z.Offen[West] = zx > 1;
                z.Offen[Sued] = zy > 1;
            }
    }
    TZelle& Zelle(int x, int y) { return feld[y - 1][x - 1]; }

    // A barrier between two neighbours, recorded on both sides.
    void Wand(int x, int y, TRichtung d)
    {
        static const int dx[4] = {1, 0, -1, 0}, dy[4] = {0, 1, 0, -1};
        Zelle(x, y).Offen[d] = 0;
        Zelle(x + dx[d], y + dy[d]).Offen[(d + 2) % 4] = 0;
    }

    Bytes Datei(const Bytes& befehle = {}) const
    {
        const RobRecord r = RobKodieren(roboter, feld);
        Bytes b(r.begin(), r.end());
        b.insert(b.end(), befehle.begin(), befehle.end());
        return b;
    }
};

Bytes Wiederholt(const Bytes& muster, int mal)
{
    Bytes b;
    for (int i = 0; i < mal; ++i)
        b.insert(b.end(), muster.begin(), muster.end());
    return b;
}

void SetzeInt(Bytes& b, std::size_t offset, std::int32_t wert)
{
    for (int i = 0; i < 4; ++i)
        b[offset + static_cast<std::size_t>(i)] = static_cast<unsigned char>(static_cast<std::uint32_t>(wert) >> (8 * i));
}

bool Schreibe(const std::string& ordner, const std::string& name, const Bytes& b)
{
    const std::string path = ordner + "/" + name;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        std::perror(path.c_str());
        return false;
    }
    const bool ok = std::fwrite(b.data(), 1, b.size(), f) == b.size();
    return std::fclose(f) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: worldfile_seeds FOLDER\n");
        return 64;
    }
    const std::string ordner = argv[1];
    bool ok = true;
    auto seed = [&](const char* name, const Bytes& b) { ok = Schreibe(ordner, name, b) && ok; };

    // The start-up world, bare and with a walk along the bottom row and back.
    const Entwurf leer(1, 1, Ost, 0);
    seed("leer.rob", leer.Datei());
    Bytes rundgang = Wiederholt({V}, 14);
    rundgang.insert(rundgang.end(), {L, L, Test(2), V, N, G, Test(3)});
    seed("leer_rundgang.rob", leer.Datei(rundgang));

    // Full everywhere, robot in the top-right corner with a full supply:
    // every action fails there.
    Entwurf voll(FeldBreite, FeldHoehe, Nord, 99);
    for (auto& reihe : voll.feld)
        for (TZelle& z : reihe)
            z.Anzahl = 9;
    seed("voll_ecke.rob", voll.Datei({V, N, G, L, V, L, V, Test(0), Test(3), Test(4)}));

    // A walled corridor with items to collect and drop, the robot in the middle.
    Entwurf gang(8, 5, West, 10);
    for (int x = 2; x <= 14; ++x) {
        gang.Wand(x, 5, Nord);
        gang.Wand(x, 5, Sued);
    }
    gang.Wand(3, 5, West);
    for (int x = 3; x <= 12; x += 3)
        gang.Zelle(x, 5).Anzahl = x % 9 + 1;
    Bytes gangBefehle;
    for (int i = 0; i < 6; ++i)
        gangBefehle.insert(gangBefehle.end(), {V, N, Test(1), Test(5), G});
    gangBefehle.insert(gangBefehle.end(), {L, V, L, L, V, Test(6), Test(7), Test(8)});
    seed("gang.rob", gang.Datei(gangBefehle));

    // Barriers that only one side records, and side flags other than 1.
    Entwurf einseitig(5, 3, Nord, 1);
    einseitig.Zelle(5, 3).Offen[Nord] = 0;   // blocked from below only
    einseitig.Zelle(6, 4).Offen[West] = 0;   // blocked from the right only
    einseitig.Zelle(7, 7).Offen[Ost] = 255;
    einseitig.Zelle(7, 7).Offen[Nord] = 2;
    einseitig.Zelle(2, 9).Anzahl = 4;
    seed("einseitig.rob", einseitig.Datei({V, L, L, V, V, L, V, L, V, V, G, N, N, Test(2)}));

    // A file may leave a border side open: the robot must still stay inside.
    Entwurf offen(FeldBreite, 1, Ost, 0);
    for (int y = 1; y <= FeldHoehe; ++y) {
        offen.Zelle(FeldBreite, y).Offen[Ost] = 1;
        offen.Zelle(1, y).Offen[West] = 1;
    }
    for (int x = 1; x <= FeldBreite; ++x)
        offen.Zelle(x, FeldHoehe).Offen[Nord] = 1;
    seed("offener_rand.rob", offen.Datei({V, L, V, V, L, L, L, V, L, L, V}));

    // A checkerboard of items and a facing south at the bottom.
    Entwurf schach(1, 1, Sued, 50);
    for (int y = 1; y <= FeldHoehe; ++y)
        for (int x = 1; x <= FeldBreite; ++x)
            schach.Zelle(x, y).Anzahl = (x + y) % 2 ? 0 : (x * y) % 10;
    seed("schach.rob", schach.Datei(Wiederholt({V, G, N, L, V, V}, 8)));

    // Valid but for the reserved bytes after the direction, which the
    // loader ignores.
    Bytes reserviert = leer.Datei();
    reserviert[17] = 0xAB, reserviert[18] = 1, reserviert[19] = 0xFF;
    seed("reserviert.rob", reserviert);

    // Refused files, one for each check of the loader.
    const Bytes gueltig = leer.Datei();
    seed("nur_kennung.rob", Bytes(gueltig.begin(), gueltig.begin() + 4));
    seed("kurz.rob", Bytes(gueltig.begin(), gueltig.begin() + 600));
    Bytes kennung = leer.Datei();
    kennung[3] = 1;
    seed("falsche_kennung.rob", kennung);
    Bytes ausserhalb = leer.Datei();
    SetzeInt(ausserhalb, 12, FeldBreite + 1);  // X
    seed("roboter_ausserhalb.rob", ausserhalb);
    Bytes zehn = leer.Datei();
    SetzeInt(zehn, 20 + 8 * 17, 10);  // a tenth item on square (3, 2)
    seed("zehn_gegenstaende.rob", zehn);
    Bytes richtung = leer.Datei();
    richtung[16] = 4;
    seed("richtung_4.rob", richtung);

    return ok ? 0 : 1;
}
