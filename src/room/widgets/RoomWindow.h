#pragma once

#include "room/logic/RoomLog.h"
#include "room/widgets/RoomModel.h"
#include "room/logic/RoomReader.h"
#include "room/widgets/RoomServices.h"
#include "session/LogArguments.h"

#include <QMainWindow>
#include <QTimer>

class LiveTreeView;
class QListWidget;
class QPushButton;
class QSpinBox;
class QTableView;

// "Decision Tree Room": a whole session run from one screen. The room table shows every
// workstation, read again every second (a poll, as the program polls okto.go: change
// notices do not arrive from a network share); a marked row gives its reasons in its
// tooltip and in the panel below. Prepare, Release and Quit write okto.go of the selected
// rows (all when none is selected) after a box that lists what each holds now; the
// selected row's attempt in play is drawn live beside the table; Verify all, Pay and
// Export end the session. Every action is written to room-log.txt.
class RoomWindow : public QMainWindow
{
    Q_OBJECT

public:
    static constexpr int PollMs = 1000;
    static inline const QString SettingsKey = QStringLiteral("room/folders");

    // folders: as named (RoomFolders::expand); none: those remembered from last time.
    RoomWindow(const RoomServices &services, const QStringList &folders, QWidget *parent = nullptr);

    // The data folders shown, and remembered for next time.
    void setFolders(const QStringList &folders);
    QStringList folders() const { return m_reader.folders(); }

    // One poll: reads what changed, updates the rows, the marks and the tree.
    void tick();

    const RoomReader &reader() const { return m_reader; }

private:
    QPushButton *addButton(const QString &text, const QKeySequence &shortcut, const QString &tip);
    QWidget *makeActions();
    QStringList selectedFolders() const;
    QList<int> selectedRows() const;
    void showMarks();
    void followSelected();
    void goAhead(qint16 value, const QString &action);
    void prepare();
    void release();
    void quit();
    void verifyAll();
    void pay();
    void exportTables();
    void setAsideSelected();
    void bringBackSelected();
    void setAside(const QStringList &logs, const QString &reason);
    void silentAfterChanged(int seconds);
    void addFolder();
    void removeFolders();
    LogArguments roomLogs();
    void logAction(const QString &action, const QString &what);

    RoomServices m_services;
    RoomLog m_log;
    RoomReader m_reader;
    RoomModel m_model;
    QTimer m_poll;
    QTableView *m_table = nullptr;
    QListWidget *m_marks = nullptr;
    LiveTreeView *m_tree = nullptr;
    QSpinBox *m_silent = nullptr;
};
