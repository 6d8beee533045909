#include "tree/logic/TreeTexts.h"

#include "tree/logic/BgrColour.h"

#include <QCoreApplication>

#include <array>

namespace TreeTexts {

namespace {

QString blanks(int count)
{
    return QString(count, QLatin1Char(' '));
}

// A text marked with QT_TRANSLATE_NOOP in this context.
QString translated(const char *text)
{
    return QCoreApplication::translate("TreeTexts", text);
}

// Per level from 2: where "This is node number %1 at the ... level." stands, and how a
// screen reader names a node there.
constexpr std::array<const char *, 8> NodeCaptions = {
    nullptr,
    nullptr,
    QT_TRANSLATE_NOOP("TreeTexts", "This is node number %1 at the first chance level."),
    QT_TRANSLATE_NOOP("TreeTexts", "This is node number %1 at the second decision level."),
    QT_TRANSLATE_NOOP("TreeTexts", "This is node number %1 at the second chance level."),
    QT_TRANSLATE_NOOP("TreeTexts", "This is node number %1 at the third decision level."),
    QT_TRANSLATE_NOOP("TreeTexts", "This is node number %1 at the third chance level."),
    QT_TRANSLATE_NOOP("TreeTexts", "This is node number %1 at the payoff level."),
};
constexpr std::array<const char *, 8> NodeNames = {
    nullptr,
    nullptr,
    QT_TRANSLATE_NOOP("TreeTexts", "Chance node %1 at the first chance level"),
    QT_TRANSLATE_NOOP("TreeTexts", "Decision node %1 at the second decision level"),
    QT_TRANSLATE_NOOP("TreeTexts", "Chance node %1 at the second chance level"),
    QT_TRANSLATE_NOOP("TreeTexts", "Decision node %1 at the third decision level"),
    QT_TRANSLATE_NOOP("TreeTexts", "Chance node %1 at the third chance level"),
    QT_TRANSLATE_NOOP("TreeTexts", "Payoff node %1 of 64"),
};

} // namespace

LevelTexts level(int level)
{
    const QString decisionTip = QCoreApplication::translate("TreeTexts", "This is a decision node. Click to open the Notepad.");
    const QString chanceTip = QCoreApplication::translate("TreeTexts", "This is a chance node. Click to open the Notepad.");
    const QString decisionWhite = blanks(12) + QCoreApplication::translate("TreeTexts", "The currently white node is a DECISION node.");
    const QString chanceWhite = QCoreApplication::translate("TreeTexts", "The currently white node is a CHANCE node.");
    switch (level) {
    case 1: return {QStringLiteral("d1"), ColourText::Decision, decisionTip, decisionWhite};
    case 2: return {QStringLiteral("c1"), ColourText::Chance, chanceTip, blanks(11) + chanceWhite};
    case 3: return {QStringLiteral("d2"), ColourText::Decision, decisionTip, decisionWhite};
    case 4: return {QStringLiteral("c2"), ColourText::Chance, chanceTip, blanks(12) + chanceWhite};
    case 5: return {QStringLiteral("d3"), ColourText::Decision, decisionTip, decisionWhite};
    case 6: return {QStringLiteral("c3"), ColourText::Chance, chanceTip, blanks(12) + chanceWhite};
    case 7:
        return {QStringLiteral("p"), ColourText::Payoff,
                QCoreApplication::translate("TreeTexts", "This is a payoff node. Click to see the payoff."), QString()};
    default: return {};
    }
}

QString notepadCaption(int level, int index)
{
    if (level == 1)
        return QCoreApplication::translate("TreeTexts", "This is the only node at the first decision level.");
    return translated(NodeCaptions.at(level)).arg(index + 1);
}

QString accessibleName(int level, int index)
{
    if (level == 1)
        return QCoreApplication::translate("TreeTexts", "Decision node, the only node at the first decision level");
    return translated(NodeNames.at(level)).arg(index + 1);
}

QString decisionMessage(bool left)
{
    return left ? blanks(29) + QCoreApplication::translate("TreeTexts", "You have just moved left.")
                : blanks(28) + QCoreApplication::translate("TreeTexts", "You have just moved right.");
}

QString natureBoxPrompt(int level, bool left)
{
    if (level < 6)
        return left ? QCoreApplication::translate("TreeTexts", "Nature has chosen Left. Click OK to continue...")
                    : QCoreApplication::translate("TreeTexts", "Nature has chosen Right. Click OK to continue...");
    return left ? QCoreApplication::translate("TreeTexts", "Nature has chosen Left. Click to find the realised payoff.")
                : QCoreApplication::translate("TreeTexts", "Nature has chosen Right. Click to find the realised payoff.");
}

QString natureBoxTitle(int level)
{
    //: The title of the box after Nature's move at the first and second chance levels.
    return level < 6 ? QCoreApplication::translate("TreeTexts", "Nature 's Move")
                     //: The title of the box after Nature's move at the third chance level.
                     : QCoreApplication::translate("TreeTexts", "Nature's move");
}

QString natureMessage(bool left)
{
    return left ? blanks(32) + QCoreApplication::translate("TreeTexts", "Nature has chosen Left.")
                : blanks(31) + QCoreApplication::translate("TreeTexts", "Nature has chosen Right.");
}

QString realisedPayoffMessage(bool left, const QString &payoffText)
{
    //: %1 is the payoff as the payoff texts show it.
    return blanks(left ? 35 : 34) + QCoreApplication::translate("TreeTexts", "The realised Payoff is %1.").arg(payoffText);
}

QString realisedPayoffPrompt(const QString &payoffText)
{
    //: %1 is the payoff as the payoff texts show it; no full stop follows.
    return QCoreApplication::translate("TreeTexts", "The realised payoff is %1").arg(payoffText);
}

QString realisedPayoffTitle()
{
    return QCoreApplication::translate("TreeTexts", "Payoff");
}

QString payoffNodeMessage(const QString &payoffText)
{
    //: %1 is the payoff as the payoff texts show it.
    return blanks(13) + QCoreApplication::translate("TreeTexts", "The PAYOFF at the currently white node is %1.").arg(payoffText);
}

QString clickOnPayoffMessage()
{
    return QCoreApplication::translate("TreeTexts", "Click on any payoff (yellow) node to find the payoff at that node.");
}

} // namespace TreeTexts
