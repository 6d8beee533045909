#include "tree/BgrColour.h"

RgbColour BgrColour::fromHexText(const QString &text, bool *ok)
{
    bool parsed = false;
    quint32 value = 0;
    if (text.startsWith(QLatin1String("&H"), Qt::CaseInsensitive) && text.size() > 2)
        value = text.mid(2).toUInt(&parsed, 16);
    if (ok)
        *ok = parsed;
    if (!parsed)
        return {};
    return {int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF)};
}
