#include "ide/Colors.h"

#include <QApplication>
#include <QPalette>

namespace {

// System colour indexes of the settings file and the palette role that
// plays the same part in a Qt theme.
QPalette::ColorRole RoleOfSystemColour(std::uint32_t index)
{
    switch (index) {
    case 2: case 13: case 27: case 29: return QPalette::Highlight;  // captions, selection
    case 4: case 30: return QPalette::Window;                        // menu, menu bar
    case 5: return QPalette::Base;                                   // window background
    case 1: case 12: return QPalette::Dark;                          // desktop, MDI workspace
    case 6: case 21: return QPalette::Shadow;                        // frame, dark shadow
    case 9: case 14: return QPalette::HighlightedText;               // caption text, selected text
    case 15: return QPalette::Button;                                // button face
    case 16: return QPalette::Mid;                                   // button shadow
    case 17: return QPalette::PlaceholderText;                       // grey text
    case 18: return QPalette::ButtonText;
    case 20: return QPalette::Light;                                 // button highlight
    case 22: return QPalette::Midlight;
    case 23: return QPalette::ToolTipText;
    case 24: return QPalette::ToolTipBase;
    case 26: return QPalette::Link;                                  // hot-tracked item
    case 0: case 3: case 10: case 11: return QPalette::Button;       // scroll bar, borders
    case 19: return QPalette::WindowText;
    case 7: case 8: default: return QPalette::WindowText;            // menu text, window text
    }
}

}  // namespace

QColor ToQColor(std::int32_t value)
{
    const auto bits = static_cast<std::uint32_t>(value);
    if ((bits & 0xFF000000u) == 0x80000000u) {
        const QPalette palette = QApplication::palette();
        return palette.color(QPalette::Active, RoleOfSystemColour(bits & 0x00FFFFFFu));
    }
    return QColor(int(bits & 0xFF), int((bits >> 8) & 0xFF), int((bits >> 16) & 0xFF));
}
