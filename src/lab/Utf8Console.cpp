#include "lab/Utf8Console.h"

#include <QtGlobal>

#ifdef Q_OS_WIN
#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

Utf8Console::Utf8Console()
{
#ifdef Q_OS_WIN
    // Text mode would turn every LF into CR LF, in a file as in a pipe.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    // 0 when there is no console (output to a file or a pipe): nothing to change then.
    const UINT codePage = GetConsoleOutputCP();
    if (codePage != 0 && codePage != CP_UTF8 && SetConsoleOutputCP(CP_UTF8))
        m_earlierCodePage = codePage;
#endif
}

Utf8Console::~Utf8Console()
{
#ifdef Q_OS_WIN
    if (m_earlierCodePage != 0) {
        std::fflush(stdout);
        std::fflush(stderr);
        SetConsoleOutputCP(m_earlierCodePage);
    }
#endif
}
