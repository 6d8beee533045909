#pragma once

#include "room/logic/RoomReader.h"
#include "session/StatusColumn.h"

#include <QAbstractTableModel>

// The room table's model over a RoomReader: one row per workstation state, its columns
// treelab status's (StatusColumn, each with its title, alignment and text), but Done. A marked
// row is tinted and its tooltip gives every reason. A tick changes only the rows that
// changed, so the selection and the view's scroll survive it.
class RoomModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    // The columns by their place in the table: StatusColumn's that the room shows
    // (StatusColumn::inRoom), in their order and under their names.
    enum Column { Folder, GoAhead, Log, Subject, Set, Attempt, Level, Payoffs, Since, Over, ColumnCount };
    // The StatusColumn a column of the table shows.
    static const StatusColumn &statusColumn(int column);

    explicit RoomModel(RoomReader &reader, QObject *parent = nullptr);

    // Reads the folders (RoomReader::tick) and tells the views what changed.
    void tick();

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    const RoomReader::Row &row(int k) const { return m_reader.rows()[k]; }

    // The cell's text, as shown.
    static QString cellText(const RoomReader::Row &row, int column);
    // Every reason the row is marked, and the notes of its state, one per line.
    static QString reasons(const RoomReader::Row &row);

private:
    RoomReader &m_reader;
};
