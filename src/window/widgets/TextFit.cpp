#include "window/widgets/TextFit.h"

#include "window/widgets/LabStyle.h"
#include "window/widgets/WrappingButton.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTextLayout>

namespace {

// Each step takes 4 % off; below 4 points no text is read anyway.
constexpr double Step = 0.96;
constexpr double Smallest = 4.0;

bool buttonFits(const WrappingButton *button, const QFont &font)
{
    const QFontMetricsF fm(font, button);
    // A pixel clear of the bevel above and below even on one line: a caption that falls
    // back to another font for its characters (Chinese) may stand higher than its own.
    const QRectF area = QRectF(WrappingButton::captionArea(button->rect(), fm.lineSpacing()))
                            .intersected(QRectF(button->rect()).adjusted(3, 1, -3, -1));
    const QRectF text = fm.boundingRect(QRectF(area.left(), area.top(), area.width(), 1e6),
                                        Qt::AlignHCenter | Qt::TextWordWrap, button->text());
    return text.width() <= area.width() && text.height() <= area.height();
}

bool optionFits(const QRadioButton *option, const QFont &font)
{
    const QFontMetricsF fm(font, option);
    const QStyle *style = option->style();
    const int indicator = style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, option);
    const int spacing = style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, option);
    // And the room the style asks for its text as drawn, in every font the text falls
    // back to.
    QStyleOptionButton asked;
    asked.initFrom(option);
    asked.fontMetrics = QFontMetrics(font, option);
    asked.text = option->text();
    const QSize text = style->itemTextRect(asked.fontMetrics, QRect(), Qt::TextShowMnemonic, false, option->text()).size();
    const QSize need = style->sizeFromContents(QStyle::CT_RadioButton, &asked, text, option);
    return indicator + spacing + fm.horizontalAdvance(option->text()) + 2 <= option->width()
        && fm.height() <= option->height() && need.width() <= option->width()
        && need.height() <= option->height();
}

bool frameFits(const QGroupBox *frame, const QFont &font)
{
    const QFontMetrics fm(font, frame);
    return LabStyle::LeastIndent + fm.horizontalAdvance(frame->title()) <= frame->width();
}

bool lineFits(const QLineEdit *line, const QFont &font)
{
    const QFontMetricsF fm(font, line);
    const int frame = line->hasFrame() ? line->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, line) : 0;
    // QLineEdit keeps 2 pixels clear inside its frame on either side.
    return fm.horizontalAdvance(line->text()) <= line->width() - 2 * frame - 4
        && fm.height() <= line->height() - 2 * frame;
}

// Laid out as the box lays out its text: its width less the document's margins, its
// wrapping, leading included, from the top margin down.
bool boxFits(const QPlainTextEdit *box, const QFont &font)
{
    const QTextDocument *document = box->document();
    const double margin = document->documentMargin();
    const QRect room = box->contentsRect();
    const double width = room.width() - 2 * margin;
    double bottom = margin;
    for (const QString &paragraph : box->toPlainText().split(QLatin1Char('\n'))) {
        QTextLayout layout(paragraph, font, const_cast<QPlainTextEdit *>(box));
        layout.setTextOption(document->defaultTextOption());
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLeadingIncluded(true);
            line.setLineWidth(width);
            if (line.naturalTextWidth() > width)
                return false; // a word longer than the line
            bottom += line.height();
        }
        layout.endLayout();
    }
    return bottom <= room.height();
}

// The text a control is fitted to.
QString textOf(const QWidget *control)
{
    if (const auto *button = qobject_cast<const QAbstractButton *>(control))
        return button->text();
    if (const auto *frame = qobject_cast<const QGroupBox *>(control))
        return frame->title();
    if (const auto *line = qobject_cast<const QLineEdit *>(control))
        return line->text();
    if (const auto *box = qobject_cast<const QPlainTextEdit *>(control))
        return box->toPlainText();
    return {};
}

} // namespace

TextFit::TextFit(QWidget *window) : QObject(window)
{
}

void TextFit::watch(QWidget *window)
{
    auto *watcher = new TextFit(window);
    for (QWidget *control : window->findChildren<QWidget *>())
        watcher->follow(control);
}

void TextFit::follow(QWidget *control)
{
    if (auto *box = qobject_cast<QPlainTextEdit *>(control)) {
        if (!box->isReadOnly())
            return; // the notepad
        connect(box, &QPlainTextEdit::textChanged, this, [this, box] { fit(box); });
    } else if (auto *line = qobject_cast<QLineEdit *>(control)) {
        connect(line, &QLineEdit::textChanged, this, [this, line] { fit(line); });
    } else if (!qobject_cast<WrappingButton *>(control) && !qobject_cast<QRadioButton *>(control)
               && !qobject_cast<QGroupBox *>(control)) {
        return;
    }
    m_asked.insert(control, control->font().pointSizeF());
    control->installEventFilter(this);
    fit(control);
}

bool TextFit::fits(const QWidget *control, const QFont &font)
{
    if (const auto *button = qobject_cast<const WrappingButton *>(control))
        return buttonFits(button, font);
    if (const auto *option = qobject_cast<const QRadioButton *>(control))
        return optionFits(option, font);
    if (const auto *frame = qobject_cast<const QGroupBox *>(control))
        return frameFits(frame, font);
    if (const auto *line = qobject_cast<const QLineEdit *>(control))
        return lineFits(line, font);
    if (const auto *box = qobject_cast<const QPlainTextEdit *>(control))
        return boxFits(box, font);
    return true;
}

void TextFit::fit(QWidget *control)
{
    const QString text = textOf(control);
    if (const auto last = m_fitted.constFind(control);
        last != m_fitted.cend() && last->text == text && last->size == control->size()
        && last->dpi == control->logicalDpiY() && last->font == control->font())
        return;
    QFont font = control->font();
    const double asked = m_asked.value(control, font.pointSizeF());
    double size = asked;
    font.setPointSizeF(size);
    while (!fits(control, font) && size * Step >= Smallest) {
        size *= Step;
        font.setPointSizeF(size);
    }
    if (font.pointSizeF() != control->font().pointSizeF())
        control->setFont(font);
    m_fitted.insert(control, {text, control->size(), control->logicalDpiY(), control->font()});
}

bool TextFit::eventFilter(QObject *watched, QEvent *event)
{
    auto *control = static_cast<QWidget *>(watched);
    switch (event->type()) {
    case QEvent::Resize:
    case QEvent::Show:
        fit(control);
        break;
    case QEvent::Paint:
        // A button tells no one when its caption changes; it is fitted before it is drawn.
        if (const auto *button = qobject_cast<const WrappingButton *>(control);
            button && m_fitted.value(control).text != button->text())
            fit(control);
        break;
    default:
        break;
    }
    return false;
}
