#pragma once

#include "tree/logic/BgrColour.h"

#include <QAbstractButton>
#include <QColor>

// A square node button without caption whose face shows exactly the colour it is
// given, in every style and whether enabled or not. Keeps its level and index. Only the
// mouse clicks it: it takes no keyboard focus and answers no key.
class NodeButton : public QAbstractButton
{
    Q_OBJECT

public:
    NodeButton(int level, int index, QWidget *parent = nullptr);

    int level() const { return m_level; }
    int index() const { return m_index; }

    // The colour as "&H" BGR text, for example "&HC000".
    void setBackColor(const QString &colourText);
    QString backColor() const { return m_colourText; }
    QColor faceColour() const { return m_face; }

    QSize sizeHint() const override;

    // Counted as a transparent control until it has next been painted, so that the paint
    // in which the whole tree appears draws the window and the lines beneath every node
    // first. Qt hands each opaque control the region left to paint less its rectangle and
    // holds all of those regions until the last is painted: with 127 nodes, 127 regions of
    // up to 127 holes, some 0.2 MB that the heap keeps for the rest of the run. The face
    // covers what lies beneath, so the screen is the same.
    void paintBeneathOnce();

protected:
    bool event(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    int m_level;
    int m_index;
    QString m_colourText;
    QColor m_face;
};
