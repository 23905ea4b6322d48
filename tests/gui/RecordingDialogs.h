#pragma once
// A dialog service for GUI tests: it records every box and file dialog the
// program asks for and answers them from queues instead of a human.
#include <QFont>
#include <QList>
#include <QPrinter>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>

#include "platform/DialogService.h"

class RecordingDialogs : public DialogService {
public:
    struct Box {
        MsgIcon icon;
        QString title;
        QString text;
        MsgButtons buttons;
    };
    struct FileDialog {
        bool save;
        QString filter;
        QString defaultSuffix;
        QString directory;
        bool confirmOverwrite;
    };

    QList<Box> boxes;
    std::deque<MsgAnswer> answers;  // taken in order; none left: the first button
    QList<FileDialog> fileDialogs;
    std::deque<QString> files;      // chosen paths in order; "" or none left: cancelled
    QList<QFont> fontDialogs;       // the font each font dialog opened with
    std::deque<QFont> fonts;        // chosen fonts in order; none left: cancelled
    QList<int> colorDialogs;        // the colour each colour dialog opened with
    std::deque<int> colors;         // chosen colours in order; none left: cancelled
    int printDialogs = 0;
    QString printTo;                // a confirmed print dialog prints to this PDF; "": cancelled
    // Runs while a box is up, before it is answered.
    std::function<void(const Box&)> onBox;

    MsgAnswer Show(MsgIcon icon, const std::string& title, const std::string& text,
                   MsgButtons buttons) override
    {
        boxes.append({icon, QString::fromStdString(title), QString::fromStdString(text), buttons});
        if (onBox)
            onBox(boxes.last());
        if (!answers.empty()) {
            const MsgAnswer a = answers.front();
            answers.pop_front();
            return a;
        }
        return buttons == MsgButtons::YesNo || buttons == MsgButtons::YesNoCancel ? MsgAnswer::Yes
                                                                                  : MsgAnswer::Ok;
    }

    QString GetOpenFileName(QWidget*, const QString&, const QString& filter,
                            const QString& directory) override
    {
        fileDialogs.append({false, filter, QString(), directory, false});
        return next();
    }

    QString GetSaveFileName(QWidget*, const QString&, const QString& filter,
                            const QString& defaultSuffix, const QString& directory,
                            bool confirmOverwrite) override
    {
        fileDialogs.append({true, filter, defaultSuffix, directory, confirmOverwrite});
        return next();
    }

    bool GetFont(QWidget*, QFont& font) override
    {
        fontDialogs.append(font);
        if (fonts.empty())
            return false;
        font = fonts.front();
        fonts.pop_front();
        return true;
    }

    bool GetColor(QWidget*, int& colorValue) override
    {
        colorDialogs.append(colorValue);
        if (colors.empty())
            return false;
        colorValue = colors.front();
        colors.pop_front();
        return true;
    }

    bool GetPrinter(QWidget*, QPrinter& printer) override
    {
        ++printDialogs;
        if (printTo.isEmpty())
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printTo);
        return true;
    }

    QStringList texts() const
    {
        QStringList out;
        for (const Box& b : boxes)
            out << b.text;
        return out;
    }

private:
    QString next()
    {
        if (files.empty())
            return QString();
        const QString f = files.front();
        files.pop_front();
        return f;
    }
};
