#pragma once
// Find and replace in an editor page: the search itself on the page's text
// (positions counting CR LF, see EditPositions), the two handlers that report
// a failed search, and the two modeless dialogs that collect the search text,
// the replacement and the options. Qt has no standard dialogs for this, so
// they are built here with the usual German captions.
#include <QDialog>
#include <QString>

#include "text/ScanBuffer.h"

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

// Searches the editor's text from its selection; a hit becomes the
// selection. False, with the selection as it was, when nothing is found.
bool SearchEditor(QPlainTextEdit* editor, const QString& text, const SearchOptions& options);

// The find handler: searches and says so when nothing is found.
void FindInEditor(QPlainTextEdit* editor, const QString& text, const SearchOptions& options);
// The replace handler: a selection that is the search text (in any case)
// becomes the replacement, then the next hit is selected; with all, every
// further hit is replaced. Only a single replace that finds nothing says so.
void ReplaceInEditor(QPlainTextEdit* editor, const QString& text, const QString& replacement,
                     const SearchOptions& options, bool all);

// What both dialogs share: the search field and the options. The fields
// hold at most 255 characters.
class TSearchDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int MaxTextLength = 255;
    QString FindText() const;
    SearchOptions Options() const;

protected:
    explicit TSearchDialog(QWidget* parent);
    QLineEdit* NewTextField(const char* name);
    QPushButton* NewButton(const char* name, const QString& caption);
    // The search field, the options and, on their right, the buttons.
    void Arrange(QWidget* fields, const QList<QPushButton*>& buttons);
    // Buttons that need a search text follow the search field.
    void NeedsFindText(QPushButton* button);

    QLineEdit* FindTextEdit;

private:
    QCheckBox* WholeWord;
    QCheckBox* MatchCase;
    QRadioButton* DirectionUp;
    QRadioButton* DirectionDown;
};

// "Suchen": Weitersuchen reports Find.
class TFindDialog : public TSearchDialog {
    Q_OBJECT
public:
    explicit TFindDialog(QWidget* parent);
signals:
    void Find();
};

// "Ersetzen": Ersetzen and Alle ersetzen report Replace, ReplaceAll telling
// which; Weitersuchen does nothing.
class TReplaceDialog : public TSearchDialog {
    Q_OBJECT
public:
    explicit TReplaceDialog(QWidget* parent);
    QString ReplaceText() const;
    bool ReplaceAll() const { return replaceAll_; }
signals:
    void Replace();

private:
    QLineEdit* ReplaceTextEdit;
    bool replaceAll_ = false;
};
