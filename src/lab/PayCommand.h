#pragma once

#include <QStringList>

// treelab pay LOG... --seed S --out FILE.csv [--data FILE]: draws, for each subject, the
// finished attempt that is paid, reproducibly from the seed the experimenter announces.
class PayCommand
{
public:
    static int run(const QStringList &arguments); // arguments[0] is "treelab pay"
    static QString help();
};
