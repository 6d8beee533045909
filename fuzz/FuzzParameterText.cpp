// The experimenter's entries (subject number, parameter set, attempts) as typed text,
// the input taken as UTF-8.
#include "IntegerConversionCheck.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString problem = IntegerConversionCheck::run(text);
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "IntegerConversion: %s\n", qPrintable(problem));
        std::abort();
    }
    return 0;
}
