#pragma once

#include <QString>

// Text to a 16-bit Integer: a decimal number with optional blanks around it; a fraction
// is rounded to the nearest whole number, halves to the even neighbour ("2.5" gives 2,
// "3.5" gives 4). The rounded value must lie within -32768 to 32767.
struct IntegerConversion
{
    enum class Status { Ok, NotANumber, OutOfRange };

    Status status = Status::NotANumber;
    qint16 value = 0;

    bool ok() const { return status == Status::Ok; }

    static IntegerConversion fromText(const QString &text);
};
