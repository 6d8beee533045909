#include "lab/DrawCommand.h"

#include "session/AttemptFacts.h"
#include "lab/CommandLine.h"
#include "session/LabLog.h"
#include "session/LabLogReader.h"
#include "session/LogPayoffs.h"
#include "session/LogWalk.h"
#include "session/OutputFile.h"
#include "session/TreePicture.h"
#include "window/logic/IntegerConversion.h"
#include "window/logic/PayoffFile.h"

#include <QImage>
#include <QPainter>
#include <QBuffer>

#include <cmath>

QString DrawCommand::help()
{
    return QStringLiteral(
        "Usage: treelab draw LOG --attempt K --out FILE.svg|FILE.png [--times] [--data FILE]\n"
        "\n"
        "Draws attempt K of the event log LOG on the tree as the subject saw it, with the\n"
        "program's geometry (one point of the screen is one unit of the SVG, two pixels of\n"
        "the PNG): the path taken in bold, the subject's decisions in blue and Nature's\n"
        "draws in orange, each marked L or R; every node clicked in the attempt numbered in\n"
        "the order of the clicks (a node clicked twice has two numbers, three or more clicks\n"
        "in a row on one node are written as a range such as 28-40); the payoff reached\n"
        "above its node and in the heading. A legend below the tree explains the marks.\n"
        "An attempt still in play is drawn as far as it went. With --times each node clicked\n"
        "also tells how long it was shown, all its clicks together: \"3,9 (4.5 s)\". A node is\n"
        "shown from its click until the next node click, CloseNotepad, the decision, Nature's\n"
        "move, a message box, Continue or the program's exit (the dwell_ms of treelab export's\n"
        "inspections); the times come from the companion record LOG.jsonl, which --times needs.\n"
        "\n"
        "However busy the attempt, no text leaves the picture or covers another: the\n"
        "numbers of a payoff node stand upright above it, those of another node wrap beside\n"
        "it, and a list with no room there is written below the legend under a letter that\n"
        "marks the node. The picture grows taller as it needs.\n"
        "\n"
        "The picture is SVG text when FILE ends in .svg, a PNG image 1600 pixels wide and at\n"
        "least 1120 high when it ends in .png.\n"
        "\n"
        "Options:\n"
        "  --attempt K   The attempt, from 1.\n"
        "  --out FILE    The picture to write.\n"
        "  --times       Write each node's time on screen beside its click numbers.\n"
        "  --data FILE   The payoff file, where the log has no companion record (LOG.jsonl)\n"
        "                with the payoff shown. When not given, the file the log's name\n"
        "                names (o<set><subject><payoff file>) in the log's folder, as\n"
        "                treelab status finds it.\n"
        "  -h, --help    Show this help.\n"
        "\n"
        "The picture is written to a temporary file and renamed into place; it is never\n"
        "written over LOG, an event log, a companion record, a payoff file or an okto.go.\n"
        "\n"
        "Exit status: 0 when the picture is written; 1 when LOG or its payoff file cannot be\n"
        "read, LOG has no attempt K, or the picture cannot be written; 2 for a usage error or a\n"
        "refused output file.\n");
}

int DrawCommand::run(const QStringList &arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption attemptOption(QStringLiteral("attempt"), QStringLiteral("attempt"), QStringLiteral("K"));
    const QCommandLineOption outOption(QStringLiteral("out"), QStringLiteral("picture"), QStringLiteral("FILE"));
    const QCommandLineOption timesOption(QStringLiteral("times"), QStringLiteral("times"));
    const QCommandLineOption dataOption = CommandLine::payoffFileOption();
    parser.addOption(timesOption);
    parser.addOption(attemptOption);
    parser.addOption(outOption);
    parser.addOption(dataOption);
    if (const auto done = CommandLine::parse(parser, arguments, help()))
        return *done;
    const QString command = arguments.value(0);
    const QStringList paths = parser.positionalArguments();
    if (paths.size() != 1)
        return CommandLine::usageError(command, QStringLiteral("give one LOG"));
    if (!parser.isSet(attemptOption))
        return CommandLine::usageError(command, QStringLiteral("no --attempt given"));
    const IntegerConversion k = IntegerConversion::fromText(parser.value(attemptOption));
    if (!k.ok() || k.value < 1)
        return CommandLine::usageError(
            command, QStringLiteral("--attempt \"%1\" is not an attempt number from 1").arg(parser.value(attemptOption)));
    const QString out = parser.value(outOption);
    const bool png = out.endsWith(QLatin1String(".png"), Qt::CaseInsensitive);
    if (!png && !out.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive))
        return CommandLine::usageError(command, QStringLiteral("--out needs a file ending in .svg or .png"));
    if (const auto refused = CommandLine::refuseOutputs(command, {out}, paths, parser.value(dataOption)))
        return *refused;

    LabLog log;
    std::optional<Finding> unread = LabLogReader::load(paths.first(), &log);
    if (!unread)
        unread = LogPayoffs::loadShown(&log, parser.value(dataOption));
    if (unread) {
        CommandLine::err(command + QStringLiteral(": ") + unread->text() + QLatin1Char('\n'));
        return CommandLine::Finding;
    }
    if (k.value > log.attempts.size()) {
        CommandLine::err(QStringLiteral("%1: %2 has %3 attempt(s), no attempt %4\n")
                             .arg(command, log.path)
                             .arg(log.attempts.size())
                             .arg(k.value));
        return CommandLine::Finding;
    }
    const AttemptSummary &attempt = log.attempts[k.value - 1];
    const AttemptFacts facts = AttemptFacts::of(log.parsed.records, log.attempts)[k.value - 1];
    std::optional<QString> payoffText;
    if (const std::optional<LabLog::Shown> shown = log.shownPayoff(attempt))
        payoffText = shown->text;
    const QString title = TreePicture::title(log.fileName, log.subject(), log.set(), attempt, payoffText);
    QMap<QPair<int, int>, qint64> dwell;
    if (parser.isSet(timesOption)) {
        if (!log.companion) {
            CommandLine::err(QStringLiteral("%1: --times needs the companion record %2.jsonl, which holds the times; "
                                            "none can be read beside the log\n")
                                 .arg(command, log.path));
            return CommandLine::Finding;
        }
        // A node still on screen when the record ends adds nothing; one never timed shows "?".
        const LogWalk walk(log);
        for (const LogWalk::Inspection &seen : walk.inspections())
            if (seen.attempt == k.value && seen.dwellMs() >= 0)
                dwell[{seen.level, seen.index}] += seen.dwellMs();
    }
    const TreePicture picture(title, log.parsed.records, attempt, facts, payoffText, dwell);

    QByteArray bytes;
    if (png) {
        QImage image(int(std::ceil(TreePicture::Width * PngScale)), int(std::ceil(picture.height() * PngScale)),
                     QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            picture.paint(painter, PngScale);
        }
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
    } else {
        bytes = picture.svg().toUtf8();
    }
    // An interrupted draw leaves the old picture whole.
    QString error;
    if (!OutputFile::save(out, bytes, &error)) {
        CommandLine::err(QStringLiteral("%1: cannot write %2: %3\n").arg(command, out, error));
        return CommandLine::Finding;
    }
    return CommandLine::Success;
}
