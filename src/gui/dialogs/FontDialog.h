#pragma once
// Font and colour dialogs that remember.
//
// A font dialog that remembers: it opens with the font last confirmed in it
// during this run, not with the font of whatever it is used for. Besides the
// font it carries the colour and character set that go with a font in the
// settings; Qt's font dialog chooses neither, so they keep their first values
// unless a colour dialog follows it.
#include <QFont>
#include <cstdint>

class QWidget;

class TFontDialog {
public:
    TFontDialog(const QFont& font, std::int32_t color, int charset);
    // Offers first, before anything is confirmed in it, Courier New of this
    // size in points in the window text colour with the ANSI character set.
    // Where Courier New is missing it offers its metric twin Liberation Mono.
    explicit TFontDialog(int courierPoints);

    // Runs the dialog through the dialog service; on OK Font becomes the
    // chosen font. false when cancelled.
    bool Execute(QWidget* parent);
    // The same, and after a confirmed font a colour dialog for Color, which
    // opens with the colour last confirmed there. Cancelling the colour
    // keeps the font and the old colour; false only when the font dialog
    // was cancelled. colorChosen, when given, tells whether the colour
    // dialog was confirmed.
    bool ExecuteWithColor(QWidget* parent, bool* colorChosen = nullptr);

    QFont Font;
    std::int32_t Color;  // 0x00BBGGRR, or 0x80000000 + system colour index
    int Charset;
};

// A colour dialog that opens with the colour last confirmed in it during
// this run, whatever it is used for.
class TColorDialog {
public:
    explicit TColorDialog(std::int32_t color = 0) : Color(color) {}

    // Runs the dialog through the dialog service; on OK Color becomes the
    // chosen colour. false when cancelled.
    bool Execute(QWidget* parent);

    std::int32_t Color;  // 0x00BBGGRR, or 0x80000000 + system colour index
};
