#pragma once
// Files as tests see them: whole byte arrays written and read back.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtTest>

// The bytes of a file; a marker no test expects when it cannot be read, so
// that a comparison fails and shows why.
inline QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Replaces a file's contents; fails the test when it cannot.
inline void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    QCOMPARE(file.write(bytes), qint64(bytes.size()));
}
