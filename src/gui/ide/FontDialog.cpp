#include "ide/FontDialog.h"

#include "ide/DialogService.h"

TFontDialog::TFontDialog(const QFont& font, std::int32_t color, int charset)
    : Font(font), Color(color), Charset(charset)
{
}

bool TFontDialog::Execute(QWidget* parent) { return dialogs().GetFont(parent, Font); }
