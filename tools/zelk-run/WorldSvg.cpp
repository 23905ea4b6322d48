#include "WorldSvg.h"

#include "RobotPictures.h"

namespace {

// The view's default colours: Wallcolor grey, Barriercolor red.
const char* const WallColour = "#808080";
const char* const BarrierColour = "#ff0000";
const char* const MarkColour = "#ffe680";

const char* const PictureIds[4] = {"zelk-ost", "zelk-nord", "zelk-west", "zelk-sued"};

// Top-left corner of the grid lines around square (x, y), row 1 at the bottom.
int Ox(int x) { return 28 * (x - 1) + 6; }
int Oy(int y) { return 28 * (10 - y) + 6; }

// Centre of item mark k (1 to 9): bottom row first, middle before left before right.
const int MarkDx[9] = {17, 10, 24, 17, 10, 24, 17, 10, 24};
const int MarkDy[9] = {24, 24, 24, 17, 17, 17, 10, 10, 10};

std::string Rect(int left, int top, int width, int height, const char* colour)
{
    return "<rect x=\"" + std::to_string(left) + "\" y=\"" + std::to_string(top) + "\" width=\"" +
           std::to_string(width) + "\" height=\"" + std::to_string(height) + "\" fill=\"" + colour + "\"/>";
}

// The ring in the box (cx - 3, cy - 2) to (cx + 2, cy + 3), as the view
// draws it: its centre lies half a pixel left of and below (cx, cy).
std::string Ring(int cx, int cy)
{
    return "<circle cx=\"" + std::to_string(cx - 1) + ".5\" cy=\"" + std::to_string(cy) +
           ".5\" r=\"2\" fill=\"none\" stroke=\"#000\"/>";
}

// The item marks of square (x, y), 1 to n.
std::string Rings(int x, int y, int n)
{
    std::string rings;
    for (int k = 1; k <= n && k <= 9; ++k)
        rings += Ring(Ox(x) + MarkDx[k - 1], Oy(y) + MarkDy[k - 1]);
    return rings;
}

// A resource picture as a definition with an id: from its <svg on, so that
// an XML declaration or comment before it cannot end up inside the page.
std::string PictureWithId(const std::string& svg, const char* id)
{
    const std::size_t start = svg.find("<svg");
    const std::size_t end = svg.rfind("</svg>");
    if (start == std::string::npos || end == std::string::npos || end < start)
        return "<svg id=\"" + std::string(id) +
               "\" width=\"30\" height=\"28\"><rect x=\"4\" y=\"4\" width=\"24\" height=\"24\" fill=\"#3a78c8\"/></svg>";
    return "<svg id=\"" + std::string(id) + "\"" + svg.substr(start + 4, end + 6 - start - 4);
}

}  // namespace

std::string RobotPictureDefs()
{
    std::string defs = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"0\" height=\"0\" "
                       "style=\"position:absolute\" aria-hidden=\"true\"><defs>";
    for (int d = 0; d < 4; ++d)
        defs += PictureWithId(RobotPictureSvg[d], PictureIds[d]);
    return defs + "</defs></svg>";
}

std::string WorldSvg(const WorldState& world, const std::vector<Square>& marked, const std::string& label)
{
    std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + std::to_string(WorldSvgWidth) +
                      "\" height=\"" + std::to_string(WorldSvgHeight) + "\" viewBox=\"0 0 " +
                      std::to_string(WorldSvgWidth) + " " + std::to_string(WorldSvgHeight) +
                      "\" role=\"img\" aria-label=\"" + HtmlEscaped(label) + "\">";
    svg += Rect(0, 0, WorldSvgWidth, WorldSvgHeight, "#ffffff");
    for (const Square& s : marked)
        svg += Rect(Ox(s.x) + 3, Oy(s.y) + 3, 25, 25, MarkColour);
    for (int i = 0; i <= FeldBreite; ++i)
        svg += Rect(28 * i + 6, 6, 3, 283, WallColour);
    for (int j = 0; j <= FeldHoehe; ++j)
        svg += Rect(6, 28 * j + 6, 423, 3, WallColour);
    const TZelkZustand& r = world.robot;
    // Only the east and north sides, as the view: each inner side once.
    for (int x = 1; x <= FeldBreite; ++x)
        for (int y = 1; y <= FeldHoehe; ++y) {
            const TZelle& cell = world.grid[y - 1][x - 1];
            svg += Rings(x, y, cell.Anzahl);
            if (cell.Offen[Ost] == 0 && x != FeldBreite)
                svg += Rect(Ox(x) + 28, Oy(y), 3, 31, BarrierColour);
            if (cell.Offen[Nord] == 0 && y != FeldHoehe)
                svg += Rect(Ox(x), Oy(y), 31, 3, BarrierColour);
        }
    // The robot over the items of its square, as the view draws it; the
    // differences name what it covers. A mark there frames the picture.
    svg += "<use href=\"#" + std::string(PictureIds[r.Richtung % 4]) + "\" x=\"" + std::to_string(Ox(r.X) - 1) +
           "\" y=\"" + std::to_string(Oy(r.Y) - 1) + "\"/>";
    for (const Square& s : marked)
        if (s.x == r.X && s.y == r.Y)
            svg += "<rect x=\"" + std::to_string(Ox(s.x) + 4) + "\" y=\"" + std::to_string(Oy(s.y) + 4) +
                   "\" width=\"23\" height=\"23\" fill=\"none\" stroke=\"" + MarkColour + "\" stroke-width=\"2\"/>";
    return svg + "</svg>";
}

std::string HtmlEscaped(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default: out += c;
        }
    }
    return out;
}
