#include "platform/Hints.h"

#include <QAbstractButton>
#include <QToolButton>
#include <QWidget>

namespace {

// A button with a caption is named by it; one with a picture only is not.
bool ShowsOwnText(const QWidget* control)
{
    if (const auto* tool = qobject_cast<const QToolButton*>(control))
        return tool->toolButtonStyle() != Qt::ToolButtonIconOnly && !tool->text().isEmpty();
    if (const auto* button = qobject_cast<const QAbstractButton*>(control))
        return !button->text().isEmpty();
    return false;
}

}  // namespace

QString ShortHint(const QString& hint)
{
    const int bar = hint.indexOf('|');
    return bar < 0 ? hint : hint.left(bar);
}

QString LongHint(const QString& hint)
{
    const int bar = hint.indexOf('|');
    return bar < 0 ? hint : hint.mid(bar + 1);
}

void SetHint(QWidget* control, const QString& hint, bool withTip)
{
    const QString shortPart = ShortHint(hint);
    const QString longPart = LongHint(hint);
    control->setProperty("hint", hint);
    control->setToolTip(withTip ? shortPart : QString());
    control->setStatusTip(longPart);
    // Each change of an accessible text is reported to assistive
    // technology; a tool button is given its hint again at every change of
    // its command.
    const QString name = ShowsOwnText(control) ? QString() : shortPart;
    const QString description = longPart.isEmpty() ? shortPart : longPart;
    if (control->accessibleName() != name)
        control->setAccessibleName(name);
    if (control->accessibleDescription() != description)
        control->setAccessibleDescription(description);
}

void Describe(QWidget* control, const QString& description, const QString& name)
{
    if (!name.isEmpty() && control->accessibleName() != name)
        control->setAccessibleName(name);
    if (control->accessibleDescription() != description)
        control->setAccessibleDescription(description);
}
