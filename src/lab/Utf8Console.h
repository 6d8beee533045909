#pragma once

#include <QString>

#include <cstdio>

// treelab writes UTF-8 ("£" in the payoffs). A Windows console reads the bytes a program
// writes in its own output code page (850 or 437 on most lab machines), so for as long as
// this object lives the console's output code page is UTF-8, and the one it had is given
// back afterwards; and the standard streams are binary, so that a line ends in LF on every
// system. Elsewhere the terminal reads UTF-8 already, and this does nothing.
class Utf8Console
{
public:
    // Writes text to stream when that is a Windows console, as UTF-16, which every
    // console shows right whatever its code page; false, writing nothing, otherwise.
    static bool write(std::FILE *stream, const QString &text);

    Utf8Console();
    ~Utf8Console();
    Utf8Console(const Utf8Console &) = delete;
    Utf8Console &operator=(const Utf8Console &) = delete;

private:
    unsigned m_earlierCodePage = 0; // 0: none was changed
};
