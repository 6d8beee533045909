#include "record/Windows1252.h"

#include <QList>

#include <array>

namespace {

// Code points of bytes 0x80 to 0x9F; 0 marks the five bytes the code page leaves undefined.
constexpr std::array<char16_t, 32> High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

char encodeOne(uint code)
{
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF))
        return static_cast<char>(code);
    for (std::size_t i = 0; i < High.size(); ++i) {
        if (High[i] != 0 && High[i] == code)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

} // namespace

namespace Windows1252 {

QByteArray encode(const QString &text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const uint code : text.toUcs4())
        bytes.append(encodeOne(code));
    return bytes;
}

QString decode(const QByteArray &bytes)
{
    // Windows-1252 is Latin-1 but for bytes 0x80 to 0x9F: the whole text at once, then
    // those few characters put right.
    QString text = QString::fromLatin1(bytes);
    for (QChar &c : text) {
        const char16_t value = c.unicode();
        if (value >= 0x80 && value < 0xA0)
            c = QChar(High[value - 0x80] != 0 ? High[value - 0x80] : 0xFFFD);
    }
    return text;
}

} // namespace Windows1252
