#pragma once
// Hints, the one home of a control's explaining texts. A hint "short|long"
// holds a short part, the tooltip, and a long part, the text of the status
// line; a text without a bar is both. A screen reader reads the same texts
// as the control's accessible name and description.
#include <QString>

class QWidget;

QString ShortHint(const QString& hint);
QString LongHint(const QString& hint);

// Gives a control its hint: the tooltip (none with withTip false), the
// status line text, the hint itself as the property "hint", and the
// accessible texts. The short part names a control that shows no text of
// its own; the long part, or the short one when there is none, describes it.
void SetHint(QWidget* control, const QString& hint, bool withTip = true);

// Gives a control of a dialog whose look is fixed only its accessible texts:
// no tooltip, no status text. An empty name leaves the control the name it
// takes from its caption or its label.
void Describe(QWidget* control, const QString& description, const QString& name = QString());
