#pragma once

#include <QStringList>

// treelab verify LOG...: reads each event log by the rules of the run and says, for each,
// whether every line has its place, and where not, what the rules expected there.
class VerifyCommand
{
public:
    static int run(const QStringList &arguments);
    static QString help();
};
