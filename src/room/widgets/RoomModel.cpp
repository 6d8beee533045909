#include "room/widgets/RoomModel.h"

#include <QBrush>
#include <QColor>

RoomModel::RoomModel(RoomReader &reader, QObject *parent) : QAbstractTableModel(parent), m_reader(reader)
{
}

void RoomModel::tick()
{
    const int before = int(m_reader.rows().size());
    // A reset only when rows come, go or move; else the rows that changed, cell by cell.
    const RoomReader::Changes changes = m_reader.tick();
    if (changes.rowsReplaced || before != int(m_reader.rows().size())) {
        beginResetModel();
        endResetModel();
        return;
    }
    for (const int k : changes.changed)
        emit dataChanged(index(k, 0), index(k, ColumnCount - 1));
}

int RoomModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_reader.rows().size());
}

int RoomModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString RoomModel::cellText(const RoomReader::Row &row, int column)
{
    const StatusTable::Row text = StatusTable::format(row.state);
    switch (column) {
    case Folder: return text.folder;
    case GoAhead: return text.goAhead;
    case Log: return text.log;
    case Subject: return text.subject;
    case Set: return text.set;
    case Attempt: return text.attempt;
    case Level: return text.level;
    case Payoffs: return text.payoffs;
    case Since: return text.since;
    case Over: return text.over;
    default: return QString();
    }
}

QString RoomModel::reasons(const RoomReader::Row &row)
{
    QStringList lines;
    for (const RoomMark &mark : row.marks)
        lines.append(RoomMark::name(mark.kind) + QStringLiteral(": ") + mark.reason);
    for (const QString &note : row.state.notes)
        lines.append(note);
    lines.removeDuplicates();
    return lines.join(QLatin1Char('\n'));
}

QVariant RoomModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return QVariant();
    const RoomReader::Row &r = row(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return cellText(r, index.column());
    case Qt::ToolTipRole: {
        const QString why = reasons(r);
        return why.isEmpty() ? QVariant() : QVariant(why);
    }
    case Qt::BackgroundRole:
        if (!r.marks.isEmpty())
            return QBrush(QColor(0xff, 0xd8, 0xd0));
        return QVariant();
    case Qt::TextAlignmentRole:
        switch (index.column()) {
        case GoAhead: case Subject: case Set: case Attempt: case Since:
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        default:
            return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
        }
    default:
        return QVariant();
    }
}

QVariant RoomModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const QStringList names{
        QStringLiteral("Folder"), QStringLiteral("Go-ahead"), QStringLiteral("Log"),   QStringLiteral("Subject"),
        QStringLiteral("Set"),    QStringLiteral("Attempt"),  QStringLiteral("Level"), QStringLiteral("Payoffs"),
        QStringLiteral("Since"),  QStringLiteral("Over"),
    };
    return names.value(section);
}
