#include "dialogs/FontDialog.h"

#include <QFontDatabase>
#include <QFontInfo>

#include "platform/DialogService.h"

TFontDialog::TFontDialog(const QFont& font, std::int32_t color, int charset)
    : Font(font), Color(color), Charset(charset)
{
}

namespace {

// Qt's font dialog opens on a font only when it lists the font's family and
// the font has a size in points; otherwise it shows a font of its own.
QFont Courier(int points)
{
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSize(points);
    for (const QString& family : {font.family(), QStringLiteral("Liberation Mono")})
        if (QFontDatabase::hasFamily(family)) {
            font.setFamily(family);
            return font;
        }
    font.setFamily(QFontInfo(font).family());  // the one the system puts in its place
    return font;
}
constexpr std::int32_t WindowTextColour = std::int32_t(0x80000008u);
constexpr int AnsiCharset = 0;

}  // namespace

TFontDialog::TFontDialog(int courierPoints)
    : TFontDialog(Courier(courierPoints), WindowTextColour, AnsiCharset)
{
}

bool TFontDialog::Execute(QWidget* parent) { return dialogs().GetFont(parent, Font); }

bool TFontDialog::ExecuteWithColor(QWidget* parent, bool* colorChosen)
{
    if (!Execute(parent))
        return false;
    TColorDialog colour(Color);
    const bool chosen = colour.Execute(parent);  // a cancelled one leaves the colour as it was
    Color = colour.Color;
    if (colorChosen)
        *colorChosen = chosen;
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
