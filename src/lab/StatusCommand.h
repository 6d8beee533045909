#pragma once

#include <QStringList>

// treelab status DIR... [--attempts N] [--watch]: one line per workstation, from the
// files the program writes (see WorkstationReader and StatusTable); --watch redraws it every second.
class StatusCommand
{
public:
    static int run(const QStringList &arguments); // arguments[0] is "treelab status"
    static QString help();
};
