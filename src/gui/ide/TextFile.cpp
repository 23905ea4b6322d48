#include "ide/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "files/SafeRead.h"
#include "files/SafeWrite.h"

namespace {

const QByteArray Utf8Bom(Utf8ByteOrderMark.data(), qsizetype(Utf8ByteOrderMark.size()));

std::string_view View(const QByteArray& bytes)
{
    return std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

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

template <typename Out>
void EncodeInto(const QString& text, Out& out)
{
    for (int i = 0; i < text.size();) {
        int n;
        const char32_t cp = CharAt(text, i, n);
        out.push_back(static_cast<char>(Windows1252OfCodePoint(cp)));
        i += n;
    }
}

// CRLF and a lone CR become LF.
QString NormaliseBreaks(const QString& text)
{
    if (!text.contains(QChar('\r')))
        return text;
    QString out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QChar('\r')) {
            out += QChar('\n');
            if (i + 1 < text.size() && text.at(i + 1) == QChar('\n'))
                ++i;
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

QString DecodeWindows1252(const QByteArray& bytes)
{
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* dst = out.data();
    for (char c : bytes)
        *dst++ = QChar(static_cast<char16_t>(CodePointOfWindows1252(static_cast<unsigned char>(c))));
    return out;
}

bool FitsWindows1252(const QString& text)
{
    // Unit by unit: a surrogate has no byte, so neither has the character
    // it is part of.
    for (QChar c : text)
        if (!CodePointFitsWindows1252(c.unicode()))
            return false;
    return true;
}

QByteArray EncodeWindows1252(const QString& text)
{
    QByteArray out;
    out.reserve(text.size());
    EncodeInto(text, out);
    return out;
}

std::string ToWindows1252(const QString& line)
{
    std::string out;
    out.reserve(static_cast<std::size_t>(line.size()));
    EncodeInto(line, out);
    return out;
}

TextEncoding DetectEncoding(const QByteArray& bytes)
{
    if (!IsUtf8Text(View(bytes)))
        return TextEncoding::Windows1252;
    return StartsWithUtf8ByteOrderMark(View(bytes)) ? TextEncoding::Utf8Bom : TextEncoding::Utf8;
}

QString DecodeText(const QByteArray& bytes, TextEncoding* encoding)
{
    const TextEncoding found = DetectEncoding(bytes);
    if (encoding)
        *encoding = found;
    switch (found) {
    case TextEncoding::Utf8Bom:
        return NormaliseBreaks(QString::fromUtf8(bytes.constData() + Utf8Bom.size(),
                                                 bytes.size() - Utf8Bom.size()));
    case TextEncoding::Utf8:
        return NormaliseBreaks(QString::fromUtf8(bytes));
    case TextEncoding::Windows1252:
        break;
    }
    return NormaliseBreaks(DecodeWindows1252(bytes));
}

TextEncoding EncodingForSaving(const QString& text, TextEncoding readIn)
{
    if (readIn != TextEncoding::Windows1252)
        return readIn;
    if (!FitsWindows1252(text))
        return TextEncoding::Utf8;
    // Windows-1252 bytes that happen to form valid UTF-8 ("Ã¤") would be
    // read back as other characters ("ä"); as UTF-8 they read back exactly.
    const QByteArray bytes = EncodeText(text, TextEncoding::Windows1252);
    if (IsUtf8Text(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))))
        return TextEncoding::Utf8;
    return TextEncoding::Windows1252;
}

QByteArray EncodeText(const QString& text, TextEncoding encoding)
{
    QString crlf = text;
    crlf.replace(QChar('\n'), QStringLiteral("\r\n"));
    switch (encoding) {
    case TextEncoding::Utf8Bom: return Utf8Bom + crlf.toUtf8();
    case TextEncoding::Utf8: return crlf.toUtf8();
    case TextEncoding::Windows1252: break;
    }
    return EncodeWindows1252(crlf);
}

namespace {

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
    // A named pipe or a device would make the read wait, maybe forever,
    // with the whole program standing still.
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
    default:
        break;
    }
    return PlaceReason(path);
}

std::string LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace

TextFileResult ReadTextFile(const QString& path)
{
    TextFileResult result;
    std::string raw;
    const ReadResult read = SafeReadFile(LocalPath(path), MaxProgramFileSize, raw);
    if (read != ReadResult::Read) {
        result.error = ReadFailureReason(read, path);
        return result;
    }
    const QByteArray bytes = QByteArray::fromStdString(raw);
    result.text = DecodeText(bytes, &result.encoding);
    // The editor's document starts a new line at these three characters, so
    // saving would replace them by line breaks and every later line number
    // would shift. Refusing the file keeps it as it is.
    for (const QChar c : std::as_const(result.text)) {
        const char16_t u = c.unicode();
        if (u == 0x2029 || u == 0xFDD0 || u == 0xFDD1) {
            result.text.clear();
            const QString code = QString::number(int(u), 16).toUpper();
            result.error = QStringLiteral("Die Datei enthält ein Zeichen, das der Editor als "
                                          "Zeilenwechsel lesen würde (U+%1).")
                               .arg(code);
            return result;
        }
    }
    result.ok = true;
    return result;
}

bool WriteTextFile(const QString& path, const QString& text, TextEncoding* encoding, QString* error)
{
    const TextEncoding used = EncodingForSaving(text, encoding ? *encoding : TextEncoding::Windows1252);
    const QByteArray bytes = EncodeText(text, used);
    const WriteResult written =
        SafeWriteFile(LocalPath(path), std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (written != WriteResult::Written) {
        if (error)
            *error = WriteFailureReason(written, path);
        return false;
    }
    if (encoding)
        *encoding = used;
    return true;
}
