// The go-ahead file okto.go as the poll reads it from disk.
#include "FuzzScratch.h"
#include "GoAheadFileCheck.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QString path = FuzzScratch::path(QStringLiteral("okto.go"));
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString problem = GoAheadFileCheck::run(bytes, path);
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "GoAheadFile: %s\n", qPrintable(problem));
        std::abort();
    }
    return 0;
}
