#include "FuzzScratch.h"

#include <QDir>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

QString FuzzScratch::path(const QString &name)
{
    // scripts/fuzz.sh names a folder of its own, which it clears after the run, since a
    // fuzzer that finds something ends without tidying up.
    const QString given = qEnvironmentVariable("DT_FUZZ_SCRATCH");
    if (!given.isEmpty() && QDir().mkpath(given))
        return QDir(given).filePath(name);
    static QTemporaryDir dir(QStringLiteral("/tmp/dt-fuzz-XXXXXX"));
    if (!dir.isValid()) {
        std::fprintf(stderr, "no scratch folder: %s\n", qPrintable(dir.errorString()));
        std::abort();
    }
    return dir.filePath(name);
}
