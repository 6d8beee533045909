#include "tree/logic/BgrColour.h"

#include <algorithm>

RgbColour BgrColour::fromHexText(const QString &text, bool *ok)
{
    bool parsed = false;
    quint32 value = 0;
    if (text.startsWith(QLatin1String("&H"), Qt::CaseInsensitive) && text.size() > 2) {
        // Only hex digits after "&H": toUInt alone would also take blanks, a sign or "0x".
        const QStringView digits = QStringView(text).sliced(2);
        const bool allHex = std::all_of(digits.begin(), digits.end(), [](QChar c) {
            const char16_t u = c.unicode();
            return (u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F');
        });
        if (allHex)
            value = digits.toUInt(&parsed, 16);
    }
    if (ok)
        *ok = parsed;
    if (!parsed)
        return {};
    return {int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF)};
}
