#pragma once
// The labels of the small forms (info window, about box): black text in the
// forms' bold sans-serif, as large as the text.
#include <QFont>
#include <QString>

class QLabel;
class QWidget;

// "MS Sans Serif" where it exists, else a sans-serif of about its width.
QFont FormSchrift(int points, bool bold);

QLabel* FormLabel(QWidget* parent, const char* name, const QString& text, int left, int top,
                  const QFont& font);
