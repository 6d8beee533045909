#pragma once

#include <QString>

// A colour as red, green and blue, 0 to 255 each.
struct RgbColour
{
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const RgbColour &) const = default;
};

// Node colours are written as "&H" hexadecimal text of a Windows BGR value: blue in the
// high byte, red in the low one. These texts are the one source of each colour.
namespace ColourText {
inline const QString Decision = QStringLiteral("&HC000");
inline const QString Chance = QStringLiteral("&HFF");
inline const QString Payoff = QStringLiteral("&H0000FFFF");
inline const QString Inspected = QStringLiteral("&H00FFFFFF");
inline const QString MarkedOut = QStringLiteral("&H808080");
} // namespace ColourText

class BgrColour
{
public:
    // "&HC000" gives (0, 192, 0). Text that is not "&H" and hex digits gives black and
    // sets *ok to false.
    static RgbColour fromHexText(const QString &text, bool *ok = nullptr);
};
