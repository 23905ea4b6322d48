#include "editor/GutterAccess.h"

#include <QWidget>


namespace {

// The line at a place on the screen: an item has no object of its own, so
// it asks its gutter for what that place shows now.
class TGutterLineAccess : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    TGutterLineAccess(const TGutterAccess* gutter, int index) : gutter(gutter), index(index) {}

    bool isValid() const override
    {
        TGutterLine line;
        return gutter->isValid() && gutter->LineAt(index, line);
    }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return gutter->window(); }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return const_cast<TGutterAccess*>(gutter); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    void setText(QAccessible::Text, const QString&) override {}
    QAccessible::Role role() const override { return QAccessible::ListItem; }

    // Checked while the line holds a breakpoint, as a check box would be.
    QAccessible::State state() const override
    {
        QAccessible::State state;
        TGutterLine line;
        state.checkable = true;
        state.checked = gutter->LineAt(index, line) && line.breakpoint;
        return state;
    }

    QString text(QAccessible::Text t) const override
    {
        TGutterLine line;
        if (!gutter->LineAt(index, line))
            return QString();
        if (t == QAccessible::Name)
            return QStringLiteral("Zeile %1").arg(line.number + 1);
        if (t == QAccessible::Description)
            return GutterLineDescription(line);
        return QString();
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ActionInterface)
            return static_cast<QAccessibleActionInterface*>(this);
        return nullptr;
    }

    // One action, the click in the gutter: the breakpoint on or off.
    QStringList actionNames() const override { return {toggleAction()}; }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }
    void doAction(const QString& action) override
    {
        TGutterLine line;
        if ((action == toggleAction() || action == pressAction()) && gutter->LineAt(index, line))
            gutter->ToggleBreakpoint(line.number);
    }

    QRect rect() const override
    {
        TGutterLine line;
        const QWidget* widget = gutter->Gutter();
        if (!gutter->LineAt(index, line) || !widget)
            return QRect();
        return QRect(widget->mapToGlobal(line.rect.topLeft()), line.rect.size());
    }

private:
    const TGutterAccess* gutter;
    int index;
};

}  // namespace

QString GutterLineDescription(const TGutterLine& line)
{
    QStringList parts;
    if (line.breakpoint)
        parts << QStringLiteral("Haltepunkt");
    if (line.executionMark)
        parts << QStringLiteral("Ausführungsmarke");
    return parts.join(QStringLiteral(", "));
}

TGutterAccess::TGutterAccess(QWidget* gutter, TGutterModel model)
    : QAccessibleWidget(gutter, QAccessible::List), model(std::move(model))
{
}

TGutterAccess::~TGutterAccess()
{
    for (QAccessible::Id id : items)
        QAccessible::deleteAccessibleInterface(id);
}

QString TGutterAccess::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name)
        return QStringLiteral("Zeilennummern");
    if (t == QAccessible::Description && widget())
        return model.lastAnnouncement();
    return QAccessibleWidget::text(t);
}

std::vector<TGutterLine> TGutterAccess::Lines() const
{
    return widget() ? model.visibleLines() : std::vector<TGutterLine>();
}

void TGutterAccess::ToggleBreakpoint(int number) const
{
    if (widget())
        model.toggleBreakpoint(number);
}

bool TGutterAccess::LineAt(int index, TGutterLine& line) const
{
    const std::vector<TGutterLine> shown = Lines();
    if (index < 0 || index >= int(shown.size()))
        return false;
    line = shown[std::size_t(index)];
    return true;
}

int TGutterAccess::childCount() const { return int(Lines().size()); }

QAccessibleInterface* TGutterAccess::child(int index) const
{
    if (index < 0 || index >= childCount())
        return nullptr;
    while (int(items.size()) <= index) {
        auto* item = new TGutterLineAccess(this, int(items.size()));
        items.push_back(QAccessible::registerAccessibleInterface(item));
    }
    return QAccessible::accessibleInterface(items[std::size_t(index)]);
}

int TGutterAccess::indexOfChild(const QAccessibleInterface* child) const
{
    for (std::size_t i = 0; i < items.size(); ++i)
        if (QAccessible::accessibleInterface(items[i]) == child)
            return int(i);
    return -1;
}

QAccessibleInterface* TGutterAccess::childAt(int x, int y) const
{
    const QWidget* gutter = widget();
    if (!gutter)
        return nullptr;
    const QPoint local = gutter->mapFromGlobal(QPoint(x, y));
    const std::vector<TGutterLine> shown = Lines();
    for (std::size_t i = 0; i < shown.size(); ++i)
        if (shown[i].rect.contains(local))
            return child(int(i));
    return nullptr;
}
