// The input data file read from disk through PayoffFile::readSet, for the parameter
// sets PayoffFileCheck::runAll picks.
#include "FuzzScratch.h"
#include "PayoffFileCheck.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QString path = FuzzScratch::path(QStringLiteral("btinp.fz"));
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString problem = PayoffFileCheck::runAll(bytes, path);
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "PayoffFile: %s\n", qPrintable(problem));
        std::abort();
    }
    return 0;
}
