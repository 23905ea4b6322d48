#include "Handbuch.h"

#include <regex>

namespace {

std::string HtmlText(std::string s)
{
    const std::pair<const char*, const char*> ersatz[] = {{"&gt;", ">"}, {"&lt;", "<"}, {"&amp;", "&"}};
    for (const auto& [von, nach] : ersatz)
        for (std::size_t p = s.find(von); p != std::string::npos; p = s.find(von, p + 1))
            s.replace(p, std::string(von).size(), nach);
    return s;
}

std::vector<std::string> Zeilen(const std::string& text)
{
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t ende = text.find('\n', start);
        std::string zeile = text.substr(start, ende == std::string::npos ? std::string::npos : ende - start);
        if (!zeile.empty() && zeile.back() == '\r')
            zeile.pop_back();
        if (!zeile.empty())
            out.push_back(zeile);
        if (ende == std::string::npos)
            break;
        start = ende + 1;
    }
    return out;
}

}  // namespace

bool FeldBilderAusHandbuch(const std::string& html, std::vector<TFeldBild>& bilder,
                           std::string& fehler)
{
    static const std::regex pre(
        "<pre class=\"feld\" data-name=\"([A-Z0-9_]+)\" data-vorrat=\"([0-9]{1,2})\">([^<]*)</pre>");
    for (auto it = std::sregex_iterator(html.begin(), html.end(), pre); it != std::sregex_iterator(); ++it) {
        TFeldBild bild;
        bild.Name = (*it)[1];
        if (!LeseFeldBild(Zeilen(HtmlText((*it)[3])), std::stoi((*it)[2]), bild, fehler)) {
            fehler = bild.Name + ": " + fehler;
            return false;
        }
        bilder.push_back(bild);
    }
    if (bilder.empty()) {
        fehler = "keine Arbeitsfeld-Bilder gefunden";
        return false;
    }
    return true;
}

bool ProgrammeAusHandbuch(const std::string& html, std::vector<TProgrammText>& programme,
                          std::string& fehler)
{
    static const std::regex pre("<pre class=\"programm\" data-datei=\"([A-Z0-9_]+\\.PAS)\">([^<]*)</pre>");
    for (auto it = std::sregex_iterator(html.begin(), html.end(), pre); it != std::sregex_iterator(); ++it)
        programme.push_back({(*it)[1], HtmlText((*it)[2])});
    if (programme.empty()) {
        fehler = "keine Programme gefunden";
        return false;
    }
    return true;
}
