#pragma once

#include <QList>
#include <QString>

// What the experiment flow shows the subject, outside the tree, in the translation
// installed now (context "FlowTexts").
namespace FlowTexts {

QString hello();

// "instuctions" is spelled so on the subjects' screens.
QString instructions();

// The caption of Start; empty for fewer than one attempt.
QString startCaption(int attemptCount);

// The attempt text of NumberofAttempt for attempt n; empty for fewer than one attempt.
QString attemptText(int attemptNumber, int attemptCount);

// The caption of NextAttempt with attemptsLeft (>= 1) still to play.
QString nextAttemptCaption(int attemptsLeft);

// The closing statement from the payoffs of attempts 1 to count (entries 1..count).
QString summary(const QList<QString> &attemptPayoffText, int attemptCount);

} // namespace FlowTexts
