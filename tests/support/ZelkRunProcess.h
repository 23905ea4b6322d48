#pragma once
// zelk-run as the tests run it: a real process in a folder of the test's,
// and work field files built byte by byte as the format lays them out.
#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include "TestFiles.h"

struct Outcome {
    int status = -1;
    bool crashed = false;
    QByteArray out;
    QByteArray err;
};

// A work field file: every integer little-endian, the border blocked,
// nothing else.
struct Rob {
    int x = 1, y = 1, richtung = 0, vorrat = 0;
    int anzahl[10][15] = {};  // [Y-1][X-1]

    QByteArray bytes() const
    {
        QByteArray b;
        auto int32 = [&](qint32 v) {
            for (int shift = 0; shift < 32; shift += 8)
                b.append(char((quint32(v) >> shift) & 0xFF));
        };
        int32(201749);
        int32(vorrat);
        int32(y);
        int32(x);
        b.append(char(richtung));
        b.append(3, '\0');
        for (int row = 1; row <= 10; ++row)
            for (int col = 1; col <= 15; ++col) {
                int32(anzahl[row - 1][col - 1]);
                b.append(char(col < 15));   // east
                b.append(char(row < 10));   // north
                b.append(char(col > 1));    // west
                b.append(char(row > 1));    // south
            }
        return b;
    }
};

// Runs zelk-run in folder. A process that crashes or outlasts timeoutMs is
// reported as crashed (and killed).
inline Outcome RunZelkRun(const QString& folder, const QStringList& args, int timeoutMs = 60000)
{
    QProcess p;
    p.setWorkingDirectory(folder);
    p.start(QStringLiteral(ZELK_RUN_PATH), args);
    Outcome o;
    if (!p.waitForStarted()) {
        o.crashed = true;
        return o;
    }
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
        o.crashed = true;
        return o;
    }
    o.crashed = p.exitStatus() != QProcess::NormalExit;
    o.status = p.exitCode();
    o.out = p.readAllStandardOutput();
    o.err = p.readAllStandardError();
    return o;
}

// A test's own folder for zelk-run: files written into it (with their
// subfolders), runs started in it.
struct ZelkRunFolder {
    QTemporaryDir dir;

    QString path(const QString& name) const { return dir.filePath(name); }

    void write(const QString& name, const QByteArray& bytes)
    {
        QDir().mkpath(QFileInfo(path(name)).absolutePath());
        WriteBytes(path(name), bytes);
    }

    Outcome run(const QStringList& args, int timeoutMs) const { return RunZelkRun(dir.path(), args, timeoutMs); }
};
