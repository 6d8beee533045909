#include "GuiTestMain.h"
#include "RunPhases.h"
#include "WindowFixture.h"

#include "record/EventTags.h"
#include "tree/widgets/NodeButton.h"
#include "window/logic/TextsTranslation.h"
#include "window/widgets/Controls.h"
#include "window/TreeWindow.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QMap>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTemporaryDir>

#include <memory>

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray german()
{
    return fileBytes(QStringLiteral(DT_TRANSLATIONS_DIR "/texts_de.qm"));
}

QByteArray rightToLeft()
{
    return fileBytes(QStringLiteral(DT_TEST_TRANSLATIONS_DIR "/rtl.qm"));
}

// The texts the subject sees on the window now, by control: captions, the texts of the
// read-only boxes and lines, the nodes' tooltips and names, the window's caption. The
// parameters' values are the experimenter's entries, not texts.
QMap<QString, QString> shownTexts(TreeWindow &window, const Controls &c)
{
    QMap<QString, QString> texts;
    texts.insert(QStringLiteral("window"), window.windowTitle());
    for (QWidget *w : window.findChildren<QWidget *>()) {
        const QString name = w->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")))
            continue;
        if (auto *frame = qobject_cast<QGroupBox *>(w))
            texts.insert(name, frame->title());
        else if (auto *node = qobject_cast<NodeButton *>(w))
            texts.insert(name, node->toolTip() + QLatin1Char('|') + node->accessibleName());
        else if (auto *button = qobject_cast<QAbstractButton *>(w))
            texts.insert(name, button->text());
        else if (auto *line = qobject_cast<QLineEdit *>(w); line && line->parentWidget()->parentWidget() != c.ExperimenterInput)
            texts.insert(name, line->text());
        else if (auto *box = qobject_cast<QPlainTextEdit *>(w); box && box->isReadOnly())
            texts.insert(name, box->toPlainText());
    }
    return texts;
}

QJsonObject firstLine(const QByteArray &companion)
{
    return QJsonDocument::fromJson(companion.left(companion.indexOf('\n'))).object();
}

QJsonObject lastLine(const QByteArray &companion)
{
    const QList<QByteArray> lines = companion.trimmed().split('\n');
    return QJsonDocument::fromJson(lines.last()).object();
}

} // namespace

// The subjects' language from texts.qm in the data folder: English without it, every text
// translated with it, the log the same in every language, left on the left.
class TestTranslation : public QObject
{
    Q_OBJECT

private slots:
    void theShippedTranslationsAreThere()
    {
        QVERIFY2(!german().isEmpty(), DT_TRANSLATIONS_DIR "/texts_de.qm is missing");
        QVERIFY2(!rightToLeft().isEmpty(), DT_TEST_TRANSLATIONS_DIR "/rtl.qm is missing");
    }

    void withoutTheFileTheTextsAreEnglish()
    {
        QTemporaryDir dir;
        TextsTranslation texts;
        QCOMPARE(texts.load(dir.path()), TextsTranslation::Outcome::English);
        QVERIFY(!texts.loaded());
        QVERIFY(texts.language().isEmpty());
    }

    // A file that cannot be used stops the start, naming itself; nothing of it is used.
    void aTranslationThatCannotBeUsedIsRefused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("folder");
        QTest::addColumn<QString>("why");
        QTest::newRow("not a translation") << QByteArray("Move Left=Nach links\r\n") << false << "not a translation";
        QTest::newRow("empty") << QByteArray() << false << "not a translation";
        QTest::newRow("cut short") << german().left(german().size() / 2) << false << "not a translation";
        QTest::newRow("no language")
            << fileBytes(QStringLiteral(DT_TEST_TRANSLATIONS_DIR "/nolanguage.qm")) << false << "names no language";
        QTest::newRow("a folder") << QByteArray() << true << "cannot be read";
    }

    void aTranslationThatCannotBeUsedIsRefused()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, folder);
        QFETCH(QString, why);
        QTemporaryDir dir;
        const QString path = QDir(dir.path()).filePath(QStringLiteral("texts.qm"));
        if (folder) {
            QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("texts.qm")));
        } else {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        }
        TextsTranslation texts;
        QCOMPARE(texts.load(dir.path()), TextsTranslation::Outcome::Refused);
        QVERIFY2(texts.error().contains(QDir::toNativeSeparators(path)), qPrintable(texts.error()));
        QVERIFY2(texts.error().contains(why), qPrintable(texts.error()));
        texts.install();
        QCOMPARE(QCoreApplication::translate("Controls", "Move Left"), QStringLiteral("Move Left"));
    }

    // In every phase of a run, every text the subject sees is another in German than in
    // English; the payoffs are in euros.
    void everyTextIsTranslated_data()
    {
        QTest::addColumn<int>("phase");
        for (int p = 0; p < int(std::size(RunPhases::all)); ++p)
            QTest::newRow(RunPhases::all[p].name) << p;
    }

    void everyTextIsTranslated()
    {
        QFETCH(int, phase);
        QMap<QString, QString> english, translated;
        QList<AnsweringMessageBoxes::Shown> englishBoxes, translatedBoxes;
        {
            WindowFixture f;
            RunPhases::all[phase].reach(f);
            english = shownTexts(f.window(), f.controls());
            englishBoxes = f.boxes.shown;
        }
        {
            WindowFixture f(german());
            RunPhases::all[phase].reach(f);
            translated = shownTexts(f.window(), f.controls());
            translatedBoxes = f.boxes.shown;
        }
        QCOMPARE(translated.keys(), english.keys());
        int looked = 0;
        for (auto it = english.cbegin(); it != english.cend(); ++it) {
            if (it.value().trimmed().isEmpty())
                continue;
            ++looked;
            QVERIFY2(translated.value(it.key()) != it.value(),
                     qPrintable(it.key() + QStringLiteral(": still \"") + it.value() + QLatin1Char('"')));
            QVERIFY2(!translated.value(it.key()).contains(QChar(0x00A3)), qPrintable(it.key()));
        }
        QVERIFY(looked > 20);
        QCOMPARE(translatedBoxes.size(), englishBoxes.size());
        for (qsizetype k = 0; k < englishBoxes.size(); ++k) {
            QVERIFY(translatedBoxes[k].title != englishBoxes[k].title);
            QVERIFY2(translatedBoxes[k].text != englishBoxes[k].text, qPrintable(translatedBoxes[k].text));
        }
    }

    // The same clicks and draws leave the same log in German as in English, byte for byte;
    // the record for analysis names the translation and holds the payoffs as shown.
    void aGermanRunLogsAsAnEnglishOne()
    {
        const RunPhases::Phase &whole = RunPhases::all[std::size(RunPhases::all) - 1];
        QByteArray englishLog, englishCompanion;
        {
            WindowFixture f;
            whole.reach(f);
            englishLog = f.log();
            englishCompanion = f.readFile(QStringLiteral("o199btinp.01.jsonl"));
        }
        WindowFixture f(german());
        whole.reach(f);
        QVERIFY(!englishLog.isEmpty());
        QCOMPARE(f.log(), englishLog);

        QVERIFY(!firstLine(englishCompanion).contains(QLatin1String("texts")));
        const QByteArray companion = f.readFile(QStringLiteral("o199btinp.01.jsonl"));
        const QJsonObject run = firstLine(companion);
        const QJsonObject texts = run.value(QLatin1String("texts")).toObject();
        QCOMPARE(texts.value(QLatin1String("language")).toString(), QStringLiteral("de_DE"));
        QCOMPARE(texts.value(QLatin1String("sha256")).toString(),
                 QString::fromLatin1(QCryptographicHash::hash(german(), QCryptographicHash::Sha256).toHex()));
        const QJsonArray payoffTexts = run.value(QLatin1String("payoffTexts")).toArray();
        QCOMPARE(payoffTexts.size(), 64);
        for (int j = 0; j < 64; ++j) {
            const int payoff = WindowFixture::payoffFor(j);
            const QString expected = payoff < 0 ? QStringLiteral("-%1 €").arg(-payoff) : QStringLiteral("%1 €").arg(payoff);
            QCOMPARE(payoffTexts[j].toString(), expected);
        }
        const QJsonObject end = lastLine(companion);
        const QString summary = f.controls().Payoffs->text();
        for (const QJsonValue shown : end.value(QLatin1String("payoffTexts")).toArray()) {
            QVERIFY(shown.toString().endsWith(QStringLiteral(" €")));
            QVERIFY2(summary.contains(shown.toString()), qPrintable(summary));
        }
    }

    // A right-to-left language turns the texts, never the window: every node and both
    // options stand where they stand in English, MoveLeft draws its button on the left, and
    // the log is the same.
    void aRightToLeftTranslationKeepsLeftOnTheLeft()
    {
        const auto walk = [](WindowFixture &f) {
            f.startRun();
            f.playMoves({false, true, true, false, false});
            f.clickNode(6, f.window().state().PathNode[6]);
        };
        QMap<QString, QRect> english;
        QByteArray englishLog;
        QImage englishOption;
        {
            WindowFixture f;
            walk(f);
            for (QWidget *w : f.window().findChildren<QWidget *>())
                english.insert(w->objectName(), QRect(w->mapTo(&f.window(), QPoint(0, 0)), w->size()));
            englishLog = f.log();
            englishOption = f.controls().MoveLeft->grab().toImage();
        }
        WindowFixture f(rightToLeft());
        QCOMPARE(QGuiApplication::layoutDirection(), Qt::RightToLeft); // the translation says so
        walk(f);
        QCOMPARE(f.controls().MoveLeft->text(), QStringLiteral("שמאלה"));
        int nodes = 0;
        for (QWidget *w : f.window().findChildren<QWidget *>()) {
            QVERIFY2(w->isLeftToRight(), qPrintable(w->objectName()));
            if (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_")))
                continue; // Qt's own parts of a control, named alike
            const QRect at(w->mapTo(&f.window(), QPoint(0, 0)), w->size());
            QVERIFY2(at == english.value(w->objectName()),
                     qPrintable(w->objectName() + QLatin1Char(' ') + w->parentWidget()->objectName()
                                + QStringLiteral(" at %1,%2 %3x%4").arg(at.x()).arg(at.y()).arg(at.width()).arg(at.height())));
            nodes += qobject_cast<NodeButton *>(w) ? 1 : 0;
        }
        QCOMPARE(nodes, 127);
        // The option's round button: the same pixels at its left end as in English.
        QRadioButton *moveLeft = f.controls().MoveLeft;
        QStyleOptionButton style;
        style.initFrom(moveLeft);
        const QRect indicator = moveLeft->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &style, moveLeft);
        QVERIFY(indicator.right() < moveLeft->width() / 3);
        const QImage option = moveLeft->grab().toImage();
        QCOMPARE(option.copy(indicator), englishOption.copy(indicator));
        QCOMPARE(f.log(), englishLog);
        QVERIFY(f.log().contains(EventTags::ConfirmDecisionLeft.toLatin1())); // d1, MoveLeft
    }
};

DT_GUI_TEST_MAIN(TestTranslation)
#include "TestTranslation.moc"
