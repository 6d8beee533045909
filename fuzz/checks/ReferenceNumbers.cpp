#include "ReferenceNumbers.h"

bool ReferenceNumbers::isSeparator(char c)
{
    return c == ',' || c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'
        || c == '\v';
}

ReferenceNumbers::Kind ReferenceNumbers::judge(const QByteArray &token, int *value)
{
    qsizetype i = 0;
    bool negative = false;
    if (!token.isEmpty() && (token[0] == '+' || token[0] == '-')) {
        negative = token[0] == '-';
        i = 1;
    }
    if (i == token.size())
        return Kind::NotWhole;
    for (qsizetype k = i; k < token.size(); ++k) {
        if (token[k] < '0' || token[k] > '9')
            return Kind::NotWhole;
    }
    while (i < token.size() - 1 && token[i] == '0')
        ++i;
    if (token.size() - i > 5)
        return Kind::OutOfRange;
    int magnitude = 0;
    for (; i < token.size(); ++i)
        magnitude = magnitude * 10 + (token[i] - '0');
    if (magnitude > 32767)
        return Kind::OutOfRange;
    *value = negative ? -magnitude : magnitude;
    return Kind::Number;
}

QList<ReferenceNumbers::Token> ReferenceNumbers::read(const QByteArray &text)
{
    QList<Token> tokens;
    qint64 line = 1;
    qint64 column = 1;
    qsizetype i = 0;
    while (i < text.size()) {
        if (isSeparator(text[i])) {
            if (text[i] == '\n') {
                ++line;
                column = 1;
            } else {
                ++column;
            }
            ++i;
            continue;
        }
        Token token;
        token.line = line;
        token.column = column;
        const qsizetype start = i;
        while (i < text.size() && !isSeparator(text[i]))
            ++i;
        token.text = text.mid(start, i - start);
        column += i - start;
        token.kind = judge(token.text, &token.value);
        tokens.append(token);
    }
    return tokens;
}
