#pragma once

#include "session/ExportTables.h"

#include <QList>
#include <QString>
#include <QStringList>

// What every column of every exported table means, in one text for two readers: Markdown
// (docs/codebook.md, and the file export --codebook writes) and the worksheet "codebook"
// of every workbook export writes. Both are made from ExportTables' definitions, so the
// codebook cannot drift from the tables.
class Codebook
{
public:
    static QString markdown();

    // The worksheet: its columns, and one row for the whole, one per table and one per column.
    static ExportTables::Definition sheet();
    static QList<QStringList> rows();

private:
    static QString intro();
};
