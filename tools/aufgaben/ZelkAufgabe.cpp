// Writes the work fields of a task from their pictures: each picture in the
// file becomes NAME.ROB in the given folder, through the core's own writer,
// so that the binary files that ship are exactly what the pictures show.
//
//   zelk-aufgabe examples/aufgabe-sammeln/felder.txt examples/aufgabe-sammeln
//
// The file holds pictures as the manual draws them (FeldBild.h), each after
// a line "FELD NAME VORRAT N"; lines starting with '#' and empty lines
// between pictures are comments.
#include <fstream>
#include <iostream>
#include <regex>
#include <string>
#include <vector>

#include "FeldBild.h"

namespace {

constexpr int BildZeilen = 2 * FeldHoehe + 1;

bool Scheitern(const std::string& datei, int zeile, const std::string& warum)
{
    std::cerr << datei << ':' << zeile << ": " << warum << '\n';
    return false;
}

bool LeseBilder(const std::string& datei, std::vector<TFeldBild>& bilder)
{
    std::ifstream in(datei, std::ios::binary);
    if (!in)
        return Scheitern(datei, 0, "kann nicht gelesen werden");
    std::vector<std::string> zeilen;
    for (std::string z; std::getline(in, z);) {
        if (!z.empty() && z.back() == '\r')
            z.pop_back();
        zeilen.push_back(z);
    }
    // A name is one file name: letters, digits, '_', '-' and dots inside.
    static const std::regex kopf("FELD ([A-Za-z0-9_-]+(\\.[A-Za-z0-9_-]+)*) VORRAT ([0-9]{1,2})");
    for (std::size_t i = 0; i < zeilen.size(); ++i) {
        std::smatch m;
        if (zeilen[i].empty() || zeilen[i][0] == '#')
            continue;
        if (!std::regex_match(zeilen[i], m, kopf))
            return Scheitern(datei, static_cast<int>(i) + 1, "\"FELD NAME VORRAT N\" erwartet");
        if (zeilen.size() - i - 1 < static_cast<std::size_t>(BildZeilen))
            return Scheitern(datei, static_cast<int>(i) + 1, "das Bild ist unvollständig");
        TFeldBild bild;
        bild.Name = m[1];
        const std::vector<std::string> bildZeilen(zeilen.begin() + i + 1, zeilen.begin() + i + 1 + BildZeilen);
        std::string fehler;
        if (!LeseFeldBild(bildZeilen, std::stoi(m[3]), bild, fehler))
            return Scheitern(datei, static_cast<int>(i) + 1, bild.Name + ": " + fehler);
        bilder.push_back(bild);
        i += BildZeilen;
    }
    if (bilder.empty())
        return Scheitern(datei, 0, "keine Bilder gefunden");
    return true;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::cerr << "Aufruf: zelk-aufgabe BILDER ORDNER\n";
        return 64;
    }
    std::vector<TFeldBild> bilder;
    if (!LeseBilder(argv[1], bilder))
        return 65;
    for (const TFeldBild& bild : bilder) {
        const std::string ziel = std::string(argv[2]) + "/" + bild.Name + ".ROB";
        if (!RobDateiSchreiben(ziel, bild.Roboter, bild.Feld)) {
            std::cerr << ziel << ": kann nicht geschrieben werden\n";
            return 73;
        }
        std::cout << ziel << '\n';
    }
    return 0;
}
