// The payoff file's number reader over an in-memory device: in one go from a QBuffer,
// and trickled a few bytes per read so numbers and line breaks straddle the reads.
#include "PayoffReaderCheck.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString problem = PayoffReaderCheck::runAll(bytes);
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "PayoffReader: %s\n", qPrintable(problem));
        std::abort();
    }
    return 0;
}
