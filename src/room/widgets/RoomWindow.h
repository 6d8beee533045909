#pragma once

#include "room/logic/RoomLog.h"
#include "room/widgets/RoomModel.h"
#include "room/logic/RoomReader.h"
#include "room/widgets/RoomServices.h"
#include "session/LogArguments.h"

#include <QDateTime>
#include <QMainWindow>
#include <QSet>
#include <QSortFilterProxyModel>
#include <QTimer>

class LiveTreeView;
class QCheckBox;
class QComboBox;
class QListWidget;
class QPushButton;
class QScrollArea;
class QSpinBox;
class QSplitter;
class QTableView;

// "Decision Tree Room": a whole session run from one screen. The room table shows every
// workstation, read again every second (a poll, as the program polls okto.go: change
// notices do not arrive from a network share); a marked row gives its reasons in its
// tooltip and in the panel below. Prepare, Release and Quit write okto.go of the selected
// rows alone, after a box that names each workstation with what its okto.go holds now;
// with no row selected they cannot be used (Select all, Ctrl+A, selects every row). The
// selection, the sort order and the scroll survive every poll. The selected row's attempt
// in play is drawn live beside the table (or, with Whole room, the heatmap of every log of
// the room); Verify all, Pay and Export end the session.
// Every action is written to room-log.txt.
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

    // Shows the window large enough for its table and the tree, or maximized when the
    // screen is too small for that.
    void showFitted();
    // The size the window asks for: the table whole beside the tree.
    QSize fittedSize() const;
    // The table's width with every column fitted to its contents.
    int tableWidth() const;

signals:
    // A tick found subjects silent that were not at the last one (each folder and log);
    // the window then calls for the experimenter's attention.
    void newlySilent(const QStringList &rows);

private:
    static constexpr int TreeMinWidth = 480; // the live tree's least width beside the table

    int treeWidth() const;
    void fitTable();
    QPushButton *addButton(const QString &text, const QKeySequence &shortcut, const QString &tip);
    QWidget *makeActions();
    // The live tree with, above it, the choice of the whole room's heatmap.
    QWidget *makeTreePanel();
    void showWholeRoom(bool on);
    // The room's logs in use, to the heatmap.
    void followRoomHeat();
    QStringList selectedFolders() const;
    QList<int> selectedRows() const;
    void selectionChanged();
    void showStatus();
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
    void zoomTree(int percent);
    void addFolder();
    void removeFolders();
    LogArguments roomLogs();
    void logAction(const QString &action, const QString &what);

    RoomServices m_services;
    RoomLog m_log;
    RoomReader m_reader;
    RoomModel m_model;
    QSortFilterProxyModel m_sorted; // the table's order, over m_model
    QTimer m_poll;
    QTableView *m_table = nullptr;
    QList<QPushButton *> m_targeted; // the buttons that act on the selected rows
    QListWidget *m_marks = nullptr;
    LiveTreeView *m_tree = nullptr;
    QScrollArea *m_treeArea = nullptr;
    QSplitter *m_split = nullptr; // the table's pane beside the tree's
    bool m_splitMoved = false;    // the experimenter has dragged the splitter
    QCheckBox *m_wholeRoom = nullptr;
    QComboBox *m_heatMeasure = nullptr;
    QSpinBox *m_zoom = nullptr;
    QSpinBox *m_silent = nullptr;
    QDateTime m_released;        // the last Release that wrote, by the room's clock
    QSet<QString> m_silentRows;  // the rows silent at the last poll, by folder and log
};
