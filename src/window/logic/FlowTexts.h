#pragma once

#include <QList>
#include <QString>

// What the experiment flow shows the subject, outside the tree.
namespace FlowTexts {

inline const QString Hello = QStringLiteral(
    "Welcome to this experiment. Please read the instructions carefully and wait for the "
    "start of the experiment.");

// "instuctions" is spelled so on the subjects' screens.
inline const QString Instructions = QStringLiteral(
    "This is a decision tree. The green nodes are DECISION nodes - where you decide whether "
    "to go left or right. The red nodes are CHANCE nodes - where Nature decides whether to go "
    "left or right. Nature chooses at random - with left and right being equally likely and "
    "independent of your decisions. The yellow nodes are payoff nodes. Eventually you (with "
    "Nature) have to work through the tree - getting to some final payoff node. You work UP "
    "through the tree, starting at the bottom green node. Full instuctions are in the written "
    "Instructions that you have been given.");

// The caption of Start; empty for fewer than one attempt.
QString startCaption(int attemptCount);

// The attempt text of NumberofAttempt for attempt n; empty for fewer than one attempt.
QString attemptText(int attemptNumber, int attemptCount);

// The caption of NextAttempt with attemptsLeft (>= 1) still to play.
QString nextAttemptCaption(int attemptsLeft);

// The closing statement from the payoffs of attempts 1 to count (entries 1..count).
QString summary(const QList<QString> &attemptPayoffText, int attemptCount);

} // namespace FlowTexts
