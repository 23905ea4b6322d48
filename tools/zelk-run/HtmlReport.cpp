#include "HtmlReport.h"

#include "Paths.h"
#include "WorldSvg.h"

namespace {

const char* const Style =
    "body{font-family:sans-serif;margin:1.5em;color:#202020}"
    "table{border-collapse:collapse}"
    "th,td{border:1px solid #b0b0b0;padding:.3em .6em;text-align:left;white-space:pre-wrap}"
    "td.ok{background:#e3f4e3}td.fehler{background:#fbe3e3}td.summe{text-align:right}"
    "section{margin-top:2em;border-top:1px solid #b0b0b0}"
    ".bilder{display:flex;flex-wrap:wrap;gap:1.5em}"
    "figure{margin:0}figcaption{font-weight:bold;margin-bottom:.3em}"
    "li,p.meldung{white-space:pre-wrap}";

std::string E(const std::string& text) { return HtmlEscaped(text); }

std::string Counted(std::size_t n, const char* one, const char* many)
{
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string Anchor(std::size_t s, std::size_t f)
{
    return "lauf-" + std::to_string(s + 1) + "-" + std::to_string(f + 1);
}

std::string TaskName(const TaskTable& table)
{
    std::string folder = table.task->folder;
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return DisplayName(BaseName(folder));
}

std::string TableSection(const TaskTable& table)
{
    std::string html = "<table>\n<thead><tr><th>Lösung</th>";
    for (const TaskField& field : table.task->fields)
        html += "<th>" + E(DisplayName(field.name)) + "</th>";
    html += "<th>Summe</th></tr></thead>\n<tbody>\n";
    for (std::size_t s = 0; s < table.rows.size(); ++s) {
        html += "<tr><th>" + E(table.solutions[s].name) + "</th>";
        for (std::size_t f = 0; f < table.rows[s].size(); ++f) {
            const Cell& cell = table.rows[s][f];
            const std::string text = E(CellText(cell, table.solutions[s].path));
            if (cell.kind == CellKind::Ok)
                html += "<td class=\"ok\">" + text + "</td>";
            else
                html += "<td class=\"fehler\"><a href=\"#" + Anchor(s, f) + "\">" + text + "</a></td>";
        }
        html += "<td class=\"summe\">" + std::to_string(OkCount(table.rows[s])) + "</td></tr>\n";
    }
    return html + "</tbody>\n</table>\n";
}

std::string Figure(const std::string& caption, const std::string& picture)
{
    return "<figure><figcaption>" + E(caption) + "</figcaption>" + picture + "</figure>";
}

// One failed cell: what went wrong, the world it ended in, the goal.
std::string CellSection(const TaskTable& table, std::size_t s, std::size_t f)
{
    const Cell& cell = table.rows[s][f];
    const TaskField& field = table.task->fields[f];
    const std::string title = table.solutions[s].name + " auf " + DisplayName(field.name) + ": " +
                              CellText(cell, table.solutions[s].path);
    std::string html = "<section id=\"" + Anchor(s, f) + "\">\n<h3>" + E(title) + "</h3>\n";
    const std::vector<std::string> lines = CellExplanation(cell);
    if (cell.kind == CellKind::GoalMissed) {
        html += "<ul>";
        for (const std::string& line : lines)
            html += "<li>" + E(line) + "</li>";
        html += "</ul>\n";
    } else {
        for (const std::string& line : lines)
            html += "<p class=\"meldung\">" + E(line) + "</p>\n";
    }
    const std::vector<Square> marked =
        cell.hasWorld && cell.kind == CellKind::GoalMissed ? DifferingSquares(cell.world, field.goal)
                                                           : std::vector<Square>();
    html += "<div class=\"bilder\">";
    if (cell.hasWorld)
        html += Figure("Endstand", WorldSvg(cell.world, marked, "Endstand von " + title));
    else
        html += "<p>Kein Bild: der Lauf lieferte keinen Endstand.</p>";
    html += Figure("Ziel", WorldSvg(field.goal, marked, "Ziel " + DisplayName(field.name)));
    return html + "</div>\n</section>\n";
}

}  // namespace

std::string TableHtml(const TaskTable& table)
{
    const std::string name = TaskName(table);
    std::string html = "<!DOCTYPE html>\n<html lang=\"de\">\n<head>\n<meta charset=\"utf-8\"/>\n"
                       "<title>Zelk: Aufgabe " + E(name) + "</title>\n<style>" + Style +
                       "</style>\n</head>\n<body>\n" + RobotPictureDefs() + "\n<h1>Aufgabe " + E(name) +
                       "</h1>\n<p>" + Counted(table.solutions.size(), "Lösung", "Lösungen") + " auf " +
                       Counted(table.task->fields.size(), "Feld", "Feldern") + "; der Vorrat wird " +
                       (table.compareSupply ? "" : "nicht ") + "verglichen.</p>\n";
    html += TableSection(table);
    bool heading = false;
    for (std::size_t s = 0; s < table.rows.size(); ++s)
        for (std::size_t f = 0; f < table.rows[s].size(); ++f) {
            if (table.rows[s][f].kind == CellKind::Ok)
                continue;
            if (!heading)
                html += "<h2>Misslungene Läufe</h2>\n";
            heading = true;
            html += CellSection(table, s, f);
        }
    return html + "</body>\n</html>\n";
}
