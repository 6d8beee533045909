#pragma once

#include <QString>

// Converts an experimenter's entry through IntegerConversion and compares with exact
// decimal arithmetic: blanks (blank, tab, CR, LF, FF, VT) around the number, an
// optional sign, digits with an optional fraction, rounded to the nearest whole number
// with halves to the even neighbour, and the result within -32768 to 32767.
class IntegerConversionCheck
{
public:
    // Empty when the program agrees; otherwise what differs, for a person.
    static QString run(const QString &text);
};
