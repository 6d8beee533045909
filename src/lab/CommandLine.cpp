#include "lab/CommandLine.h"

#include "lab/Utf8Console.h"

#include <cstdio>

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

} // namespace CommandLine
