#include "editor/Search.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextCursor>
#include <QVBoxLayout>

#include "editor/EditPositions.h"
#include "platform/Hints.h"
#include "platform/Titel.h"
#include "ports/Messages.h"

namespace {

std::u16string_view View(const QString& s)
{
    return {reinterpret_cast<const char16_t*>(s.constData()), static_cast<std::size_t>(s.size())};
}

// The search on a copy of the editor's text (CR LF line breaks), so that
// Replace All need not copy the text anew for every hit.
bool SearchIn(QPlainTextEdit* editor, const QString& buffer, const QString& text,
              const SearchOptions& options)
{
    if (text.isEmpty() || buffer.isEmpty())
        return false;
    const std::optional<int> hit =
        ScanBuffer(View(buffer), SelStart(editor), SelLength(editor), View(text), options);
    if (!hit)
        return false;
    SetSelection(editor, *hit, static_cast<int>(text.size()));
    editor->ensureCursorVisible();
    return true;
}

// Replaces the selection. The caret stands after the inserted text, or
// before it when searching upwards, so that the next search upwards does not
// find the search text inside the replacement.
void ReplaceSelection(QPlainTextEdit* editor, const QString& replacement, bool down)
{
    QTextCursor cursor = editor->textCursor();
    const int from = cursor.selectionStart();
    cursor.insertText(replacement);
    if (!down)
        cursor.setPosition(from);
    editor->setTextCursor(cursor);
}

// Text that the editor would split into lines, so that a copy of its text
// can no longer be patched in step.
bool BreaksLines(const QString& s)
{
    for (const QChar c : s)
        if (c == u'\r' || c == u'\n' || c == QChar::ParagraphSeparator)
            return true;
    return false;
}

// The editor's text breaks its lines with CR LF and nothing else, so a line
// break pasted into the search field, of whatever kind, can only mean that.
// A lone CR would match half of a line break, a place no selection can
// take: the hit would select nothing and Replace All would find it forever.
QString WithEditorLineBreaks(const QString& text)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' || c == u'\n') {
            result += QStringLiteral("\r\n");
            if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
        } else {
            result += c;
        }
    }
    return result;
}

void NotFound(const QString& message)
{
    // Given no title, Qt would title the box with the program file's name.
    messages().Show(MsgIcon::None, ProgrammTitel().toStdString(), message.toStdString(),
                    MsgButtons::Ok);
}

}  // namespace

bool SearchEditor(QPlainTextEdit* editor, const QString& text, const SearchOptions& options)
{
    // The whole text, however long it is.
    return !text.isEmpty() && SearchIn(editor, FullText(editor), WithEditorLineBreaks(text), options);
}

void FindInEditor(QPlainTextEdit* editor, const QString& text, const SearchOptions& options)
{
    if (!SearchEditor(editor, text, options))
        NotFound(QStringLiteral("Suchsting \"") + text + QStringLiteral("\" nicht gefunden."));
}

void ReplaceInEditor(QPlainTextEdit* editor, const QString& typed, const QString& replacement,
                     const SearchOptions& options, bool all)
{
    const QString text = WithEditorLineBreaks(typed);
    // Every replacement of one press is one step to undo.
    QTextCursor edit(editor->document());
    edit.beginEditBlock();
    // Whatever the match-case option says.
    if (!text.isEmpty() && SelectedText(editor).compare(text, Qt::CaseInsensitive) == 0)
        ReplaceSelection(editor, replacement, options.Down);
    QString buffer = FullText(editor);
    bool found = SearchIn(editor, buffer, text, options);
    const bool patchable = !BreaksLines(text) && !BreaksLines(replacement);
    while (found && all) {
        const int at = SelStart(editor);
        ReplaceSelection(editor, replacement, options.Down);
        if (patchable)
            buffer.replace(at, text.size(), replacement);
        else
            buffer = FullText(editor);
        found = SearchIn(editor, buffer, text, options);
    }
    edit.endEditBlock();
    if (!found && !all)
        NotFound(QStringLiteral("Suchstring \"") + typed + QStringLiteral("\" nicht gefunden."));
}

// ---------------------------------------------------------------- dialogs

TSearchDialog::TSearchDialog(QWidget* parent) : QDialog(parent)
{
    setModal(false);
    FindTextEdit = NewTextField("FindText");
    WholeWord = new QCheckBox(QStringLiteral("Nur &ganzes Wort suchen"), this);
    WholeWord->setObjectName(QStringLiteral("WholeWord"));
    MatchCase = new QCheckBox(QStringLiteral("Groß-/Klein&schreibung beachten"), this);
    MatchCase->setObjectName(QStringLiteral("MatchCase"));
    DirectionUp = new QRadioButton(QStringLiteral("Nach &oben"), this);
    DirectionUp->setObjectName(QStringLiteral("DirectionUp"));
    DirectionDown = new QRadioButton(QStringLiteral("Nach &unten"), this);
    DirectionDown->setObjectName(QStringLiteral("DirectionDown"));
    DirectionDown->setChecked(true);
    Describe(FindTextEdit, QStringLiteral("Der Text, nach dem im Programm gesucht wird."));
    Describe(WholeWord, QStringLiteral("Findet den Text nur als ganzes Wort, nicht als Teil eines Worts."));
    Describe(MatchCase, QStringLiteral("Unterscheidet beim Suchen große und kleine Buchstaben."));
    Describe(DirectionUp, QStringLiteral("Sucht von der Schreibmarke zum Anfang des Programms."));
    Describe(DirectionDown, QStringLiteral("Sucht von der Schreibmarke zum Ende des Programms."));
}

QString TSearchDialog::FindText() const { return FindTextEdit->text(); }

SearchOptions TSearchDialog::Options() const
{
    SearchOptions options;
    options.Down = DirectionDown->isChecked();
    options.MatchCase = MatchCase->isChecked();
    options.WholeWord = WholeWord->isChecked();
    return options;
}

QLineEdit* TSearchDialog::NewTextField(const char* name)
{
    auto* field = new QLineEdit(this);
    field->setObjectName(QString::fromLatin1(name));
    field->setMaxLength(MaxTextLength);
    field->setMinimumWidth(220);
    return field;
}

QPushButton* TSearchDialog::NewButton(const char* name, const QString& caption)
{
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

void TSearchDialog::Arrange(QWidget* fields, const QList<QPushButton*>& buttons)
{
    auto* richtung = new QGroupBox(QStringLiteral("Richtung"), this);
    auto* richtungLayout = new QHBoxLayout(richtung);
    richtungLayout->addWidget(DirectionUp);
    richtungLayout->addWidget(DirectionDown);

    auto* left = new QVBoxLayout;
    left->addWidget(fields);
    auto* optionen = new QHBoxLayout;
    auto* checks = new QVBoxLayout;
    checks->addWidget(WholeWord);
    checks->addWidget(MatchCase);
    optionen->addLayout(checks);
    optionen->addWidget(richtung);
    left->addLayout(optionen);

    auto* right = new QVBoxLayout;
    for (QPushButton* button : buttons)
        right->addWidget(button);
    right->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(right);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TSearchDialog::NeedsFindText(QPushButton* button)
{
    button->setEnabled(false);
    connect(FindTextEdit, &QLineEdit::textChanged, button,
            [button](const QString& text) { button->setEnabled(!text.isEmpty()); });
}

TFindDialog::TFindDialog(QWidget* parent) : TSearchDialog(parent)
{
    setObjectName(QStringLiteral("FindDialog1"));
    setWindowTitle(QStringLiteral("Suchen"));
    auto* fields = new QWidget(this);
    auto* row = new QHBoxLayout(fields);
    row->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(QStringLiteral("Suchen &nach:"), fields);
    label->setBuddy(FindTextEdit);
    row->addWidget(label);
    row->addWidget(FindTextEdit);

    QPushButton* weiter = NewButton("FindNextBtn", QStringLiteral("&Weitersuchen"));
    weiter->setDefault(true);
    NeedsFindText(weiter);
    QPushButton* abbrechen = NewButton("CancelBtn", QStringLiteral("Abbrechen"));
    Describe(weiter, QStringLiteral("Sucht die nächste Stelle mit dem Text."));
    Describe(abbrechen, QStringLiteral("Schließt das Fenster."));
    connect(weiter, &QPushButton::clicked, this, &TFindDialog::Find);
    connect(abbrechen, &QPushButton::clicked, this, &QDialog::reject);
    Arrange(fields, {weiter, abbrechen});
}

TReplaceDialog::TReplaceDialog(QWidget* parent) : TSearchDialog(parent)
{
    setObjectName(QStringLiteral("ReplaceDialog1"));
    setWindowTitle(QStringLiteral("Ersetzen"));
    ReplaceTextEdit = NewTextField("ReplaceText");
    auto* fields = new QWidget(this);
    auto* grid = new QGridLayout(fields);
    grid->setContentsMargins(0, 0, 0, 0);
    auto* suchen = new QLabel(QStringLiteral("Suchen &nach:"), fields);
    suchen->setBuddy(FindTextEdit);
    auto* durch = new QLabel(QStringLiteral("Ersetzen &durch:"), fields);
    durch->setBuddy(ReplaceTextEdit);
    grid->addWidget(suchen, 0, 0);
    grid->addWidget(FindTextEdit, 0, 1);
    grid->addWidget(durch, 1, 0);
    grid->addWidget(ReplaceTextEdit, 1, 1);

    // Weitersuchen is there as in every replace dialog but reports nothing.
    QPushButton* weiter = NewButton("FindNextBtn", QStringLiteral("&Weitersuchen"));
    weiter->setDefault(true);
    NeedsFindText(weiter);
    QPushButton* ersetzen = NewButton("ReplaceBtn", QStringLiteral("&Ersetzen"));
    NeedsFindText(ersetzen);
    QPushButton* alle = NewButton("ReplaceAllBtn", QStringLiteral("&Alle ersetzen"));
    NeedsFindText(alle);
    QPushButton* abbrechen = NewButton("CancelBtn", QStringLiteral("Abbrechen"));
    Describe(ReplaceTextEdit, QStringLiteral("Der Text, der den gefundenen ersetzt."));
    Describe(weiter, QStringLiteral("Hat in diesem Fenster keine Wirkung."));
    Describe(ersetzen, QStringLiteral("Ersetzt die nächste Stelle mit dem Text."));
    Describe(alle, QStringLiteral("Ersetzt jede Stelle mit dem Text."));
    Describe(abbrechen, QStringLiteral("Schließt das Fenster."));
    connect(ersetzen, &QPushButton::clicked, this, [this] {
        replaceAll_ = false;
        emit Replace();
    });
    connect(alle, &QPushButton::clicked, this, [this] {
        replaceAll_ = true;
        emit Replace();
    });
    connect(abbrechen, &QPushButton::clicked, this, &QDialog::reject);
    Arrange(fields, {weiter, ersetzen, alle, abbrechen});
}

QString TReplaceDialog::ReplaceText() const { return ReplaceTextEdit->text(); }
