#pragma once
// Colours that stay readable on a given background, measured as the web's
// accessibility guidelines measure contrast (WCAG 2: relative luminance,
// ratio from 1 to 21). Text needs 4.5 to 1 there; shapes that carry meaning
// need 3 to 1.
#include <QColor>

constexpr double TextContrast = 4.5;
constexpr double ShapeContrast = 3.0;

double ContrastRatio(const QColor& a, const QColor& b);

// wanted itself when it has ratio against background; otherwise the nearest
// shade of it towards black or white, whichever the background sets off
// more, that has.
QColor Readable(const QColor& wanted, const QColor& background, double ratio);

// a moved the share t (0 to 1) of the way towards b.
QColor Mixed(const QColor& a, const QColor& b, double t);
