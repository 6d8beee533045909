#include "WindowFixture.h"

#include "window/Controls.h"
#include "window/LabStyle.h"
#include "window/TreeWindow.h"
#include "window/WrappingButton.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QLocale>
#include <QScreen>
#include <QTest>

// The window on the screen that CTest gives it (tests/support/screens): a workstation at
// 96 DPI, screens at 144 and 192 DPI, and one smaller than the layout at 144 DPI.
class TestScreens : public QObject
{
    Q_OBJECT

    static bool smallScreen() { return QGuiApplication::primaryScreen()->name() == QLatin1String("small"); }

private slots:
    // A captioned frame's top edge runs through the middle of its caption, which
    // interrupts it, and every control of the frame lies inside its edges.
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
            // The caption's ink, over its first letters clear of the left edge.
            int textTop = -1, textBottom = -1;
            for (int y = 0; y < childrenTop; ++y) {
                for (int x = 3; x < 3 + frame->fontMetrics().height(); ++x) {
                    if (image.pixel(x, y) != face) {
                        textTop = textTop < 0 ? y : textTop;
                        textBottom = y;
                    }
                }
            }
            // The edge where the caption leaves room for it on the right; a caption as wide
            // as its frame leaves none.
            const bool room = frame->fontMetrics().horizontalAdvance(frame->title()) + 6 < w - 3;
            int edge = (textTop + textBottom) / 2;
            if (room) {
                edge = 0;
                while (edge < h && image.pixel(w - 3, edge) != dark)
                    ++edge;
            }
            const QString where = frame->objectName() + QStringLiteral(": edge at %1, caption %2 to %3, children from %4")
                                      .arg(edge).arg(textTop).arg(textBottom).arg(childrenTop);
            const int quarter = (textBottom - textTop) / 4;
            QVERIFY2(textTop >= 0 && edge >= textTop + quarter && edge <= textBottom - quarter, qPrintable(where));
            int dashes = 0; // dark pixels of the edge's row under the caption's first letters
            for (int x = 3; x < 3 + frame->fontMetrics().height(); ++x)
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

    // On a screen smaller than the layout the window opens maximized and everything,
    // fonts included, shrinks to fit; on a larger one nothing changes.
    void theLayoutFitsTheScreen()
    {
        WindowFixture f;
        TreeWindow &w = f.window();
        const Controls &c = f.controls();
        const double dpi = w.logicalDpiY();
        QCOMPARE(w.isMaximized(), smallScreen());
        QCOMPARE(c.scale.fit() < 1.0, smallScreen());
        if (!smallScreen()) {
            QCOMPARE(w.size(), QSize(qRound(774 * dpi / 72), qRound(534 * dpi / 72)));
            QCOMPARE(c.Payoffs->font().pointSizeF(), 12.0);
        }
        const QRect room = w.screen()->availableGeometry();
        QVERIFY(w.frameGeometry().height() <= room.height() && w.frameGeometry().width() <= room.width());
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
