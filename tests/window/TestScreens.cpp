#include "RunPhases.h"
#include "WindowFixture.h"

#include "window/widgets/Controls.h"
#include "window/widgets/LabStyle.h"
#include "window/TreeWindow.h"
#include "window/widgets/WrappingButton.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include <memory>

namespace {

// Where a control's text does not lie whole inside it, by the font's metrics; empty
// where it does. Buttons keep 3 pixels clear of their sides for the bevel, text boxes
// their frame and margins.
QString textSpill(QWidget *w)
{
    const QFontMetricsF fm(w->font(), w);
    const auto spill = [w](const QString &what) { return w->objectName() + QStringLiteral(": ") + what; };
    if (auto *button = qobject_cast<WrappingButton *>(w)) {
        const QRectF area = QRectF(button->rect()).adjusted(3, 1, -3, -1);
        const QRectF text = fm.boundingRect(QRectF(area.left(), area.top(), area.width(), 10000),
                                            Qt::AlignHCenter | Qt::TextWordWrap, button->text());
        if (text.width() > area.width() || text.height() > area.height())
            return spill(QStringLiteral("caption %1 x %2 in %3 x %4").arg(text.width()).arg(text.height())
                             .arg(area.width()).arg(area.height()));
        return {};
    }
    if (auto *option = qobject_cast<QRadioButton *>(w)) {
        const QSize need = option->sizeHint();
        if (need.width() > option->width() || need.height() > option->height())
            return spill(QStringLiteral("needs %1 x %2").arg(need.width()).arg(need.height()));
        return {};
    }
    if (auto *frame = qobject_cast<QGroupBox *>(w)) {
        if (fm.horizontalAdvance(frame->title()) > frame->width())
            return spill(QStringLiteral("caption %1 wide").arg(fm.horizontalAdvance(frame->title())));
        return {};
    }
    if (auto *line = qobject_cast<QLineEdit *>(w)) {
        const int frameWidth = line->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, line);
        const double room = line->width() - 2 * frameWidth - 4; // and 2 pixels inside each side
        if (fm.horizontalAdvance(line->text()) > room || fm.height() > line->height() - 2 * frameWidth)
            return spill(QStringLiteral("text %1 x %2 in %3 x %4").arg(fm.horizontalAdvance(line->text()))
                             .arg(fm.height()).arg(room).arg(line->height() - 2 * frameWidth));
        return {};
    }
    if (auto *box = qobject_cast<QPlainTextEdit *>(w)) {
        // The box's own layout of its text, every line of it, from the top margin down.
        QTextDocument *document = box->document();
        double bottom = document->documentMargin();
        const double width = box->viewport()->width() - 2 * document->documentMargin();
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
            document->documentLayout()->blockBoundingRect(block); // lays it out
            const QTextLayout *layout = block.layout();
            for (int k = 0; k < layout->lineCount(); ++k) {
                if (layout->lineAt(k).naturalTextWidth() > width + 0.5)
                    return spill(QStringLiteral("a line is %1 wide in %2").arg(layout->lineAt(k).naturalTextWidth()).arg(width));
                bottom += layout->lineAt(k).height();
            }
        }
        if (bottom > box->viewport()->height())
            return spill(QStringLiteral("text ends at %1 in %2").arg(bottom).arg(box->viewport()->height()));
        return {};
    }
    return {};
}

} // namespace

// The window on the screen that CTest gives it (tests/support/screens): a workstation at
// 96 DPI, screens at 144 and 192 DPI, one smaller than the layout at 144 DPI, and the
// small screens of netbooks and projectors at 96 DPI.
class TestScreens : public QObject
{
    Q_OBJECT

    static bool smallScreen()
    {
        // The layout with the title bar's room: 1048 x 752 pixels at 96 DPI.
        const QScreen *screen = QGuiApplication::primaryScreen();
        const QSize room = screen->availableGeometry().size();
        const double scale = screen->logicalDotsPerInchY() / 72.0;
        return room.width() < qRound(786 * scale) || room.height() < qRound(564 * scale);
    }

private slots:
    // A captioned frame is the classic group box: its top edge runs through the middle of
    // its caption, which interrupts it; the caption stands in from the left edge, after
    // the corner and a piece of the top edge; every control of the frame lies inside.
    void framesAreDrawnThroughTheirCaptionAroundTheirControls()
    {
        WindowFixture f;
        f.startRun();
        f.clickNode(1, 0); // the notepad as the subject sees it
        for (QGroupBox *frame : f.window().findChildren<QGroupBox *>()) {
            const QImage image = frame->grab().toImage();
            const int w = image.width(), h = image.height();
            const QRgb face = frame->palette().color(QPalette::Window).rgb();
            const QRgb dark = frame->palette().color(QPalette::Dark).rgb();
            int childrenTop = h;
            for (QWidget *child : frame->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
                childrenTop = qMin(childrenTop, child->geometry().top());
            // The top-left corner: where the left edge begins.
            int edge = 0;
            while (edge < h && image.pixel(0, edge) != dark)
                ++edge;
            // The caption's ink above the controls: where it begins, off the frame's edges
            // (the dark line and the light one inside it); how high it is, under its first
            // letters, where the edge leaves room for it.
            int captionLeft = w;
            for (int y = 0; y < childrenTop; ++y) {
                for (int x = 2; x < w - 2; ++x) {
                    if (y != edge && y != edge + 1 && image.pixel(x, y) != face)
                        captionLeft = qMin(captionLeft, x);
                }
            }
            int textTop = -1, textBottom = -1;
            for (int y = 0; y < childrenTop; ++y) {
                for (int x = captionLeft; x < qMin(w - 2, captionLeft + frame->fontMetrics().height()); ++x) {
                    if (image.pixel(x, y) != face) {
                        textTop = textTop < 0 ? y : textTop;
                        textBottom = y;
                    }
                }
            }
            const QString where = frame->objectName()
                + QStringLiteral(": edge at %1, caption %2 to %3 from x %4, children from %5")
                      .arg(edge).arg(textTop).arg(textBottom).arg(captionLeft).arg(childrenTop);
            const int quarter = (textBottom - textTop) / 4;
            QVERIFY2(textTop >= 0 && edge >= textTop + quarter && edge <= textBottom - quarter, qPrintable(where));
            // Indented, after the corner and a piece of the top edge.
            QVERIFY2(captionLeft >= 4 && captionLeft < w / 2, qPrintable(where));
            for (int x = 0; x <= 1; ++x)
                QVERIFY2(image.pixel(x, edge) == dark, qPrintable(where + QStringLiteral(": top edge at x %1").arg(x)));
            for (int y = edge; y < h - 1; ++y)
                QVERIFY2(image.pixel(0, y) == dark, qPrintable(where + QStringLiteral(": left edge at y %1").arg(y)));
            // The edge goes on after a caption that leaves it room.
            if (frame->fontMetrics().horizontalAdvance(frame->title()) + captionLeft + 8 < w - 3)
                QVERIFY2(image.pixel(w - 3, edge) == dark, qPrintable(where));
            int dashes = 0; // dark pixels of the edge's row under the caption's first letters
            for (int x = captionLeft; x < captionLeft + frame->fontMetrics().height(); ++x)
                dashes += image.pixel(x, edge) == dark ? 1 : 0;
            QVERIFY2(dashes < frame->fontMetrics().height() / 2, qPrintable(where));
            const QRect inside(2, edge + 2, w - 4, h - edge - 4);
            for (QWidget *child : frame->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
                QVERIFY2(inside.contains(child->geometry()), qPrintable(where + QLatin1Char(' ') + child->objectName()));
            QCOMPARE(image.pixel(w / 2, h - 2), dark);
            QCOMPARE(image.pixel(w - 2, (edge + h) / 2), dark);
        }
    }

    // Every named control shows the font it asks for as the system resolves it: that
    // family, a scalable face, at its size, bold where asked. On Windows the name MS Sans
    // Serif belongs to a raster font of fixed sizes without bold.
    void controlsShowTheFontTheyAskFor()
    {
#ifdef Q_OS_WIN
        if (QGuiApplication::platformName() == QLatin1String("offscreen"))
            QSKIP("The offscreen platform on Windows reads its fonts from a folder, not Windows' "
                  "own list; window-under-wine.sh runs this on the windows platform.");
#endif
        WindowFixture f;
        for (const QWidget *w : f.window().findChildren<QWidget *>()) {
            if (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_")))
                continue;
            const QFont asked = w->font();
            const QFontInfo got(asked);
            const QString where = w->objectName() + QStringLiteral(": asked ") + asked.toString()
                                  + QStringLiteral(", got ") + got.family()
                                  + QStringLiteral(" %1 pt, bold %2").arg(got.pointSizeF()).arg(got.bold());
            QVERIFY2(got.family() == asked.family() && QFontDatabase::isSmoothlyScalable(got.family())
                         && got.bold() == asked.bold() && qAbs(got.pointSizeF() - asked.pointSizeF()) < 0.5,
                     qPrintable(where));
        }
    }

    // On every screen, the shrunk ones above all, each text of each phase lies whole
    // inside its control: the font is chosen by the text it has to show.
    // In English and in each shipped translation (German words are long, Chinese needs
    // its own font).
    void everyTextFitsItsControl_data()
    {
        QTest::addColumn<int>("phase");
        QTest::addColumn<QString>("translation");
        for (const char *translation : {"", "de", "zh_CN"}) {
            for (int p = 0; p < int(std::size(RunPhases::all)); ++p) {
                const QByteArray name = *translation ? QByteArray(translation) + ": " + RunPhases::all[p].name
                                                     : QByteArray(RunPhases::all[p].name);
                QTest::newRow(name.constData()) << p << QString::fromLatin1(translation);
            }
        }
    }

    void everyTextFitsItsControl()
    {
#ifdef Q_OS_WIN
        if (QGuiApplication::platformName() == QLatin1String("offscreen"))
            QSKIP("The offscreen platform on Windows reads its fonts from a folder, without the window's "
                  "own; window-under-wine.sh runs this on the windows platform.");
#endif
        QFETCH(int, phase);
        QFETCH(QString, translation);
        std::unique_ptr<WindowFixture> made;
        if (translation.isEmpty()) {
            made = std::make_unique<WindowFixture>();
        } else {
            QFile qm(QStringLiteral(DT_TRANSLATIONS_DIR "/texts_%1.qm").arg(translation));
            QVERIFY2(qm.open(QIODevice::ReadOnly), qPrintable(qm.fileName()));
            made = std::make_unique<WindowFixture>(qm.readAll());
        }
        WindowFixture &f = *made;
        RunPhases::all[phase].reach(f);
        // Where asked, each phase as it looks, to be looked at.
        if (const QString folder = qEnvironmentVariable("DT_PHASE_SCREENSHOTS"); !folder.isEmpty())
            f.window().grab().save(QDir(folder).filePath(QStringLiteral("%1-%2.png")
                                                             .arg(translation.isEmpty() ? QStringLiteral("en") : translation)
                                                             .arg(QString::fromLatin1(RunPhases::all[phase].name).replace(QLatin1Char(' '), QLatin1Char('-')))));
        QStringList spilt;
        int looked = 0;
        for (QWidget *w : f.window().findChildren<QWidget *>()) {
            if (w->objectName().isEmpty() || !w->isVisible() || w == f.controls().Notepad)
                continue; // the notepad holds what the subject types, as long as it is
            ++looked;
            const QString spill = textSpill(w);
            if (!spill.isEmpty())
                spilt << spill;
        }
        QVERIFY(looked > 0);
        QVERIFY2(spilt.isEmpty(), qPrintable(spilt.join(QStringLiteral("\n"))));
    }

    // On a screen smaller than the layout the window opens maximized and everything,
    // fonts included, shrinks to fit; on a larger one nothing changes.
    void theLayoutFitsTheScreen()
    {
        WindowFixture f;
        TreeWindow &w = f.window();
        const Controls &c = f.controls();
        const double dpi = w.logicalDpiY();
#ifdef Q_OS_WIN
        // Windows' offscreen platform reads its fonts from one folder, without the window's
        // Microsoft Sans Serif: another family's payoff line may take a smaller font to fit
        // (window-under-wine.sh checks the window's fonts on the windows platform).
        const bool ownFonts = QGuiApplication::platformName() != QLatin1String("offscreen");
#else
        const bool ownFonts = true;
#endif
        QCOMPARE(w.isMaximized(), smallScreen());
        QCOMPARE(c.scale.fit() < 1.0, smallScreen());
        if (!smallScreen()) {
            QCOMPARE(w.size(), QSize(qRound(774 * dpi / 72), qRound(534 * dpi / 72)));
            if (ownFonts)
                QCOMPARE(c.Payoffs->font().pointSizeF(), 12.0);
        }
        const QRect room = w.screen()->availableGeometry();
        QVERIFY(w.frameGeometry().height() <= room.height() && w.frameGeometry().width() <= room.width());
        if (ownFonts)
            QCOMPARE(c.Payoffs->font().pointSizeF(), 12.0 * c.scale.fit());

        // Every control of the run's busiest screens lies in the window (Welcome stands
        // off its left edge by design).
        f.startRun();
        f.playMoves({true, true, true, true, true, true});
        f.clickNode(5, 7);
        for (QWidget *child : w.findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
            if (child->isVisible() && child != c.Welcome)
                QVERIFY2(w.rect().contains(child->geometry()), qPrintable(child->objectName()));
        }
        QVERIFY(c.Continue->isVisible());
    }
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setStyle(new LabStyle);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    TestScreens test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestScreens.moc"
