#include "text/ProgramFile.h"

std::string TooLargeReason()
{
    return "Die Datei ist zu groß (mehr als " + std::to_string(MaxProgramFileSize / 1024) + " KB).";
}
