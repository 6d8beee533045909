#include "room/widgets/RoomWindow.h"

#include "room/widgets/LiveTreeView.h"
#include "room/widgets/PayDialog.h"
#include "room/widgets/SetAsideDialog.h"
#include "room/logic/RoomExport.h"
#include "room/logic/RoomFolders.h"
#include "room/widgets/VerifyDialog.h"
#include "room/widgets/WorkProgress.h"
#include "session/LogArguments.h"
#include "session/SetAside.h"
#include "session/StateTexts.h"
#include "window/logic/GoAheadFile.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QScreen>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QScrollArea>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>
#include <QTime>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The clock's reading as a local date and time.
QDateTime dateTimeOf(const ClockReading &now)
{
    return QDateTime(now.date, QTime::fromMSecsSinceStartOfDay(int(now.msecs % 86400000)));
}

} // namespace

RoomWindow::RoomWindow(const RoomServices &services, const QStringList &folders, QWidget *parent)
    : QMainWindow(parent),
      m_services(services),
      m_log(services.workFolder, services.clock),
      m_reader(services.clock, 0),
      m_model(m_reader)
{
    setObjectName(QStringLiteral("Room"));
    setWindowTitle(QStringLiteral("Decision Tree Room"));

    m_table = new QTableView;
    m_table->setObjectName(QStringLiteral("RoomTable"));
    m_table->setAccessibleName(QStringLiteral("Workstations"));
    m_sorted.setSourceModel(&m_model);
    m_sorted.setSortRole(RoomModel::SortRole);
    m_sorted.setDynamicSortFilter(true);
    m_table->setModel(&m_sorted);
    m_table->setSortingEnabled(true);
    m_table->sortByColumn(RoomModel::Folder, Qt::AscendingOrder); // the room's order
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setWordWrap(false);
    // Of a long path the workstation's end is what tells rows apart.
    m_table->setTextElideMode(Qt::ElideLeft);

    m_marks = new QListWidget;
    m_marks->setObjectName(QStringLiteral("Marks"));
    m_marks->setAccessibleName(QStringLiteral("Marks"));
    m_marks->setWordWrap(true);

    m_tree = new LiveTreeView;
    // Zoomed, the tree grows past its panel and scrolls: its labels as large as wanted.
    m_treeArea = new QScrollArea;
    m_treeArea->setObjectName(QStringLiteral("LiveTreeArea"));
    m_treeArea->setWidgetResizable(true);
    m_treeArea->setWidget(m_tree);

    auto *left = new QSplitter(Qt::Vertical);
    left->addWidget(m_table);
    left->addWidget(m_marks);
    left->setStretchFactor(0, 3);
    left->setStretchFactor(1, 1);
    m_split = new QSplitter(Qt::Horizontal);
    m_split->addWidget(left);
    m_split->addWidget(makeTreePanel());
    m_split->setStretchFactor(0, 3);
    m_split->setStretchFactor(1, 2);
    m_split->setSizes({900, 560});

    auto *central = new QWidget;
    auto *layout = new QVBoxLayout(central);
    layout->addWidget(m_split, 1);
    layout->addWidget(makeActions());
    setCentralWidget(central);
    statusBar()->showMessage(QStringLiteral("Each workstation's files are read every second."));

    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this, &RoomWindow::selectionChanged);
    connect(&m_model, &QAbstractItemModel::rowsRemoved, this, &RoomWindow::selectionChanged);
    connect(m_split, &QSplitter::splitterMoved, this, [this] { m_splitMoved = true; });
    connect(&m_poll, &QTimer::timeout, this, &RoomWindow::tick);
    connect(this, &RoomWindow::newlySilent, this, [this] { QApplication::alert(this); });
    m_poll.start(PollMs);

    setFolders(folders.isEmpty() ? services.settings.value(SettingsKey).toStringList() : RoomFolders::expand(folders));
    // The table whole, its columns fitted to their contents; the tree has the rest.
    m_split->setSizes({tableWidth(), treeWidth()});
    resize(fittedSize());
}

QWidget *RoomWindow::makeTreePanel()
{
    // Above the live tree: the heatmap of every log of the room in its place.
    m_wholeRoom = new QCheckBox(QStringLiteral("&Whole room"));
    m_wholeRoom->setObjectName(QStringLiteral("WholeRoom"));
    m_wholeRoom->setAccessibleName(m_wholeRoom->text().remove(QLatin1Char('&')));
    m_wholeRoom->setToolTip(QStringLiteral("In place of the selected subject's attempt, how much each node was looked "
                                           "at over every attempt of every log of the room"));
    m_heatMeasure = new QComboBox;
    m_heatMeasure->setObjectName(QStringLiteral("HeatMeasure"));
    m_heatMeasure->setAccessibleName(QStringLiteral("What the whole room's heatmap counts"));
    m_heatMeasure->addItem(QStringLiteral("Inspections"), int(NodeHeat::Measure::Inspections));
    m_heatMeasure->addItem(QStringLiteral("Dwell"), int(NodeHeat::Measure::Dwell));
    m_heatMeasure->setEnabled(false);
    connect(m_wholeRoom, &QCheckBox::toggled, this, &RoomWindow::showWholeRoom);
    connect(m_heatMeasure, &QComboBox::currentIndexChanged, this, &RoomWindow::followRoomHeat);

    auto *bar = new QHBoxLayout;
    bar->setContentsMargins(0, 0, 0, 0);
    bar->addWidget(m_wholeRoom);
    bar->addWidget(m_heatMeasure);
    bar->addStretch();
    auto *panel = new QWidget;
    auto *column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    column->addLayout(bar);
    column->addWidget(m_treeArea, 1);
    return panel;
}

void RoomWindow::showWholeRoom(bool on)
{
    m_heatMeasure->setEnabled(on);
    if (on)
        followRoomHeat();
    m_tree->showRoom(on);
}

void RoomWindow::followRoomHeat()
{
    // Every log of the room's rows that is in use: a log set aside is left out, as the
    // room's Export leaves it out.
    QStringList logs;
    for (const RoomReader::Row &row : m_model.rows())
        if (row.state.hasLog() && row.state.setAside.isEmpty())
            logs.append(row.state.logPath);
    m_tree->followRoom(logs, NodeHeat::Measure(m_heatMeasure->currentData().toInt()));
}

int RoomWindow::tableWidth() const
{
    return m_table->horizontalHeader()->length() + 2 * m_table->frameWidth()
        + style()->pixelMetric(QStyle::PM_ScrollBarExtent);
}

int RoomWindow::treeWidth() const
{
    return std::max(m_tree->sizeHint().width(), TreeMinWidth);
}

void RoomWindow::fitTable()
{
    // The columns widen as logs fill them: the table's pane takes the width they need from
    // the tree's, down to the tree's least width, so no column hides behind a scroll bar.
    // Once the experimenter has dragged the splitter, the panes stay as they were put.
    const QList<int> sizes = m_split->sizes();
    if (m_splitMoved || sizes.size() != 2)
        return;
    const QHeaderView *header = m_table->horizontalHeader();
    const int last = RoomModel::ColumnCount - 1;
    int columns = 0;
    for (int column = 0; column < last; ++column)
        columns += header->sectionSize(column);
    const QAbstractItemView *view = m_table;
    columns += std::max(view->sizeHintForColumn(last), header->sectionSizeHint(last));
    const int hidden = std::max(columns, header->length()) - m_table->viewport()->width();
    const int grow = std::min(hidden, sizes[1] - TreeMinWidth);
    if (grow > 0)
        m_split->setSizes({sizes[0] + grow, sizes[1] - grow});
}

QSize RoomWindow::fittedSize() const
{
    // The table's columns as fitted to their contents, its rows and the panels around it.
    const int frame = 2 * m_table->frameWidth() + style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int tableWidth = this->tableWidth();
    const int rows = std::max(m_model.rowCount(), 6);
    const int tableHeight = m_table->horizontalHeader()->height() + rows * m_table->verticalHeader()->defaultSectionSize() + frame;
    const int width = tableWidth + treeWidth() + 48;
    const int height = tableHeight + 160 + centralWidget()->layout()->itemAt(1)->sizeHint().height() + 80;
    return {std::max(width, 1100), std::max(height, 800)};
}

void RoomWindow::showFitted()
{
    const QSize wanted = fittedSize();
    const QScreen *on = screen() ? screen() : QGuiApplication::primaryScreen();
    const QSize room = on ? on->availableGeometry().size() : wanted;
    if (wanted.width() > room.width() || wanted.height() > room.height()) {
        showMaximized();
        return;
    }
    resize(wanted);
    show();
}

QPushButton *RoomWindow::addButton(const QString &text, const QKeySequence &shortcut, const QString &tip)
{
    auto *button = new QPushButton(text);
    // "Verify all" is found as VerifyAll.
    QString name;
    for (const QString &word : text.split(QLatin1Char(' ')))
        name += word.left(1).toUpper() + word.mid(1);
    button->setObjectName(name);
    button->setAccessibleName(text);
    button->setShortcut(shortcut);
    button->setToolTip(QStringLiteral("%1 (%2): %3").arg(text, shortcut.toString(QKeySequence::NativeText), tip));
    button->setAutoDefault(false);
    return button;
}

QWidget *RoomWindow::makeActions()
{
    const QString which = QStringLiteral("of the selected workstations");
    QPushButton *prepare = addButton(QStringLiteral("Prepare"), QKeySequence(QStringLiteral("Ctrl+Shift+P")),
                                     QStringLiteral("write 0 into okto.go ") + which);
    QPushButton *release = addButton(QStringLiteral("Release"), QKeySequence(QStringLiteral("Ctrl+Shift+R")),
                                     QStringLiteral("write 1 into okto.go ") + which + QStringLiteral(": Start is offered"));
    QPushButton *quit = addButton(QStringLiteral("Quit"), QKeySequence(QStringLiteral("Ctrl+Shift+Q")),
                                  QStringLiteral("write 99 into okto.go ") + which + QStringLiteral(": the program closes"));
    QPushButton *verify = addButton(QStringLiteral("Verify all"), QKeySequence(QStringLiteral("Ctrl+Shift+V")),
                                    QStringLiteral("read every log of the room by the rules of the run"));
    QPushButton *pay = addButton(QStringLiteral("Pay"), QKeySequence(QStringLiteral("Ctrl+Shift+Y")),
                                 QStringLiteral("draw each subject's paid attempt from a seed, then write the table"));
    QPushButton *exportButton = addButton(QStringLiteral("Export"), QKeySequence(QStringLiteral("Ctrl+Shift+E")),
                                          QStringLiteral("write the room's logs as tables into a folder"));
    QPushButton *add = addButton(QStringLiteral("Add folder"), QKeySequence(QStringLiteral("Ctrl+O")),
                                 QStringLiteral("add a workstation's data folder, or a folder holding ws*/data"));
    QPushButton *remove = addButton(QStringLiteral("Remove folder"), QKeySequence(QStringLiteral("Ctrl+Delete")),
                                    QStringLiteral("take the selected workstations' folders out of the room"));
    QPushButton *selectAll = addButton(QStringLiteral("Select all"), QKeySequence(QKeySequence::SelectAll),
                                       QStringLiteral("select every workstation, for Prepare, Release or Quit"));
    m_targeted = {prepare, release, quit, remove};
    connect(selectAll, &QPushButton::clicked, m_table, &QTableView::selectAll);
    connect(prepare, &QPushButton::clicked, this, &RoomWindow::prepare);
    connect(release, &QPushButton::clicked, this, &RoomWindow::release);
    connect(quit, &QPushButton::clicked, this, &RoomWindow::quit);
    connect(verify, &QPushButton::clicked, this, &RoomWindow::verifyAll);
    connect(pay, &QPushButton::clicked, this, &RoomWindow::pay);
    connect(exportButton, &QPushButton::clicked, this, &RoomWindow::exportTables);
    QPushButton *setAside = addButton(QStringLiteral("Set aside..."), QKeySequence(QStringLiteral("Ctrl+Shift+A")),
                                      QStringLiteral("set the selected rows' logs aside, with a reason: status, verify, "
                                                     "pay and export leave them out; nothing is renamed or deleted"));
    setAside->setObjectName(QStringLiteral("SetAside"));
    QPushButton *bringBack = addButton(QStringLiteral("Bring back"), QKeySequence(QStringLiteral("Ctrl+Shift+B")),
                                       QStringLiteral("bring the selected rows' logs set aside back into use"));
    connect(setAside, &QPushButton::clicked, this, &RoomWindow::setAsideSelected);
    connect(bringBack, &QPushButton::clicked, this, &RoomWindow::bringBackSelected);
    connect(add, &QPushButton::clicked, this, &RoomWindow::addFolder);
    connect(remove, &QPushButton::clicked, this, &RoomWindow::removeFolders);

    m_silent = new QSpinBox;
    m_silent->setObjectName(QStringLiteral("SilentAfter"));
    m_silent->setAccessibleName(QStringLiteral("Mark a log silent after, in seconds"));
    m_silent->setRange(10, 3600);
    m_silent->setSuffix(QStringLiteral(" s"));
    m_silent->setValue(m_reader.silentAfter());
    auto *silentLabel = new QLabel(QStringLiteral("Mark &silent after:"));
    silentLabel->setBuddy(m_silent);
    connect(m_silent, &QSpinBox::valueChanged, this, &RoomWindow::silentAfterChanged);

    // The session's actions above, the window's settings and its folders below: in one
    // row they would make the window wider than a 1280-pixel screen.
    auto *bar = new QWidget;
    auto *rows = new QVBoxLayout(bar);
    rows->setContentsMargins(0, 0, 0, 0);
    auto *row = new QHBoxLayout;
    rows->addLayout(row);
    for (QPushButton *button : {selectAll, prepare, release, quit})
        row->addWidget(button);
    row->addSpacing(24);
    for (QPushButton *button : {verify, pay, exportButton})
        row->addWidget(button);
    row->addSpacing(24);
    row->addWidget(setAside);
    row->addWidget(bringBack);
    row->addStretch();
    auto *settings = new QHBoxLayout;
    rows->addLayout(settings);
    settings->addWidget(silentLabel);
    settings->addWidget(m_silent);
    m_zoom = new QSpinBox;
    m_zoom->setObjectName(QStringLiteral("TreeZoom"));
    m_zoom->setAccessibleName(QStringLiteral("The live tree's zoom, in percent"));
    m_zoom->setToolTip(QStringLiteral("The live tree larger than its panel, to read its labels; it scrolls"));
    m_zoom->setRange(100, 400);
    m_zoom->setSingleStep(50);
    m_zoom->setSuffix(QStringLiteral(" %"));
    auto *zoomLabel = new QLabel(QStringLiteral("Tree &zoom:"));
    zoomLabel->setBuddy(m_zoom);
    connect(m_zoom, &QSpinBox::valueChanged, this, &RoomWindow::zoomTree);
    settings->addSpacing(24);
    settings->addWidget(zoomLabel);
    settings->addWidget(m_zoom);
    settings->addStretch();
    settings->addWidget(add);
    settings->addWidget(remove);
    return bar;
}

void RoomWindow::zoomTree(int percent)
{
    const QSize panel = m_treeArea->viewport()->size();
    m_tree->setMinimumSize(percent <= 100 ? m_tree->minimumSizeHint() : panel * (percent / 100.0));
}

void RoomWindow::silentAfterChanged(int seconds)
{
    m_reader.setSilentAfter(seconds);
    tick();
}

void RoomWindow::setFolders(const QStringList &folders)
{
    m_reader.setFolders(folders);
    m_services.settings.setValue(SettingsKey, folders);
    m_services.settings.sync();
    tick();
}

void RoomWindow::tick()
{
    m_model.tick();
    fitTable();
    showMarks();
    selectionChanged();
    // The room's heatmap follows the rows' logs, and reads them again where one changed.
    if (m_wholeRoom->isChecked())
        followRoomHeat();
    else
        m_tree->refresh();
    // A subject newly silent calls the experimenter, wherever the window is.
    QSet<QString> silent;
    for (const RoomReader::Row &row : m_model.rows())
        if (row.where.kind == RoomState::Kind::Silent)
            silent.insert(row.path + QLatin1Char('\n') + row.state.logName);
    const QSet<QString> fell = silent - m_silentRows;
    m_silentRows = silent;
    if (!fell.isEmpty())
        emit newlySilent(QStringList(fell.cbegin(), fell.cend()));
    showStatus();
}

void RoomWindow::showStatus()
{
    const ClockReading now = m_services.clock.now();
    const auto clockText = [](qint64 msecs) {
        return QTime::fromMSecsSinceStartOfDay(int(msecs % 86400000)).toString(QStringLiteral("HH:mm:ss"));
    };
    qsizetype attention = 0;
    for (const RoomReader::Row &row : m_model.rows())
        attention += row.marks.isEmpty() ? 0 : 1;
    QStringList parts;
    parts.append(m_model.rowCount() == 1 ? QStringLiteral("1 workstation") : QStringLiteral("%1 workstations").arg(m_model.rowCount()));
    parts.append(attention == 0 ? QStringLiteral("none needs attention")
                                : QStringLiteral("%1 need%2 attention (tinted)").arg(attention).arg(attention == 1 ? QStringLiteral("s") : QString()));
    if (m_released.isValid()) {
        const QDateTime at = now.date.startOfDay().addMSecs(now.msecs);
        parts.append(QStringLiteral("released at %1, %2 ago").arg(m_released.time().toString(QStringLiteral("HH:mm:ss")),
                                                                   StateTexts::age(m_released.secsTo(at))));
    }
    parts.append(QStringLiteral("read every second, last at %1").arg(clockText(now.msecs)));
    statusBar()->showMessage(parts.join(QStringLiteral("; ")));
}

void RoomWindow::showMarks()
{
    QStringList lines;
    for (const RoomReader::Row &row : m_model.rows())
        for (const RoomMark &mark : row.marks)
            lines.append(QStringLiteral("%1 (%2): %3: %4").arg(row.name, row.state.folder, RoomMark::name(mark.kind), mark.finding.message));
    // Rebuilt only when it changed, so a line the experimenter is reading stays put.
    QStringList shown;
    for (int k = 0; k < m_marks->count(); ++k)
        shown.append(m_marks->item(k)->text());
    if (shown == lines)
        return;
    m_marks->clear();
    m_marks->addItems(lines);
}

QList<int> RoomWindow::selectedRows() const
{
    QList<int> rows;
    for (const QModelIndex &index : m_table->selectionModel()->selectedRows())
        rows.append(m_sorted.mapToSource(index).row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

QStringList RoomWindow::selectedFolders() const
{
    QStringList folders;
    for (const int k : selectedRows())
        if (!folders.contains(m_model.row(k).path))
            folders.append(m_model.row(k).path);
    return folders;
}

void RoomWindow::selectionChanged()
{
    const bool any = !selectedRows().isEmpty();
    for (QPushButton *button : std::as_const(m_targeted))
        button->setEnabled(any);
    followSelected();
}

void RoomWindow::followSelected()
{
    const QList<int> rows = selectedRows();
    m_tree->follow(rows.size() == 1 ? m_model.row(rows.first()).state.logPath : QString());
}

void RoomWindow::goAhead(qint16 value, const QString &action)
{
    // The rows chosen, each folder once, under its workstation's name.
    const QList<int> chosen = selectedRows();
    QStringList folders;
    QStringList names;
    for (const int k : chosen) {
        const RoomReader::Row &row = m_model.row(k);
        if (folders.contains(row.path))
            continue;
        folders.append(row.path);
        names.append(row.name);
    }
    if (folders.isEmpty())
        return;
    QStringList lines;
    for (qsizetype k = 0; k < folders.size(); ++k)
        lines.append(QStringLiteral("%1 at %2: %3").arg(names[k], QDir::toNativeSeparators(folders[k]),
                                                        StateTexts::holds(GoAheadFile::read(GoAheadFile::in(folders[k])))));
    if (value == GoAheadFile::Quit)
        for (const RoomReader::Row &row : m_model.rows()) {
            const QString where = GoAheadAction::stillPlayingIn({row.state}, row.state.goAhead);
            if (folders.contains(row.path) && row.state.today && row.state.hasLog() && !row.state.closed() && row.state.setAside.isEmpty()
                && !where.isEmpty())
                lines.append(QStringLiteral("%1: subject %2 has not finished (%3): the program acts on 99 only after "
                                            "the last attempt, once the button on its last screen is clicked")
                                 .arg(row.name).arg(row.state.subject).arg(where));
        }
    if (!m_services.boxes.confirm(this, action,
                                  QStringLiteral("%1: write %2 into okto.go of %3: %4?\n\n%5")
                                      .arg(action)
                                      .arg(value)
                                      .arg(folders.size() == 1 ? QStringLiteral("1 workstation")
                                                               : QStringLiteral("%1 workstations").arg(folders.size()))
                                      .arg(names.join(QStringLiteral(", ")), lines.join(QLatin1Char('\n'))))) {
        QStringList shown;
        for (const QString &folder : folders)
            shown.append(QDir::toNativeSeparators(folder));
        logAction(action.toLower(), QStringLiteral("cancelled at its box, nothing written: %1").arg(shown.join(QStringLiteral(", "))));
        return;
    }
    QList<GoAheadAction> done;
    bool allDone = true;
    QStringList report;
    for (const QString &folder : folders) {
        done.append(GoAheadAction::to(folder, value, 0, m_services.clock));
        allDone = allDone && done.last().done();
        report.append(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(folder), done.last().text()));
    }
    if (value == GoAheadFile::Release && std::any_of(done.cbegin(), done.cend(), [](const GoAheadAction &one) {
            return one.write.written();
        })) {
        const ClockReading now = m_services.clock.now();
        m_released = now.date.startOfDay().addMSecs(now.msecs);
    }
    const std::optional<Finding> unlogged = m_log.goAhead(action.toLower(), done);
    if (unlogged)
        report.append(unlogged->message);
    tick();
    if (allDone && !unlogged)
        m_services.boxes.information(this, action, report.join(QLatin1Char('\n')));
    else
        m_services.boxes.warning(this, action, report.join(QLatin1Char('\n')));
}

void RoomWindow::prepare()
{
    goAhead(GoAheadFile::Hold, QStringLiteral("Prepare"));
}

void RoomWindow::release()
{
    goAhead(GoAheadFile::Release, QStringLiteral("Release"));
}

void RoomWindow::quit()
{
    goAhead(GoAheadFile::Quit, QStringLiteral("Quit"));
}

LogArguments RoomWindow::roomLogs()
{
    return LogArguments::resolve(m_reader.folders());
}

void RoomWindow::logAction(const QString &action, const QString &what)
{
    if (const std::optional<Finding> unlogged = m_log.append(action, what))
        m_services.boxes.warning(this, QStringLiteral("Decision Tree Room"), unlogged->message);
}

void RoomWindow::verifyAll()
{
    auto *dialog = new VerifyDialog(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
    const LogArguments logs = roomLogs();
    // A run is still running while its log is written within the time after which its row
    // is marked silent.
    const QDateTime runningSince = dateTimeOf(m_services.clock.now()).addSecs(-m_reader.silentAfter());
    dialog->verify(logs.logs, runningSince, logs.findings);
    logAction(QStringLiteral("verify"), dialog->summary());
}

void RoomWindow::pay()
{
    auto *dialog = new PayDialog(roomLogs(), m_services.workFolder, m_services.boxes, m_log, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

void RoomWindow::exportTables()
{
    const QString folder = m_services.boxes.chooseFolder(this, QStringLiteral("Export into"), m_services.workFolder);
    if (folder.isEmpty())
        return;
    const LogArguments room = roomLogs();
    Findings found = room.findings;
    const QStringList others = room.otherDays();
    QStringList shownOthers;
    for (const QString &log : others)
        shownOthers.append(QDir::toNativeSeparators(log));
    const bool includeDays = !others.isEmpty()
        && m_services.boxes.confirm(this, QStringLiteral("Export"),
                                    QStringLiteral("%1 of the room's logs were last written on another day than the "
                                                   "session's, %2:\n%3\n\nExport them too (treelab export "
                                                   "--include-days)? Cancel leaves them out.")
                                        .arg(others.size())
                                        .arg(LogArguments::dayText(room.sessionDay()), shownOthers.join(QLatin1Char('\n'))));
    const QStringList logs = room.ofSession(includeDays, QStringLiteral("answer OK when Export asks to take them in"), &found);
    QStringList choices;
    bool forced = false;
    const auto exportAll = [&](bool force) {
        WorkProgress progress(this, QStringLiteral("Exporting the logs..."), int(logs.size()));
        RoomExport::Result result = RoomExport::to(folder, logs, [&](int k) { return progress.step(k); }, force);
        progress.done();
        return result;
    };
    RoomExport::Result result = exportAll(false);
    // As treelab export --force: asked for by name, after the logs that fail were named.
    if (result.notAdmitted > 0
        && m_services.boxes.confirm(this, QStringLiteral("Export"),
                                    QStringLiteral("%1 of the logs fail verification (see Verify all), so nothing "
                                                   "was written.\n\nExport them all the same, reading each line "
                                                   "that has no place by the rules as the record it looks like "
                                                   "(treelab export --force)?")
                                        .arg(result.notAdmitted))) {
        result = exportAll(true);
        forced = true;
    } else if (result.notAdmitted > 0) {
        choices.append(QStringLiteral("--force declined"));
    }
    if (forced)
        choices.append(QStringLiteral("--force"));
    if (includeDays)
        choices.append(QStringLiteral("--include-days"));
    choices += room.choicesText(includeDays);
    result.findings = found + result.findings;
    QStringList lines;
    for (const Finding &finding : result.findings)
        lines.append(finding.text());
    if (result.cancelled)
        lines.prepend(QStringLiteral("Export cancelled: nothing written."));
    else if (result.written)
        lines.prepend(QStringLiteral("%1 logs exported to %2.").arg(logs.size()).arg(result.files.join(QStringLiteral(", "))));
    logAction(QStringLiteral("export"), (result.written ? lines.first() : QStringLiteral("nothing written into %1")
                                                                              .arg(QDir::toNativeSeparators(folder)))
                                            + (choices.isEmpty() ? QString()
                                                                 : QStringLiteral(" (%1)").arg(choices.join(QStringLiteral("; ")))));
    if (result.written)
        m_services.boxes.information(this, QStringLiteral("Export"), lines.join(QLatin1Char('\n')));
    else
        m_services.boxes.warning(this, QStringLiteral("Export"), lines.join(QLatin1Char('\n')));
}

void RoomWindow::setAsideSelected()
{
    QStringList logs;
    for (const int k : selectedRows())
        if (const WorkstationState &state = m_model.row(k).state; state.hasLog() && state.setAside.isEmpty())
            logs.append(state.logPath);
    if (logs.isEmpty()) {
        m_services.boxes.information(this, QStringLiteral("Set aside"),
                                     QStringLiteral("Select the rows of the logs to set aside."));
        return;
    }
    auto *dialog = new SetAsideDialog(logs, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog, logs] { setAside(logs, dialog->reason()); });
    connect(dialog, &QDialog::rejected, this, [this, logs] {
        logAction(QStringLiteral("set aside"), QStringLiteral("cancelled at its box, nothing set aside: %1")
                                                   .arg(QDir::toNativeSeparators(logs.join(QStringLiteral(", ")))));
    });
    dialog->open();
}

void RoomWindow::setAside(const QStringList &logs, const QString &reason)
{
    const QDateTime when = dateTimeOf(m_services.clock.now());
    QStringList done, failed;
    for (const QString &log : logs) {
        if (const std::optional<QString> why = SetAside::setAside(log, reason, when))
            failed.append(*why);
        else
            done.append(QDir::toNativeSeparators(log));
    }
    if (!done.isEmpty())
        logAction(QStringLiteral("set aside"), QStringLiteral("%1: %2").arg(done.join(QStringLiteral(", ")), reason));
    tick();
    if (failed.isEmpty())
        m_services.boxes.information(this, QStringLiteral("Set aside"),
                                     QStringLiteral("Set aside: %1\nReason: %2").arg(done.join(QStringLiteral(", ")), reason));
    else
        m_services.boxes.warning(this, QStringLiteral("Set aside"), failed.join(QLatin1Char('\n')));
}

void RoomWindow::bringBackSelected()
{
    QStringList logs, lines;
    for (const int k : selectedRows())
        if (const WorkstationState &state = m_model.row(k).state; state.hasLog() && !state.setAside.isEmpty()) {
            logs.append(state.logPath);
            lines.append(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(state.logPath), state.setAside));
        }
    if (logs.isEmpty()) {
        m_services.boxes.information(this, QStringLiteral("Bring back"),
                                     QStringLiteral("Select the rows of the logs set aside to bring back."));
        return;
    }
    if (!m_services.boxes.confirm(this, QStringLiteral("Bring back"),
                                  QStringLiteral("Bring back into use?\n\n%1").arg(lines.join(QLatin1Char('\n'))))) {
        logAction(QStringLiteral("bring back"), QStringLiteral("cancelled at its box: %1")
                                                    .arg(QDir::toNativeSeparators(logs.join(QStringLiteral(", ")))));
        return;
    }
    const QDateTime when = dateTimeOf(m_services.clock.now());
    QStringList done, failed;
    for (const QString &log : logs) {
        if (const std::optional<QString> why = SetAside::bringBack(log, when))
            failed.append(*why);
        else
            done.append(QDir::toNativeSeparators(log));
    }
    if (!done.isEmpty())
        logAction(QStringLiteral("bring back"), done.join(QStringLiteral(", ")));
    tick();
    if (!failed.isEmpty())
        m_services.boxes.warning(this, QStringLiteral("Bring back"), failed.join(QLatin1Char('\n')));
}

void RoomWindow::addFolder()
{
    const QString folder = m_services.boxes.chooseFolder(this, QStringLiteral("Add a data folder, or a folder holding "
                                                                              "ws*/data"),
                                                         m_services.workFolder);
    if (folder.isEmpty())
        return;
    QStringList folders = m_reader.folders();
    for (const QString &added : RoomFolders::expand({folder}))
        if (!folders.contains(added))
            folders.append(added);
    logAction(QStringLiteral("folders"), QStringLiteral("added %1").arg(QDir::toNativeSeparators(folder)));
    setFolders(folders);
}

void RoomWindow::removeFolders()
{
    if (selectedRows().isEmpty())
        return;
    const QStringList gone = selectedFolders();
    QStringList folders = m_reader.folders();
    for (const QString &folder : gone)
        folders.removeAll(folder);
    logAction(QStringLiteral("folders"), QStringLiteral("removed %1").arg(QDir::toNativeSeparators(gone.join(QStringLiteral(", ")))));
    setFolders(folders);
}
