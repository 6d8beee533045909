#include "tree/logic/TreeTexts.h"

#include "tree/logic/BgrColour.h"

#include <array>

namespace TreeTexts {

namespace {

QString blanks(int count)
{
    return QString(count, QLatin1Char(' '));
}

const QString DecisionTip = QStringLiteral("This is a decision node. Click to open the Notepad.");
const QString ChanceTip = QStringLiteral("This is a chance node. Click to open the Notepad.");
const QString PayoffTip = QStringLiteral("This is a payoff node. Click to see the payoff.");
const QString DecisionWhite = blanks(12) + QStringLiteral("The currently white node is a DECISION node.");
const QString ChanceWhite = QStringLiteral("The currently white node is a CHANCE node.");

const std::array<QString, 8> LevelNames = {
    QString(),
    QStringLiteral("first decision"), QStringLiteral("first chance"),
    QStringLiteral("second decision"), QStringLiteral("second chance"),
    QStringLiteral("third decision"), QStringLiteral("third chance"),
    QStringLiteral("payoff"),
};

} // namespace

const LevelTexts &level(int level)
{
    static const std::array<LevelTexts, 8> table = {{
        {},
        {QStringLiteral("d1"), ColourText::Decision, DecisionTip, DecisionWhite},
        {QStringLiteral("c1"), ColourText::Chance, ChanceTip, blanks(11) + ChanceWhite},
        {QStringLiteral("d2"), ColourText::Decision, DecisionTip, DecisionWhite},
        {QStringLiteral("c2"), ColourText::Chance, ChanceTip, blanks(12) + ChanceWhite},
        {QStringLiteral("d3"), ColourText::Decision, DecisionTip, DecisionWhite},
        {QStringLiteral("c3"), ColourText::Chance, ChanceTip, blanks(12) + ChanceWhite},
        {QStringLiteral("p"), ColourText::Payoff, PayoffTip, QString()},
    }};
    return table.at(level);
}

QString notepadCaption(int level, int index)
{
    if (level == 1)
        return QStringLiteral("This is the only node at the first decision level.");
    return QStringLiteral("This is node number ") + QString::number(index + 1)
        + QStringLiteral(" at the ") + LevelNames.at(level) + QStringLiteral(" level.");
}

QString accessibleName(int level, int index)
{
    if (level == 1)
        return QStringLiteral("Decision node, the only node at the first decision level");
    const QString kind = level == 7 ? QStringLiteral("Payoff node ")
        : level % 2 == 0            ? QStringLiteral("Chance node ")
                                    : QStringLiteral("Decision node ");
    if (level == 7)
        return kind + QString::number(index + 1) + QStringLiteral(" of 64");
    return kind + QString::number(index + 1) + QStringLiteral(" at the ") + LevelNames.at(level)
        + QStringLiteral(" level");
}

QString decisionMessage(bool left)
{
    return left ? blanks(29) + QStringLiteral("You have just moved left.")
                : blanks(28) + QStringLiteral("You have just moved right.");
}

QString natureBoxPrompt(int level, bool left)
{
    const QString side = left ? QStringLiteral("Left") : QStringLiteral("Right");
    if (level < 6)
        return QStringLiteral("Nature has chosen ") + side + QStringLiteral(". Click OK to continue...");
    return QStringLiteral("Nature has chosen ") + side
        + QStringLiteral(". Click to find the realised payoff.");
}

QString natureBoxTitle(int level)
{
    return level < 6 ? QStringLiteral("Nature 's Move") : QStringLiteral("Nature's move");
}

QString natureMessage(bool left)
{
    return left ? blanks(32) + QStringLiteral("Nature has chosen Left.")
                : blanks(31) + QStringLiteral("Nature has chosen Right.");
}

QString realisedPayoffMessage(bool left, const QString &payoffText)
{
    return blanks(left ? 35 : 34) + QStringLiteral("The realised Payoff is ") + payoffText
        + QLatin1Char('.');
}

QString realisedPayoffPrompt(const QString &payoffText)
{
    return QStringLiteral("The realised payoff is ") + payoffText;
}

QString payoffNodeMessage(const QString &payoffText)
{
    return blanks(13) + QStringLiteral("The PAYOFF at the currently white node is ") + payoffText
        + QLatin1Char('.');
}

} // namespace TreeTexts
