#pragma once

#include "room/logic/RoomReader.h"
#include "session/StatusColumn.h"

#include <QAbstractTableModel>
#include <QColor>

// The room table's model over a RoomReader: one row per workstation state, its columns
// treelab status's (StatusColumn, each with its title, alignment and text) but Done, with
// the room's own: the state in words (RoomState) and the time in the attempt in play. A
// workstation is named by its short name, its full path in the tooltip; a marked row is
// tinted and its tooltip gives every reason.
//
// Each row is known by its folder and its log: a tick inserts the rows that came, removes
// those that went and tells of those that changed, each inside the begin and end calls
// the views follow, so the selection, the sort order and the scroll survive every tick.
// A folder that had one row and has one still keeps it, whatever its log (the program
// wrote its first log, or a new one replaced the old).
class RoomModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    // The columns by their place in the table.
    enum Column { Folder, State, GoAhead, Log, Subject, Set, Attempt, Level, InAttempt, Payoffs, Since, Over, ColumnCount };
    // What a column is sorted by: the number it shows, not its text (Qt::UserRole).
    static constexpr int SortRole = Qt::UserRole;

    explicit RoomModel(RoomReader &reader, QObject *parent = nullptr);

    // Reads the folders (RoomReader::tick) and tells the views what changed.
    void tick();

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    const RoomReader::Row &row(int k) const { return m_rows[k]; }
    const QList<RoomReader::Row> &rows() const { return m_rows; }

    // The cell's text, as shown.
    static QString cellText(const RoomReader::Row &row, int column);
    // Every reason the row is marked, and the notes of its state, one per line.
    static QString reasons(const RoomReader::Row &row);
    // The colour of a state's cell.
    static QColor colourOf(RoomState::Kind kind);

private:
    // Makes m_rows the reader's rows, step by step, each step told to the views.
    void follow(const QList<RoomReader::Row> &next);

    RoomReader &m_reader;
    QList<RoomReader::Row> m_rows; // as the views were last told
};
