#include "WindowFixture.h"

#include "tree/widgets/NodeButton.h"
#include "window/widgets/Controls.h"
#include "window/TreeWindow.h"
#include "window/logic/TextsTranslation.h"
#include "window/widgets/WrappingButton.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QFileInfo>
#include <QTest>

#include <sys/stat.h>
#ifdef Q_OS_WIN
// Last: <windows.h> defines OpenEventLog, which the event log's header must not meet.
#define NOMINMAX
#include <io.h>
#include <windows.h>
#endif

namespace {

// The file behind an open handle, and its size (Linux: /proc/self/fd).
QString openFilePath(int handle)
{
#ifdef Q_OS_WIN
    // Windows names the file behind a handle itself; there is no /proc.
    wchar_t name[4096];
    const DWORD length = GetFinalPathNameByHandleW(reinterpret_cast<HANDLE>(_get_osfhandle(handle)), name,
                                                   DWORD(std::size(name)), FILE_NAME_NORMALIZED);
    if (length == 0 || length >= std::size(name))
        return QString();
    QString path = QString::fromWCharArray(name, int(length));
    if (path.startsWith(QLatin1String("\\\\?\\")))
        path.remove(0, 4);
    return QFileInfo(path).canonicalFilePath();
#else
    return QFileInfo(QStringLiteral("/proc/self/fd/%1").arg(handle)).canonicalFilePath();
#endif
}

qint64 fileSize(int handle)
{
    struct stat status = {};
    return ::fstat(handle, &status) == 0 ? qint64(status.st_size) : -1;
}

} // namespace

WindowFixture::WindowFixture(Syncs mode)
{
    QDir(m_dir.path()).mkdir(QStringLiteral("data"));
    writeFile(QStringLiteral("btinp.01"), payoffFileText());
    writeFile(QStringLiteral("okto.go"), " 0 \r\n");
    makeWindow(mode);
}

WindowFixture::WindowFixture(const QByteArray &textsQm)
{
    QDir(m_dir.path()).mkdir(QStringLiteral("data"));
    writeFile(QStringLiteral("btinp.01"), payoffFileText());
    writeFile(QStringLiteral("okto.go"), " 0 \r\n");
    writeFile(QStringLiteral("texts.qm"), textsQm);
    m_texts = std::make_unique<TextsTranslation>();
    if (m_texts->load(dataPath(QString())) != TextsTranslation::Outcome::Loaded)
        qWarning("the test translation was not loaded: %s", qPrintable(m_texts->error()));
    m_texts->install();
    makeWindow(Syncs::Recorded);
}

void WindowFixture::makeWindow(Syncs mode)
{
    std::function<bool(int, QString *)> sync;
    if (mode == Syncs::Recorded) {
        sync = [this](int handle, QString *) {
            syncs.append({openFilePath(handle), fileSize(handle)});
            return true;
        };
    }
    m_window = std::make_unique<TreeWindow>(
        Services{clock, random, boxes, dataPath(QString()), sync, m_texts.get()});
    m_window->show();
    if (!QTest::qWaitForWindowExposed(m_window.get()))
        qWarning("the test window was not exposed");
}

WindowFixture::~WindowFixture() = default;

qint64 WindowFixture::syncedSize(const QString &name) const
{
    const QString path = QFileInfo(dataPath(name)).canonicalFilePath();
    for (qsizetype k = syncs.size() - 1; k >= 0; --k) {
        if (syncs[k].path == path)
            return syncs[k].size;
    }
    return -1;
}

const QString &WindowFixture::levelColour(int level)
{
    static const QStringList colours = {QString(), "&HC000", "&HFF", "&HC000", "&HFF",
                                        "&HC000", "&HFF", "&H0000FFFF"};
    return colours.at(level);
}

int WindowFixture::playMoves(const QList<bool> &rights, const QString &lastNote)
{
    const Controls &c = controls();
    int index = 0;
    for (int step = 0; step < rights.size(); ++step) {
        const int level = step + 1;
        clickNode(level, index);
        if (step == rights.size() - 1 && !lastNote.isEmpty())
            QTest::keyClicks(c.Notepad, lastNote);
        if (level % 2 == 1) {
            (rights[step] ? c.MoveRight : c.MoveLeft)->click();
            click(c.ConfirmDecision);
        } else {
            random.draws.append(rights[step] ? 0.75f : 0.25f);
            click(c.NatureMove);
        }
        index = 2 * index + (rights[step] ? 1 : 0);
    }
    return index;
}

const Controls &WindowFixture::controls() const
{
    return m_window->controls();
}

QString WindowFixture::dataPath(const QString &name) const
{
    const QString data = m_dir.filePath(QStringLiteral("data"));
    return name.isEmpty() ? data : data + QLatin1Char('/') + name;
}

void WindowFixture::writeFile(const QString &name, const QByteArray &bytes) const
{
    QFile file(dataPath(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(file.fileName()));
    file.write(bytes);
}

QByteArray WindowFixture::readFile(const QString &name) const
{
    QFile file(dataPath(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void WindowFixture::click(QAbstractButton *button)
{
    if (!button->isVisible())
        qFatal("clicking %s, which is not visible", qPrintable(button->objectName()));
    QTest::mouseClick(button, Qt::LeftButton);
}

NodeButton *WindowFixture::node(int level, int index) const
{
    return controls().tree.node(level, index);
}

void WindowFixture::clickNode(int level, int index)
{
    click(node(level, index));
}

void WindowFixture::tick()
{
    m_window->flow().TimerOkToGo_Timer();
}

void WindowFixture::confirm()
{
    click(controls().ConfirmParameters);
}

void WindowFixture::confirmAndGoAhead()
{
    confirm();
    writeFile(QStringLiteral("okto.go"), "1\r\n");
    tick();
}

void WindowFixture::startRun()
{
    confirmAndGoAhead();
    click(controls().Start);
}

QByteArray WindowFixture::since(const QByteArray &before) const
{
    const QByteArray now = log();
    if (!now.startsWith(before))
        return QByteArrayLiteral("<earlier records changed>") + now;
    return now.mid(before.size());
}
