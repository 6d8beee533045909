#include "lab/DrawCommand.h"

#include "session/AttemptFacts.h"
#include "lab/CommandLine.h"
#include "session/LabLog.h"
#include "session/LabLogReader.h"
#include "session/LogPayoffs.h"
#include "session/LogWalk.h"
#include "session/OutputFile.h"
#include "session/HeatPicture.h"
#include "session/LogArguments.h"
#include "session/LookaheadPicture.h"
#include "session/TreePicture.h"
#include "window/logic/IntegerConversion.h"
#include "window/logic/PayoffFile.h"

#include <QFileInfo>

QString DrawCommand::help()
{
    return QStringLiteral(
        "Usage: treelab draw LOG --attempt K --out FILE.svg|FILE.png [--times] [--data FILE]\n"
        "       treelab draw --heat inspections|dwell LOG... [--attempt K] --out FILE.svg|FILE.png\n"
        "                    [--data FILE]\n"
        "       treelab draw --lookahead LOG... --out FILE.svg|FILE.png [--data FILE]\n"
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
        "With --heat, a heatmap on the tree over every LOG given (a data folder stands for\n"
        "its logs), summed: each node filled by its inspections (--heat inspections: every\n"
        "node click, one row of treelab export's inspections table, bursts of re-clicks\n"
        "within 100 ms counted too) or by their total dwell (--heat dwell: the dwell_ms of\n"
        "that table summed, in seconds; a log without its companion record adds none),\n"
        "light to dark on a scale readable printed in black and white, with the number\n"
        "beside each node, the payoffs above the payoff nodes, the scale with its numbers\n"
        "and a caption that says what is counted. Every attempt of each log, or attempt K\n"
        "of each with --attempt K.\n"
        "\n"
        "With --lookahead, the normalised look-ahead depth by attempt (normalised_ahead_d1,\n"
        "d2 and d3 of treelab export --measures: the deepest level looked at ahead while\n"
        "standing on d1, d2 or d3, divided by 6, 4 or 2): one panel per decision level, one\n"
        "line per LOG (subject), a legend naming the subjects.\n"
        "\n"
        "The picture is SVG text when FILE ends in .svg, a PNG image of two pixels a point\n"
        "(1600 pixels wide and at least 1120 high for one attempt) when it ends in .png.\n"
        "\n"
        "Options:\n"
        "  --attempt K   The attempt, from 1; with --heat, attempt K of each LOG alone.\n"
        "  --heat inspections|dwell\n"
        "                Draw the heatmap of inspections or of dwell over the LOGs.\n"
        "  --lookahead   Draw the look-ahead depth by attempt of the LOGs.\n"
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
    const QCommandLineOption heatOption(QStringLiteral("heat"), QStringLiteral("heatmap"),
                                        QStringLiteral("inspections|dwell"));
    const QCommandLineOption lookaheadOption(QStringLiteral("lookahead"), QStringLiteral("look-ahead by attempt"));
    parser.addOption(heatOption);
    parser.addOption(lookaheadOption);
    parser.addOption(timesOption);
    parser.addOption(attemptOption);
    parser.addOption(outOption);
    parser.addOption(dataOption);
    if (const auto done = CommandLine::parse(parser, arguments, help()))
        return *done;
    const QString command = arguments.value(0);
    if (parser.isSet(heatOption) || parser.isSet(lookaheadOption))
        return runMany(parser, command, heatOption, lookaheadOption, attemptOption, outOption, timesOption, dataOption);
    const QStringList paths = parser.positionalArguments();
    if (paths.size() != 1)
        return CommandLine::usageError(command, QStringLiteral("give one LOG"));
    if (!parser.isSet(attemptOption))
        return CommandLine::usageError(command, QStringLiteral("no --attempt given"));
    int number = 0;
    if (const auto refused = attemptNumber(parser, attemptOption, command, &number))
        return *refused;
    const QString out = parser.value(outOption);
    if (const auto refused = refusePictureName(command, out))
        return *refused;
    if (const auto refused = CommandLine::refuseOutputs(command, {out}, paths, parser.value(dataOption)))
        return *refused;

    LabLog log;
    if (const auto failed = load(command, paths.first(), parser.value(dataOption), &log))
        return *failed;
    if (const auto failed = lacksAttempt(command, log, number))
        return *failed;
    const AttemptSummary &attempt = log.attempts[number - 1];
    const AttemptFacts facts = AttemptFacts::of(log.parsed.records, log.attempts)[number - 1];
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
            if (seen.attempt == number && seen.dwellMs() >= 0)
                dwell[{seen.level, seen.index}] += seen.dwellMs();
    }
    const TreePicture picture(title, log.parsed.records, attempt, facts, payoffText, dwell);

    return save(command, out, picture.drawing());
}

int DrawCommand::runMany(const QCommandLineParser &parser, const QString &command, const QCommandLineOption &heat,
                         const QCommandLineOption &lookahead, const QCommandLineOption &attemptOption,
                         const QCommandLineOption &outOption, const QCommandLineOption &times,
                         const QCommandLineOption &data)
{
    if (parser.isSet(heat) && parser.isSet(lookahead))
        return CommandLine::usageError(command, QStringLiteral("give --heat or --lookahead, not both"));
    if (parser.isSet(times))
        return CommandLine::usageError(command, QStringLiteral("--times draws one attempt's clicks; it does not go "
                                                               "with --heat or --lookahead"));
    std::optional<NodeHeat::Measure> measure;
    if (parser.isSet(heat)) {
        measure = NodeHeat::measureNamed(parser.value(heat));
        if (!measure)
            return CommandLine::usageError(
                command, QStringLiteral("--heat \"%1\" is neither inspections nor dwell").arg(parser.value(heat)));
    }
    int attempt = 0;
    if (parser.isSet(attemptOption)) {
        if (!measure)
            return CommandLine::usageError(command, QStringLiteral("--lookahead draws every attempt; give no --attempt"));
        if (const auto refused = attemptNumber(parser, attemptOption, command, &attempt))
            return *refused;
    }
    const QString out = parser.value(outOption);
    if (const auto refused = refusePictureName(command, out))
        return *refused;
    LogArguments resolved = LogArguments::resolve(parser.positionalArguments());
    CommandLine::tell(command, resolved.findings);
    if (resolved.logs.isEmpty())
        return CommandLine::usageError(command, QStringLiteral("no LOG given"));
    if (const auto refused = CommandLine::refuseOutputs(command, {out}, resolved.logs, parser.value(data)))
        return *refused;
    if (measure)
        return drawHeat(command, resolved.logs, *measure, attempt, parser.value(data), out);
    return drawLookahead(command, resolved.logs, parser.value(data), out);
}

std::optional<int> DrawCommand::load(const QString &command, const QString &path, const QString &payoffFile,
                                     LabLog *log)
{
    std::optional<Finding> unread = LabLogReader::load(path, log);
    if (!unread)
        unread = LogPayoffs::loadShown(log, payoffFile);
    if (!unread)
        return std::nullopt;
    CommandLine::err(command + QStringLiteral(": ") + unread->text() + QLatin1Char('\n'));
    return CommandLine::Finding;
}

std::optional<int> DrawCommand::attemptNumber(const QCommandLineParser &parser, const QCommandLineOption &option,
                                              const QString &command, int *attempt)
{
    const IntegerConversion k = IntegerConversion::fromText(parser.value(option));
    if (!k.ok() || k.value < 1)
        return CommandLine::usageError(
            command, QStringLiteral("--attempt \"%1\" is not an attempt number from 1").arg(parser.value(option)));
    *attempt = k.value;
    return std::nullopt;
}

std::optional<int> DrawCommand::lacksAttempt(const QString &command, const LabLog &log, int attempt)
{
    if (attempt <= log.attempts.size())
        return std::nullopt;
    CommandLine::err(QStringLiteral("%1: %2 has %3 attempt(s), no attempt %4\n")
                         .arg(command, log.path)
                         .arg(log.attempts.size())
                         .arg(attempt));
    return CommandLine::Finding;
}

std::optional<int> DrawCommand::refusePictureName(const QString &command, const QString &out)
{
    if (out.endsWith(QLatin1String(".png"), Qt::CaseInsensitive) || out.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive))
        return std::nullopt;
    return CommandLine::usageError(command, QStringLiteral("--out needs a file ending in .svg or .png"));
}

int DrawCommand::drawHeat(const QString &command, const QStringList &paths, NodeHeat::Measure measure, int attempt,
                          const QString &payoffFile, const QString &out)
{
    // One log at a time, so that a study's logs cost no more memory than one.
    NodeHeat heat(measure);
    QString title;
    for (const QString &path : paths) {
        LabLog log;
        if (const auto failed = load(command, path, payoffFile, &log))
            return *failed;
        if (const auto failed = lacksAttempt(command, log, attempt))
            return *failed;
        if (measure == NodeHeat::Measure::Dwell && !log.companion)
            CommandLine::err(QStringLiteral("%1: %2 has no companion record (%2.jsonl), which holds the times: its "
                                            "inspections add no dwell\n")
                                 .arg(command, log.path));
        heat.add(log, LogWalk(log), attempt);
        if (paths.size() == 1)
            title = QStringLiteral("%1: subject %2, set %3, ")
                        .arg(log.fileName)
                        .arg(log.subject())
                        .arg(log.set())
                    + (attempt > 0 ? QStringLiteral("attempt %1").arg(attempt)
                                   : QStringLiteral("all %1 attempt(s) summed").arg(log.attempts.size()));
    }
    if (title.isEmpty())
        title = (attempt > 0 ? QStringLiteral("attempt %1 of ").arg(attempt) : QString()) + HeatPicture::summary(heat);
    return save(command, out, HeatPicture(title, heat).drawing());
}

int DrawCommand::drawLookahead(const QString &command, const QStringList &paths, const QString &payoffFile,
                               const QString &out)
{
    QList<LookaheadPicture::Subject> subjects;
    for (const QString &path : paths) {
        LabLog log;
        if (const auto failed = load(command, path, payoffFile, &log))
            return *failed;
        subjects.append(LookaheadPicture::of(log, LogWalk(log)));
    }
    const QString title = paths.size() == 1 ? QFileInfo(paths.first()).fileName()
                                            : QStringLiteral("%1 logs").arg(paths.size());
    return save(command, out, LookaheadPicture(title, subjects).drawing());
}

int DrawCommand::save(const QString &command, const QString &out, const Drawing &drawing)
{
    // An interrupted draw leaves the old picture whole.
    QString error;
    if (!OutputFile::save(out, drawing.bytesFor(out), &error)) {
        CommandLine::err(QStringLiteral("%1: cannot write %2: %3\n").arg(command, out, error));
        return CommandLine::Finding;
    }
    return CommandLine::Success;
}
