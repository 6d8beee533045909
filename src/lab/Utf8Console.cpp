#include "lab/Utf8Console.h"

#include <QtGlobal>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

bool Utf8Console::write(std::FILE *stream, const QString &text)
{
#ifdef Q_OS_WIN
    const auto console = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    DWORD mode = 0;
    if (console == INVALID_HANDLE_VALUE || !GetConsoleMode(console, &mode))
        return false;
    std::fflush(stream);
    const auto *units = reinterpret_cast<const wchar_t *>(text.utf16());
    for (qsizetype done = 0; done < text.size();) {
        DWORD written = 0;
        const DWORD chunk = DWORD(qMin<qsizetype>(text.size() - done, 8192));
        if (!WriteConsoleW(console, units + done, chunk, &written, nullptr) || written == 0)
            break;
        done += written;
    }
    return true;
#else
    Q_UNUSED(stream);
    Q_UNUSED(text);
    return false;
#endif
}

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
