#include "ide/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

// Bytes 0x80..0x9F of Windows-1252. The unassigned 0x81, 0x8D, 0x8F, 0x90
// and 0x9D map to the control characters of the same number.
constexpr char16_t HighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

const QByteArray Utf8Bom("\xEF\xBB\xBF");

// The Windows-1252 byte of one UTF-16 unit, or -1 when there is none.
int ByteOf(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < 32; ++i)
        if (HighControls[i] == c)
            return 0x80 + i;
    return -1;
}

// Length of the UTF-16 unit run that makes one character at i (a pair of
// surrogates counts once, so one character gives one byte).
int CharLength(const QString& text, int i)
{
    return text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()
               ? 2
               : 1;
}

template <typename Out>
void EncodeInto(const QString& text, Out& out)
{
    for (int i = 0; i < text.size();) {
        const int n = CharLength(text, i);
        const int b = n == 1 ? ByteOf(text.at(i).unicode()) : -1;
        out.push_back(b < 0 ? UnmappableByte : static_cast<char>(b));
        i += n;
    }
}

bool HasNonAscii(const QByteArray& bytes)
{
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return true;
    return false;
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
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        *dst++ = QChar(b >= 0x80 && b < 0xA0 ? HighControls[b - 0x80] : char16_t(b));
    }
    return out;
}

bool FitsWindows1252(const QString& text)
{
    for (QChar c : text)
        if (ByteOf(c.unicode()) < 0)
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

bool IsValidUtf8(const QByteArray& bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const unsigned char b = p[i];
        int extra;
        char32_t cp;
        if (b < 0x80) {
            ++i;
            continue;
        } else if (b >= 0xC2 && b <= 0xDF) {
            extra = 1;
            cp = b & 0x1F;
        } else if (b >= 0xE0 && b <= 0xEF) {
            extra = 2;
            cp = b & 0x0F;
        } else if (b >= 0xF0 && b <= 0xF4) {
            extra = 3;
            cp = b & 0x07;
        } else {
            return false;  // a continuation byte, C0/C1 or F5..FF as a lead byte
        }
        if (i + extra >= n)
            return false;  // the sequence runs past the end
        for (int k = 1; k <= extra; ++k) {
            const unsigned char c = p[i + k];
            if ((c & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (c & 0x3F);
        }
        const char32_t minimum = extra == 1 ? 0x80 : extra == 2 ? 0x800 : 0x10000;
        if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += extra + 1;
    }
    return true;
}

TextEncoding DetectEncoding(const QByteArray& bytes)
{
    if (!HasNonAscii(bytes) || !IsValidUtf8(bytes))
        return TextEncoding::Windows1252;
    return bytes.startsWith(Utf8Bom) ? TextEncoding::Utf8Bom : TextEncoding::Utf8;
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
    if (readIn == TextEncoding::Windows1252 && !FitsWindows1252(text))
        return TextEncoding::Utf8;
    return readIn;
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

// The reason a file operation failed, in the program's language: Qt's own
// error strings are English and would stand in a German box.
static QString FileErrorReason(const QFileDevice& file, const QString& path)
{
    switch (file.error()) {
    case QFileDevice::PermissionsError:
        return QStringLiteral("Zugriff verweigert.");
    case QFileDevice::ReadError:
        return QStringLiteral("Lesefehler.");
    case QFileDevice::WriteError:
    case QFileDevice::ResourceError:
        return QStringLiteral("Schreibfehler: Datenträger voll oder schreibgeschützt?");
    default:
        break;
    }
    const QFileInfo info(path);
    if (!info.dir().exists())
        return QStringLiteral("Das Verzeichnis existiert nicht.");
    if (!info.exists())
        return QStringLiteral("Die Datei existiert nicht.");
    return QStringLiteral("Die Datei lässt sich nicht öffnen.");
}

TextFileResult ReadTextFile(const QString& path)
{
    TextFileResult result;
    QFile file(path);
    if (QFileInfo(path).isDir()) {
        result.error = QStringLiteral("Das ist ein Verzeichnis, keine Datei.");
        return result;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = FileErrorReason(file, path);
        return result;
    }
    // A device or pipe reports size 0; read at most one byte past the limit.
    const QByteArray bytes = file.read(MaxTextFileSize + 1);
    if (bytes.size() > MaxTextFileSize) {
        result.error = QStringLiteral("Die Datei ist zu groß (mehr als %1 KB).")
                           .arg(MaxTextFileSize / 1024);
        return result;
    }
    if (file.error() != QFileDevice::NoError) {
        result.error = FileErrorReason(file, path);
        return result;
    }
    result.text = DecodeText(bytes, &result.encoding);
    result.ok = true;
    return result;
}

bool WriteTextFile(const QString& path, const QString& text, TextEncoding* encoding, QString* error)
{
    const TextEncoding used = EncodingForSaving(text, encoding ? *encoding : TextEncoding::Windows1252);
    QSaveFile file(path);
    const QByteArray bytes = EncodeText(text, used);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = FileErrorReason(file, path);
        return false;
    }
    if (encoding)
        *encoding = used;
    return true;
}
