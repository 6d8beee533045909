#include "room/widgets/RoomModel.h"

#include <QBrush>
#include <QColor>

#include <array>

namespace {

// The StatusColumns the room shows, in their order.
constexpr std::array<StatusColumn::Id, RoomModel::ColumnCount> roomColumns()
{
    std::array<StatusColumn::Id, RoomModel::ColumnCount> shown{};
    std::size_t k = 0;
    for (int id = 0; id < StatusColumn::ColumnCount; ++id)
        if (StatusColumn::inRoom(StatusColumn::Id(id)) && k < shown.size())
            shown[k++] = StatusColumn::Id(id);
    return shown;
}

constexpr std::array<StatusColumn::Id, RoomModel::ColumnCount> Shown = roomColumns();

constexpr int roomColumnCount()
{
    int count = 0;
    for (int id = 0; id < StatusColumn::ColumnCount; ++id)
        count += StatusColumn::inRoom(StatusColumn::Id(id)) ? 1 : 0;
    return count;
}

// The table's names for its columns are StatusColumn's.
static_assert(roomColumnCount() == RoomModel::ColumnCount);
static_assert(Shown[RoomModel::Folder] == StatusColumn::Folder && Shown[RoomModel::Level] == StatusColumn::Level
              && Shown[RoomModel::Payoffs] == StatusColumn::Payoffs && Shown[RoomModel::Over] == StatusColumn::Over);

} // namespace

const StatusColumn &RoomModel::statusColumn(int column)
{
    return StatusColumn::of(Shown[std::size_t(column)]);
}

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
    return column >= 0 && column < ColumnCount ? statusColumn(column).text(row.state) : QString();
}

QString RoomModel::reasons(const RoomReader::Row &row)
{
    QStringList lines;
    for (const RoomMark &mark : row.marks)
        lines.append(RoomMark::name(mark.kind) + QStringLiteral(": ") + mark.finding.message);
    for (const Finding &note : row.state.notes)
        lines.append(note.message);
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
        if (index.column() < ColumnCount && statusColumn(index.column()).number)
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return QVariant();
    }
}

QVariant RoomModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (section < 0 || section >= ColumnCount)
        return QString();
    return QString::fromLatin1(statusColumn(section).title);
}
