#pragma once

#include "AnsweringMessageBoxes.h"
#include "ScriptedRandomSource.h"
#include "StubClock.h"
#include "TestPayoffs.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QTemporaryDir>

#include <memory>

class TextsTranslation;
class TreeWindow;
class NodeButton;
class QAbstractButton;
class QWidget;
struct Controls;

// The real window over a temporary data folder, with a standing clock, scripted draws
// and answered message boxes. The folder holds a payoff file btinp.01 (set 1 pays
// payoffFor(j) at p(j), set 2 pays -payoffFor(j)) and okto.go holding 0.
class WindowFixture
{
public:
    // Syncs::Threaded forces the files to the disk on the records' own thread, as the
    // program does (the benchmarks); syncs then stays empty.
    enum class Syncs { Recorded, Threaded };
    explicit WindowFixture(Syncs mode = Syncs::Recorded);
    // With texts.qm in the data folder holding textsQm, loaded and installed as the
    // program does before it makes the window (it must load).
    explicit WindowFixture(const QByteArray &textsQm);
    ~WindowFixture();

    static int payoffFor(int j) { return TestPayoffs::payoffFor(j); }
    static QByteArray payoffFileText() { return TestPayoffs::fileText(); }
    // The colour text of a node of level 1..7 in play: green, red, ..., yellow.
    static const QString &levelColour(int level);

    TreeWindow &window() { return *m_window; }
    const Controls &controls() const;
    QString dataPath(const QString &name) const;

    void writeFile(const QString &name, const QByteArray &bytes) const;
    QByteArray readFile(const QString &name) const;
    // The event log of the default run (set 1, subject 99, btinp.01).
    QByteArray log() const { return readFile(QStringLiteral("o199btinp.01")); }

    void click(QAbstractButton *button);
    void clickNode(int level, int index);
    NodeButton *node(int level, int index) const;

    // Confirms the parameters as shown, sets okto.go to 1 and ticks the poll once.
    void confirm();
    void confirmAndGoAhead();
    void tick();
    // Confirms, gives the go-ahead and clicks Start: the first attempt on its fresh tree.
    void startRun();
    // One move per entry from d1 upward (true = Right): clicks the node stood on, then
    // confirms the option or lets Nature draw 0.75 (Right) or 0.25 (Left). Before the
    // last move, lastNote is typed into that node's notepad. Returns the index of the
    // node reached on the level after the last move.
    int playMoves(const QList<bool> &rights, const QString &lastNote = {});

    // Sets the standing clock `seconds` after the log was opened (it opens at 512.5).
    void at(double seconds) { clock.set(float(512.5 + seconds)); }
    // What the log gained since `before`; a log that no longer starts with `before`
    // gives a text no expectation can match.
    QByteArray since(const QByteArray &before) const;

    // Each forcing of a file to the disk, done at once in the tests: the file and its
    // size then, that is what a power cut at that moment would leave of it.
    struct Sync
    {
        QString path;
        qint64 size = 0;
    };
    QList<Sync> syncs;
    // The size of name when it was last synced; -1 if never.
    qint64 syncedSize(const QString &name) const;

    StubClock clock{512.5f};
    ScriptedRandomSource random;
    AnsweringMessageBoxes boxes;

private:
    void makeWindow(Syncs mode);

    QTemporaryDir m_dir;
    std::unique_ptr<TextsTranslation> m_texts; // outlives the window
    std::unique_ptr<TreeWindow> m_window;
};
