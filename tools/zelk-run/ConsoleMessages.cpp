#include "ConsoleMessages.h"

MsgAnswer ConsoleMessages::Show(MsgIcon, const std::string&, const std::string& text, MsgButtons buttons)
{
    PrintMessage(text);
    // During a run the runner names the line itself; during a translation
    // the error routine selects the line right after its box.
    if (onShown) {
        hasPending_ = false;
        onShown(text);
    } else {
        pending_ = text;
        hasPending_ = true;
    }
    switch (buttons) {
    case MsgButtons::Ok:
        return MsgAnswer::Ok;
    case MsgButtons::YesNo:
        return MsgAnswer::No;
    case MsgButtons::OkCancel:
    case MsgButtons::YesNoCancel:
        break;
    }
    return MsgAnswer::Cancel;
}

void ConsoleMessages::LineSelected(const std::string& file, int line)
{
    if (!hasPending_)
        return;
    PrintLocated(file, line, pending_);
    hasPending_ = false;
}

void ConsoleMessages::PrintLocated(const std::string& file, int line, const std::string& text)
{
    // Standard output first: a reader of both streams sees the message and
    // then where it came from.
    out_.flush();
    lastFile_ = file;
    lastLine_ = line + 1;
    err_ << file << ':' << (line + 1) << ": " << text << '\n';
    err_.flush();
}

void ConsoleMessages::PrintMessage(const std::string& text)
{
    // A new message has no place until one is named for it.
    lastText_ = text;
    lastFile_.clear();
    lastLine_ = 0;
    out_ << text << '\n';
    out_.flush();
}
