#pragma once

#include <QStringList>

// treelab export LOG... [--events FILE.csv] [--attempts FILE.csv] [--data FILE]: the
// event logs as tables for statistics programs, one row per record (long) and one row
// per attempt (wide).
class ExportCommand
{
public:
    static int run(const QStringList &arguments); // arguments[0] is "treelab export"
    static QString help();
};
