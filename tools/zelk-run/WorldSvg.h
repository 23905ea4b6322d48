#pragma once
// A world drawn as SVG the way the world view draws it: grey grid lines,
// red barriers, a ring for each item, the robot picture on its square, over
// the items there.
#include <string>
#include <vector>

#include "GoalCheck.h"

// Size of one picture in pixels, the view's client area.
constexpr int WorldSvgWidth = 435;
constexpr int WorldSvgHeight = 295;

// The robot pictures, once per page: every picture made by WorldSvg uses
// them by reference, so the page must hold this before them.
std::string RobotPictureDefs();

// One picture of world, each square in marked on a light yellow ground.
// label names the picture for screen readers; it is escaped here.
std::string WorldSvg(const WorldState& world, const std::vector<Square>& marked, const std::string& label);

// Text made safe for HTML and XML, in content and in quoted attributes.
std::string HtmlEscaped(const std::string& text);
