#include "room/widgets/RoomModel.h"

#include "session/StateTexts.h"

#include <QBrush>
#include <QHash>

#include <array>

namespace {

constexpr int RoomOnly = -1;

// What each column of the table shows: a StatusColumn, or RoomOnly.
constexpr std::array<int, RoomModel::ColumnCount> Shown{
    StatusColumn::Folder, RoomOnly,          StatusColumn::GoAhead, StatusColumn::Log,
    StatusColumn::Subject, StatusColumn::Set, StatusColumn::Attempt, StatusColumn::Level,
    RoomOnly,             StatusColumn::Payoffs, StatusColumn::Since, StatusColumn::Over,
};

// Every StatusColumn the room shows (StatusColumn::inRoom) has its place, once.
constexpr bool eachShownOnce()
{
    for (int id = 0; id < StatusColumn::ColumnCount; ++id) {
        int places = 0;
        for (const int shown : Shown)
            places += shown == id ? 1 : 0;
        if (places != (StatusColumn::inRoom(StatusColumn::Id(id)) ? 1 : 0))
            return false;
    }
    return true;
}
static_assert(eachShownOnce());
static_assert(Shown[RoomModel::Folder] == StatusColumn::Folder && Shown[RoomModel::Level] == StatusColumn::Level
              && Shown[RoomModel::Payoffs] == StatusColumn::Payoffs && Shown[RoomModel::Over] == StatusColumn::Over
              && Shown[RoomModel::State] == RoomOnly && Shown[RoomModel::InAttempt] == RoomOnly);

const StatusColumn *statusColumn(int column)
{
    if (column < 0 || column >= RoomModel::ColumnCount || Shown[std::size_t(column)] == RoomOnly)
        return nullptr;
    return &StatusColumn::of(StatusColumn::Id(Shown[std::size_t(column)]));
}

bool inAttempt(const WorkstationState &state)
{
    return state.hasLog() && state.attemptInPlay > 0 && !state.isOver() && !state.closed();
}

} // namespace

RoomModel::RoomModel(RoomReader &reader, QObject *parent) : QAbstractTableModel(parent), m_reader(reader)
{
}

void RoomModel::tick()
{
    m_reader.tick();
    follow(m_reader.rows());
}

void RoomModel::follow(const QList<RoomReader::Row> &next)
{
    // Which row of before each row of next is: by folder and log, or the folder's only row.
    QHash<QString, QList<int>> before;
    for (int k = 0; k < m_rows.size(); ++k)
        before[m_rows[k].path].append(k);
    QHash<QString, int> nextCount;
    for (const RoomReader::Row &row : next)
        ++nextCount[row.path];
    QList<int> was(next.size(), -1);
    QList<bool> kept(m_rows.size(), false);
    for (int k = 0; k < next.size(); ++k) {
        const QList<int> same = before.value(next[k].path);
        if (same.size() == 1 && nextCount.value(next[k].path) == 1) {
            was[k] = same.first();
        } else {
            for (const int old : same)
                if (!kept[old] && m_rows[old].state.logName == next[k].state.logName) {
                    was[k] = old;
                    break;
                }
        }
        if (was[k] >= 0)
            kept[was[k]] = true;
    }

    // The rows gone, from the last, a run of neighbours at a time.
    QList<int> origin; // each row's place in before
    for (int k = 0; k < m_rows.size(); ++k)
        origin.append(k);
    for (int last = int(m_rows.size()) - 1; last >= 0;) {
        if (kept[last]) {
            --last;
            continue;
        }
        int first = last;
        while (first > 0 && !kept[first - 1])
            --first;
        beginRemoveRows(QModelIndex(), first, last);
        m_rows.remove(first, last - first + 1);
        origin.remove(first, last - first + 1);
        endRemoveRows();
        last = first - 1;
    }

    // Then row by row in next's order: one that came is inserted, one kept moved to its
    // place if it is elsewhere, and told of when it changed.
    for (int k = 0; k < next.size(); ++k) {
        if (was[k] < 0) {
            beginInsertRows(QModelIndex(), k, k);
            m_rows.insert(k, next[k]);
            origin.insert(k, -1);
            endInsertRows();
            continue;
        }
        const int at = int(origin.indexOf(was[k], k));
        if (at != k) {
            beginMoveRows(QModelIndex(), at, at, QModelIndex(), k);
            m_rows.move(at, k);
            origin.move(at, k);
            endMoveRows();
        }
        if (!(m_rows[k] == next[k])) {
            m_rows[k] = next[k];
            emit dataChanged(index(k, 0), index(k, ColumnCount - 1));
        }
    }
}

int RoomModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int RoomModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString RoomModel::cellText(const RoomReader::Row &row, int column)
{
    switch (column) {
    case Folder: return row.name;
    case State: return row.where.text;
    case InAttempt: return inAttempt(row.state) ? StateTexts::age(row.state.inAttemptSeconds()) : QStringLiteral("-");
    default: break;
    }
    const StatusColumn *shown = statusColumn(column);
    return shown ? shown->text(row.state) : QString();
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

QColor RoomModel::colourOf(RoomState::Kind kind)
{
    switch (kind) {
    case RoomState::Kind::Unreadable: return QColor(0xf4, 0x9a, 0x8c);
    case RoomState::Kind::WaitingForParameters: return QColor(0xe6, 0xec, 0xf5);
    case RoomState::Kind::WaitingForStart: return QColor(0xff, 0xf0, 0xb3);
    case RoomState::Kind::InAttempt: return QColor(0xcc, 0xe4, 0xff);
    case RoomState::Kind::Silent: return QColor(0xff, 0xb8, 0x6b);
    case RoomState::Kind::Finished: return QColor(0xc4, 0xe8, 0xc4);
    case RoomState::Kind::Closed: return QColor(0xdc, 0xdc, 0xdc);
    case RoomState::Kind::SetAside: return QColor(0xee, 0xee, 0xee);
    }
    return QColor(Qt::white);
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
        QString why = reasons(r);
        if (index.column() == Folder)
            why = why.isEmpty() ? r.state.folder : r.state.folder + QLatin1Char('\n') + why;
        return why.isEmpty() ? QVariant() : QVariant(why);
    }
    case Qt::BackgroundRole:
        if (index.column() == State)
            return QBrush(colourOf(r.where.kind));
        if (!r.marks.isEmpty())
            return QBrush(QColor(0xff, 0xd8, 0xd0));
        return QVariant();
    case Qt::TextAlignmentRole: {
        const StatusColumn *shown = statusColumn(index.column());
        if ((shown && shown->number) || index.column() == InAttempt)
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    }
    case SortRole:
        switch (index.column()) {
        case Folder: return index.row(); // the room's order
        case State: return int(r.where.kind);
        case Subject: return int(r.state.subject);
        case Set: return int(r.state.set);
        case Attempt: return r.state.attemptInPlay;
        case Level: return r.state.level;
        case InAttempt: return inAttempt(r.state) ? r.state.inAttemptSeconds() : -1;
        case Since: return r.state.hasLog() ? r.state.ageSeconds : -1;
        default: return cellText(r, index.column());
        }
    default:
        return QVariant();
    }
}

QVariant RoomModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case State: return QStringLiteral("State");
    case InAttempt: return QStringLiteral("In attempt");
    default: break;
    }
    const StatusColumn *shown = statusColumn(section);
    return shown ? QString::fromLatin1(shown->title) : QString();
}
