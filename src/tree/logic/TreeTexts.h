#pragma once

#include <QString>

// What the tree shows the subject: per level the member table of the node clicks, and
// the messages of the moves. Counted leading blanks centre the messages in their box;
// they stay outside the texts a translation gives (context "TreeTexts").
namespace TreeTexts {

struct LevelTexts
{
    QString arrayName;      // "d1", "c1", ... "p": the log's, never translated
    QString colour;         // the level colour, as "&H" text
    QString tooltip;
    QString whiteNodeMessage; // the message line after a click (empty for p)
};

// 1 <= level <= 7, in the translation installed now.
LevelTexts level(int level);

// "This is the only node at the first decision level." for d1, otherwise
// "This is node number <index + 1> at the <ordinal> <kind> level."
QString notepadCaption(int level, int index);

// A node as a screen reader names it, e.g. "Chance node 6 at the third chance level".
QString accessibleName(int level, int index);

QString decisionMessage(bool left);
QString natureBoxPrompt(int level, bool left);
QString natureBoxTitle(int level);
QString natureMessage(bool left);
QString realisedPayoffMessage(bool left, const QString &payoffText);
QString realisedPayoffPrompt(const QString &payoffText);
QString realisedPayoffTitle();
QString payoffNodeMessage(const QString &payoffText);
QString clickOnPayoffMessage();

} // namespace TreeTexts
