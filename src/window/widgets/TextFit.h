#pragma once

#include <QFont>
#include <QHash>
#include <QObject>
#include <QSize>
#include <QString>

class QWidget;

// Chooses each control's font size by the text it shows: the size the layout asks for,
// or a little less, until the text lies whole inside the control by the font's metrics.
// On a smaller screen the boxes shrink by the layout's fit factor but hinted text does not
// shrink as evenly, and at other resolutions it comes out a little wider; a box alone
// cannot say how large its text may be. Where every text fits at its size (the
// workstation's screen) nothing changes. Texts are fitted when they change, when their
// control is resized or shown; the notepad, which holds what the subject types, keeps its
// size. A control whose text, size, font and resolution are those it was last fitted for
// is not measured again: the click handlers show and hide controls at every step.
class TextFit : public QObject
{
public:
    // Watches every text control of window from now on.
    static void watch(QWidget *window);

    // Whether the control's text lies whole inside it in font.
    static bool fits(const QWidget *control, const QFont &font);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit TextFit(QWidget *window);
    void follow(QWidget *control);
    void fit(QWidget *control);

    // What a control's font was last chosen for, and the font chosen.
    struct Fitted
    {
        QString text;
        QSize size;
        int dpi = 0;
        QFont font;
    };

    QHash<QWidget *, double> m_asked; // the point size the layout gives each control
    QHash<QWidget *, Fitted> m_fitted;
};
