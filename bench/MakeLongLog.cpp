// make-long-log FOLDER [SUBJECT]: writes the longest log a subject can leave (LongLog) into
// FOLDER beside the shipped payoff file, for measuring treelab on it by hand (heaptrack,
// callgrind); prints its name and the records it holds.
#include "LongLog.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() < 2) {
        std::fprintf(stderr, "Usage: make-long-log FOLDER [SUBJECT]\n");
        return 2;
    }
    qint64 records = 0;
    QString error;
    const int subject = arguments.value(2, QStringLiteral("1")).toInt();
    if (!LongLog::make(arguments[1], QStringLiteral(DT_WHOLE_EXPERIMENT_LOG), QStringLiteral(DT_SAMPLE_DATA_DIR "/btinp.01"),
                       subject, &records, &error)) {
        std::fprintf(stderr, "make-long-log: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("%s %lld records\n", qPrintable(QDir(arguments[1]).filePath(QStringLiteral("o1%1btinp.01").arg(subject))),
                static_cast<long long>(records));
    return 0;
}
