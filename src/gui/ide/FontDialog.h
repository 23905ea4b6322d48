#pragma once
// A font dialog that remembers: it opens with the font last confirmed in it
// during this run, not with the font of whatever it is used for. Besides the
// font it carries the colour and character set that go with a font in the
// settings; Qt's font dialog chooses neither, so they keep their first values.
#include <QFont>
#include <cstdint>

class QWidget;

class TFontDialog {
public:
    TFontDialog(const QFont& font, std::int32_t color, int charset);

    // Runs the dialog through the dialog service; on OK Font becomes the
    // chosen font. false when cancelled.
    bool Execute(QWidget* parent);

    QFont Font;
    std::int32_t Color;  // 0x00BBGGRR, or 0x80000000 + system colour index
    int Charset;
};
