// The event log as LogReader reads it, from bytes and from a file: every line
// accounted for, every record written out again equal to its lines.
#include "FuzzScratch.h"
#include "LogReaderCheck.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QString path = FuzzScratch::path(QStringLiteral("o199btinp.01"));
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString problem = LogReaderCheck::run(bytes, path);
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "LogReader: %s\n", qPrintable(problem));
        std::abort();
    }
    return 0;
}
