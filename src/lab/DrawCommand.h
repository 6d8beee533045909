#pragma once

#include <QStringList>

// treelab draw LOG --attempt K --out FILE.svg|FILE.png [--data FILE]: one attempt drawn
// on the tree (see TreePicture). PNG needs a QGuiApplication, which main creates for
// this command alone.
class DrawCommand
{
public:
    static constexpr double PngScale = 2.0; // pixels per point

    static int run(const QStringList &arguments); // arguments[0] is "treelab draw"
    static QString help();
};
