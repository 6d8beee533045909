#pragma once

#include <QStringList>

// treelab check DATAFILE [--set N]: reads a payoff file with the experiment program's own
// reader and reports its records and everything in it that the program would stop at.
class CheckCommand
{
public:
    static int run(const QStringList &arguments); // arguments[0] is "treelab check"
    static QString help();
};
