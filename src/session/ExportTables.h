#pragma once

#include "session/LabLog.h"

#include <QList>
#include <QString>
#include <QStringList>

// The tables treelab export writes (and the room window exports): their names, columns
// and columns of numbers, and the rows one log gives to each, in the log's order.
class ExportTables
{
public:
    struct Definition
    {
        QString name; // the worksheet's
        QStringList header;
        QList<int> numericColumns;
    };

    // One row per record of the log.
    static Definition events();
    static QList<QStringList> eventRows(const LabLog &log);

    // One row per attempt of the log; the payoffs need LabLog::loadShownPayoffs first.
    static Definition attempts();
    static QList<QStringList> attemptRows(const LabLog &log);
};
