#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QProxyStyle>
#include <QRect>
#include <QString>

// The window's look: Qt's Fusion style, except that a captioned frame is drawn as the
// classic group box: a plain etched rectangle whose top edge runs through the middle of
// its caption, the caption indented a little from the frame's left edge, so that the
// corner and a piece of the top edge show before it. Fusion draws a frame by stretching a
// small picture over its edges, a blend that Qt hands to its worker threads for every tall
// frame and waits for: most of the time of a click that shows, hides or repaints a frame.
class LabStyle : public QProxyStyle
{
public:
    LabStyle();

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex *option,
                         SubControl subControl, const QWidget *widget = nullptr) const override;

    // Room left between the caption and the ends of the line it interrupts.
    static constexpr int CaptionGap = 2;
    // The least a caption stands in from the frame's left edge: the corner and one more
    // pixel of the top edge, then the gap.
    static constexpr int LeastIndent = CaptionGap + 2;
    // How far a frame's caption, captionWidth pixels wide, stands in from the frame's
    // left edge: the top edge shows for half the caption's height before the gap, as on
    // the classic toolkit, or as much as the frame has room for after the caption, and
    // never less than LeastIndent. The caption's font stays as it is.
    static int captionIndent(const QFontMetrics &metrics, int frameWidth, int captionWidth)
    {
        return qBound(LeastIndent, frameWidth - captionWidth, metrics.height() / 2 + CaptionGap);
    }

private:
    // Where a frame's caption stands, as the style lays it out. Measuring the text shapes
    // it, so each caption is measured once in each font and frame width (the notepad's
    // caption changes with every node clicked).
    struct CaptionKey
    {
        QString text;
        QFont font;
        int width = 0;
        bool operator==(const CaptionKey &other) const
        {
            return width == other.width && text == other.text && font == other.font;
        }
        friend size_t qHash(const CaptionKey &key, size_t seed = 0)
        {
            return qHashMulti(seed, key.text, key.font, key.width);
        }
    };
    QRect captionRect(const QStyleOption *option, const QWidget *widget) const;

    mutable QHash<CaptionKey, QRect> m_captions;
};
