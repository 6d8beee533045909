#include "window/logic/FlowTexts.h"

#include <QCoreApplication>

namespace FlowTexts {

QString hello()
{
    return QCoreApplication::translate(
        "FlowTexts", "Welcome to this experiment. Please read the instructions carefully and wait for "
                     "the start of the experiment.");
}

QString instructions()
{
    //: The written Instructions are the lab's own: a lab's translation may say more of them.
    return QCoreApplication::translate(
        "FlowTexts",
        "This is a decision tree. The green nodes are DECISION nodes - where you decide whether "
        "to go left or right. The red nodes are CHANCE nodes - where Nature decides whether to go "
        "left or right. Nature chooses at random - with left and right being equally likely and "
        "independent of your decisions. The yellow nodes are payoff nodes. Eventually you (with "
        "Nature) have to work through the tree - getting to some final payoff node. You work UP "
        "through the tree, starting at the bottom green node. Full instuctions are in the written "
        "Instructions that you have been given.");
}

QString startCaption(int attemptCount)
{
    if (attemptCount == 1)
        return QCoreApplication::translate("FlowTexts", "You will have one attempt. Click here to start.");
    if (attemptCount > 1)
        return QCoreApplication::translate("FlowTexts", "You will have %1 attempts. Click here to start.")
            .arg(attemptCount);
    return QString();
}

QString attemptText(int attemptNumber, int attemptCount)
{
    if (attemptCount == 1)
        return QCoreApplication::translate(
            "FlowTexts", "This is your only attempt. You will be paid the payoff of this attempt.");
    if (attemptCount >= 2)
        return QCoreApplication::translate("FlowTexts",
                                           "This is attempt number %1 out of a total of %2 attempts.")
            .arg(attemptNumber)
            .arg(attemptCount);
    return QString();
}

QString nextAttemptCaption(int attemptsLeft)
{
    if (attemptsLeft >= 2)
        return QCoreApplication::translate("FlowTexts", "You have %1 attempts left.  Click here to continue.")
            .arg(attemptsLeft);
    return QCoreApplication::translate("FlowTexts",
                                       "Your next attempt is your last attempt.  Click here to continue.");
}

QString summary(const QList<QString> &attemptPayoffText, int attemptCount)
{
    const auto payoff = [&](int k) { return k < attemptPayoffText.size() ? attemptPayoffText[k] : QString(); };
    if (attemptCount == 1)
        //: %1 is the payoff as the payoff texts show it.
        return QString(23, QLatin1Char(' '))
            + QCoreApplication::translate("FlowTexts", "Your payoff is %1.").arg(payoff(1));
    QString list;
    for (int k = 1; k <= attemptCount; ++k) {
        list += payoff(k);
        if (k <= attemptCount - 2)
            //: Between two payoffs of the list, before the last two.
            list += QCoreApplication::translate("FlowTexts", ", ");
        else if (k == attemptCount - 1)
            //: Between the last two payoffs of the list, blanks included.
            list += QCoreApplication::translate("FlowTexts", " and ");
    }
    //: %1 is the list of the attempts' payoffs.
    return QCoreApplication::translate("FlowTexts", "Your payoff is a randomly chosen one of %1.").arg(list);
}

} // namespace FlowTexts
