#pragma once

#include "window/widgets/LabStyle.h"

#include <QApplication>
#include <QLocale>
#include <QTest>

// A Qt Test main for tests of the real window: 96 DPI, the window's own style and a fixed
// locale, so every machine lays out and formats alike.
#define DT_GUI_TEST_MAIN(TestClass)                                                        \
    int main(int argc, char *argv[])                                                       \
    {                                                                                      \
        QCoreApplication::setAttribute(Qt::AA_Use96Dpi);                                   \
        QApplication app(argc, argv);                                                      \
        QApplication::setStyle(new LabStyle);                                              \
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));             \
        TestClass test;                                                                    \
        return QTest::qExec(&test, argc, argv);                                            \
    }
