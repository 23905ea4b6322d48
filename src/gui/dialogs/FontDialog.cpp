#include "dialogs/FontDialog.h"

#include "platform/DialogService.h"

TFontDialog::TFontDialog(const QFont& font, std::int32_t color, int charset)
    : Font(font), Color(color), Charset(charset)
{
}

namespace {

QFont Courier(int pixels)
{
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(pixels);
    return font;
}
constexpr std::int32_t WindowTextColour = std::int32_t(0x80000008u);
constexpr int AnsiCharset = 0;

}  // namespace

TFontDialog::TFontDialog(int courierPixels)
    : TFontDialog(Courier(courierPixels), WindowTextColour, AnsiCharset)
{
}

bool TFontDialog::Execute(QWidget* parent) { return dialogs().GetFont(parent, Font); }

bool TFontDialog::ExecuteWithColor(QWidget* parent)
{
    if (!Execute(parent))
        return false;
    TColorDialog colour(Color);
    colour.Execute(parent);  // a cancelled one leaves the colour as it was
    Color = colour.Color;
    return true;
}

bool TColorDialog::Execute(QWidget* parent)
{
    int chosen = Color;
    if (!dialogs().GetColor(parent, chosen))
        return false;
    Color = chosen;
    return true;
}
