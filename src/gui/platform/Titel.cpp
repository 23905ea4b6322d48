#include "platform/Titel.h"

QString ProgrammTitel() { return QStringLiteral("Zelk - der Roboter"); }
