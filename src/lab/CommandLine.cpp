#include "lab/CommandLine.h"

#include "session/LogArguments.h"
#include "session/OutputCheck.h"

#include "lab/Utf8Console.h"
#include "window/logic/IntegerConversion.h"
#include "window/logic/ParameterCheck.h"

#include <cstdio>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace CommandLine {

namespace {

void write(std::FILE *stream, const QString &text)
{
    if (Utf8Console::write(stream, text)) // a Windows console: UTF-16, right in any code page
        return;
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream);
    std::fflush(stream);
}

} // namespace

void out(const QString &text)
{
    write(stdout, text);
}

void err(const QString &text)
{
    write(stderr, text);
}

QCommandLineOption payoffFileOption()
{
    return {QStringLiteral("data"), QStringLiteral("payoff file"), QStringLiteral("FILE")};
}

bool canRedraw()
{
#ifdef Q_OS_WIN
    // A console, not a file or NUL (for which _isatty is true as well); the control codes
    // work once virtual terminal processing is on (Windows 10 and later).
    if (!_isatty(_fileno(stdout)))
        return false;
    const HANDLE console = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (console == INVALID_HANDLE_VALUE || !GetConsoleMode(console, &mode))
        return false;
    return SetConsoleMode(console, mode | 0x0004 /* ENABLE_VIRTUAL_TERMINAL_PROCESSING */) != 0;
#else
    return isatty(STDOUT_FILENO) == 1;
#endif
}

QCommandLineOption forceOption()
{
    return {QStringLiteral("force"), QStringLiteral("read failing logs")};
}

QCommandLineOption xlsxOption()
{
    return {QStringLiteral("xlsx"), QStringLiteral("workbook"), QStringLiteral("FILE")};
}

void tell(const QString &command, const Findings &findings)
{
    for (const ::Finding &finding : findings)
        err(command + QStringLiteral(": ") + finding.text() + QLatin1Char('\n'));
}

QCommandLineOption includeDaysOption()
{
    return {QStringLiteral("include-days"), QStringLiteral("read the logs of other days too")};
}

std::optional<int> parseLogs(QCommandLineParser &parser, const QStringList &arguments, const QString &help,
                             QStringList *logs, const QCommandLineOption *includeDays)
{
    if (const auto done = parse(parser, arguments, help))
        return done;
    const QString command = arguments.value(0);
    LogArguments resolved = LogArguments::resolve(parser.positionalArguments());
    if (includeDays)
        resolved.logs = resolved.ofSession(parser.isSet(*includeDays),
                                           QStringLiteral("give --%1 to take them in").arg(includeDays->names().first()),
                                           &resolved.findings);
    tell(command, resolved.findings);
    *logs = resolved.logs;
    if (logs->isEmpty())
        return usageError(command, QStringLiteral("no LOG given"));
    return std::nullopt;
}

std::optional<int> refuseOutputs(const QString &command, const QStringList &outputs, const QStringList &logs,
                                 const QString &payoffFile)
{
    const QString refused = OutputCheck::refusal(outputs, logs, payoffFile);
    if (refused.isEmpty())
        return std::nullopt;
    return usageError(command, refused + QStringLiteral("; nothing written"));
}

int usageError(const QString &command, const QString &message)
{
    err(QStringLiteral("%1: %2\nSee \"%1 --help\".\n").arg(command, message));
    return Usage;
}

std::optional<int> parse(QCommandLineParser &parser, const QStringList &arguments,
                         const QString &help)
{
    const QCommandLineOption helpOption({QStringLiteral("h"), QStringLiteral("help")},
                                        QStringLiteral("Show this help."));
    parser.addOption(helpOption);
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QString command = arguments.value(0);
    if (!parser.parse(arguments)) {
        if (arguments.contains(QStringLiteral("--help")) || arguments.contains(QStringLiteral("-h"))) {
            out(help);
            return Success;
        }
        return usageError(command, parser.errorText());
    }
    if (parser.isSet(helpOption)) {
        out(help);
        return Success;
    }
    return std::nullopt;
}

std::optional<int> readAttempts(const QCommandLineParser &parser, const QCommandLineOption &option,
                                const QString &command, int *attempts)
{
    if (!parser.isSet(option))
        return std::nullopt;
    const IntegerConversion n = IntegerConversion::fromText(parser.value(option));
    if (!n.ok() || n.value < 1 || n.value > ParameterCheck::MaxAttempts)
        return usageError(command, QStringLiteral("--attempts \"%1\" is not a number of attempts from 1 to %2")
                                       .arg(parser.value(option))
                                       .arg(ParameterCheck::MaxAttempts));
    *attempts = n.value;
    return std::nullopt;
}

} // namespace CommandLine
