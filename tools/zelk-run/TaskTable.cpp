#include "TaskTable.h"

#include <algorithm>

#include "Paths.h"
#include "text/TextCodec.h"

namespace {

// Explanation lines of one cell below the text table.
constexpr std::size_t MaxTextLines = 5;

// Characters on a terminal: every byte that does not continue a UTF-8 sequence.
std::size_t Width(const std::string& utf8)
{
    return static_cast<std::size_t>(
        std::count_if(utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string Padded(const std::string& text, std::size_t width)
{
    const std::size_t w = Width(text);
    return w < width ? text + std::string(width - w, ' ') : text;
}

// The header and every row as cell texts, the sum last.
std::vector<std::vector<std::string>> Grid(const TaskTable& table)
{
    std::vector<std::vector<std::string>> grid;
    std::vector<std::string> header{"Lösung"};
    for (const TaskField& field : table.task->fields)
        header.push_back(DisplayName(field.name));
    header.push_back("Summe");
    grid.push_back(header);
    for (std::size_t s = 0; s < table.rows.size(); ++s) {
        std::vector<std::string> row{table.solutions[s].name};
        for (const Cell& cell : table.rows[s])
            row.push_back(CellText(cell, table.solutions[s].path));
        row.push_back(std::to_string(OkCount(table.rows[s])));
        grid.push_back(row);
    }
    return grid;
}

std::string Place(const Cell& cell)
{
    return cell.file.empty() ? std::string() : DisplayName(cell.file) + ", Zeile " + std::to_string(cell.line) + ": ";
}

}  // namespace

std::string CellText(const Cell& cell, const std::string& solutionPath)
{
    switch (cell.kind) {
    case CellKind::Ok: return "ok";
    case CellKind::GoalMissed: return "Ziel verfehlt";
    case CellKind::Failure: return "Fehler: " + cell.message;
    case CellKind::StepLimit: return "Schrittgrenze";
    case CellKind::OwnWorkField: return "Fehler: lädt ein eigenes Arbeitsfeld";
    case CellKind::SourceError:
        break;
    }
    // A scanner error names no line; an error in a unit names the unit.
    if (cell.file.empty())
        return "Übersetzungsfehler";
    std::string text = "Übersetzungsfehler Zeile " + std::to_string(cell.line);
    if (cell.file != BaseName(solutionPath))
        text += " in " + DisplayName(cell.file);
    return text;
}

std::vector<std::string> CellExplanation(const Cell& cell)
{
    switch (cell.kind) {
    case CellKind::Ok: return {};
    case CellKind::GoalMissed: return cell.differences;
    case CellKind::OwnWorkField:
        return {"Das Programm lädt mit ARBEITSFELD ein eigenes Arbeitsfeld und wurde nicht ausgeführt."};
    default:
        // Without a place the cell itself says it all.
        if (cell.file.empty() && cell.kind == CellKind::Failure)
            return {};
        return {Place(cell) + cell.message};
    }
}

int OkCount(const std::vector<Cell>& row)
{
    return static_cast<int>(std::count_if(row.begin(), row.end(), [](const Cell& c) { return c.kind == CellKind::Ok; }));
}

bool AllOk(const TaskTable& table)
{
    return std::all_of(table.rows.begin(), table.rows.end(),
                       [](const std::vector<Cell>& row) { return OkCount(row) == static_cast<int>(row.size()); });
}

std::string DisplayName(const std::string& bytes)
{
    std::string text = IsValidUtf8(bytes) ? bytes : Windows1252ToUtf8(bytes);
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = '?';
    return text;
}

namespace {

// The last n parts of a path ("anna/sammeln.pas" for n = 2); the whole path
// when it has no more.
std::string LastParts(const std::string& path, int n)
{
    std::size_t at = path.size();
    for (int i = 0; i < n; ++i) {
        if (at == 0 || at == std::string::npos)
            return path;
        at = path.find_last_of('/', at - 1);
        if (at == std::string::npos)
            return path;
    }
    return path.substr(at + 1);
}

}  // namespace

std::vector<Solution> NameSolutions(const std::vector<std::string>& paths)
{
    std::vector<Solution> solutions;
    for (const std::string& path : paths) {
        // As many of the path's last parts as tell it from every other.
        std::string name = path;
        for (int n = 1; LastParts(path, n) != path; ++n) {
            const std::string tail = LastParts(path, n);
            const bool shared = std::any_of(paths.begin(), paths.end(), [&](const std::string& other) {
                return &other != &path && other != path && LastParts(other, n) == tail;
            });
            if (!shared) {
                name = tail;
                break;
            }
        }
        solutions.push_back({path, DisplayName(name)});
    }
    return solutions;
}

std::string TableText(const TaskTable& table)
{
    const auto grid = Grid(table);
    std::vector<std::size_t> widths(grid.front().size(), 0);
    for (const auto& row : grid)
        for (std::size_t c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], Width(row[c]));
    std::string text;
    for (const auto& row : grid) {
        for (std::size_t c = 0; c + 1 < row.size(); ++c)
            text += Padded(row[c], widths[c]) + "  ";
        // The sum is a number: right-aligned under its heading, nothing after it.
        text += std::string(widths.back() - Width(row.back()), ' ') + row.back() + "\n";
    }
    for (std::size_t s = 0; s < table.rows.size(); ++s)
        for (std::size_t f = 0; f < table.rows[s].size(); ++f) {
            const Cell& cell = table.rows[s][f];
            if (cell.kind == CellKind::Ok)
                continue;
            text += "\n" + table.solutions[s].name + ", " + DisplayName(table.task->fields[f].name) + ": " +
                    CellText(cell, table.solutions[s].path) + "\n";
            // A solution that misses everywhere would bury the table: the
            // first few lines here, all of them in the HTML page.
            const std::vector<std::string> lines = CellExplanation(cell);
            const std::size_t shown = lines.size() > MaxTextLines + 1 ? MaxTextLines : lines.size();
            for (std::size_t i = 0; i < shown; ++i)
                text += "  " + lines[i] + "\n";
            if (shown < lines.size())
                text += "  ... und " + std::to_string(lines.size() - shown) + " weitere Unterschiede\n";
        }
    return text;
}

std::string CsvField(const std::string& text)
{
    std::string field = text;
    if (!field.empty() && std::string("=+-@").find(field.front()) != std::string::npos)
        field.insert(0, "'");
    const bool quote = field.find_first_of(";\"\r\n") != std::string::npos ||
                       (!field.empty() && (field.front() == ' ' || field.back() == ' '));
    if (!quote)
        return field;
    std::string quoted = "\"";
    for (const char c : field)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

std::string TableCsv(const TaskTable& table)
{
    std::string csv(Utf8ByteOrderMark);
    for (const auto& row : Grid(table)) {
        for (std::size_t c = 0; c < row.size(); ++c)
            csv += (c ? ";" : "") + CsvField(row[c]);
        csv += "\r\n";
    }
    return csv;
}
