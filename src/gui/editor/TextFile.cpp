#include "editor/TextFile.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// The character at i and the number of UTF-16 units it takes: a pair of
// surrogates is one character, so that one character gives one byte.
char32_t CharAt(const QString& text, int i, int& length)
{
    const QChar c = text.at(i);
    if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
        length = 2;
        return QChar::surrogateToUcs4(c, text.at(i + 1));
    }
    length = 1;
    return c.unicode();
}

const QString NotRegularReason = QStringLiteral("Das ist keine gewöhnliche Datei.");
const QString WriteErrorReason = QStringLiteral("Schreibfehler: Datenträger voll oder schreibgeschützt?");

// Why nothing could be done at the path, as far as the folder and the file
// can tell. The reasons are the program's own: the system's are English and
// would stand in a German box.
QString PlaceReason(const QString& path)
{
    const QFileInfo info(path);
    if (!info.dir().exists())
        return QStringLiteral("Das Verzeichnis existiert nicht.");
    if (!info.exists())
        return QStringLiteral("Die Datei existiert nicht.");
    return QStringLiteral("Die Datei lässt sich nicht öffnen.");
}

// Why a file could not be opened for reading.
QString OpenFailureReason(const QString& path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return QStringLiteral("Das ist ein Verzeichnis, keine Datei.");
    if (info.exists() && !info.isFile())
        return NotRegularReason;
    return PlaceReason(path);
}

QString ReadFailureReason(ReadResult read, const QString& path)
{
    switch (read) {
    case ReadResult::Directory:
        return QStringLiteral("Das ist ein Verzeichnis, keine Datei.");
    case ReadResult::NotRegular:
        return NotRegularReason;
    case ReadResult::TooLarge:
        return QString::fromStdString(TooLargeReason());
    case ReadResult::ReadError:
        return QStringLiteral("Lesefehler.");
    default:
        break;
    }
    return OpenFailureReason(path);
}

QString WriteFailureReason(WriteResult write, const QString& path)
{
    switch (write) {
    case WriteResult::Directory:
    case WriteResult::WriteProtected:
    case WriteResult::WriteError:
        return WriteErrorReason;
    case WriteResult::NotRegular:
        return NotRegularReason;
    case WriteResult::NotCreated:
    case WriteResult::NotReplaced:
        // A save makes a new file in the folder and renames it into place,
        // which a folder the user may not write refuses.
        if (const QFileInfo folder(QFileInfo(path).absolutePath()); folder.isDir() && !folder.isWritable())
            return QStringLiteral("Das Verzeichnis ist schreibgeschützt.");
        break;
    default:
        break;
    }
    return PlaceReason(path);
}

std::string LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace

std::string ToWindows1252(const QString& line)
{
    std::string out;
    out.reserve(static_cast<std::size_t>(line.size()));
    for (int i = 0; i < line.size();) {
        int n;
        out.push_back(static_cast<char>(Windows1252OfCodePoint(CharAt(line, i, n))));
        i += n;
    }
    return out;
}

TextFileResult ReadTextFile(const QString& path)
{
    TextFileResult result;
    std::string text;
    const ReadResult read = ReadProgramFile(LocalPath(path), text, &result.encoding);
    if (read != ReadResult::Read) {
        result.error = ReadFailureReason(read, path);
        return result;
    }
    // The editor's document starts a new line at such characters; refusing
    // the file keeps it as it is.
    const std::string refused = LineBreakCharacterReason(text);
    if (!refused.empty()) {
        result.error = QString::fromStdString(refused);
        return result;
    }
    result.text = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    result.ok = true;
    return result;
}

bool WriteTextFile(const QString& path, const QString& text, TextEncoding* encoding, QString* error)
{
    TextEncoding used = encoding ? *encoding : TextEncoding::Windows1252;
    const WriteResult written = WriteProgramFile(LocalPath(path), text.toStdString(), &used);
    if (written != WriteResult::Written) {
        if (error)
            *error = WriteFailureReason(written, path);
        return false;
    }
    if (encoding)
        *encoding = used;
    return true;
}
