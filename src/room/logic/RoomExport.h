#pragma once

#include "session/Finding.h"

#include <QString>
#include <QStringList>

#include <functional>

// The room's Export: every log of the room as the tables treelab export writes
// (TableExport), each as <table>.csv (events.csv, attempts.csv, ...), all of them in
// tables.xlsx, and codebook.md, in one folder. Rows are written as each log is read;
// nothing is put in place unless every log was read and admitted and the work was not
// cancelled, so an old table is never left half replaced.
class RoomExport
{
public:
    static inline const QString EventsFile = QStringLiteral("events.csv");
    static inline const QString AttemptsFile = QStringLiteral("attempts.csv");
    static inline const QString WorkbookFile = QStringLiteral("tables.xlsx");
    static inline const QString CodebookFile = QStringLiteral("codebook.md");

    struct Result
    {
        bool written = false;
        bool cancelled = false;
        int notAdmitted = 0; // logs that fail verification: nothing written unless forced
        QStringList files; // written, full paths
        Findings findings;
    };

    // step(k) before log k: false cancels. force: logs that fail verification are read as
    // the records their lines look like, as treelab export --force reads them.
    static Result to(const QString &folder, const QStringList &logs, const std::function<bool(int)> &step,
                     bool force = false);
};
