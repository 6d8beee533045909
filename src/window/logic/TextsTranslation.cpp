#include "window/logic/TextsTranslation.h"

#include "record/InputFile.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>

namespace {

// A compiled translation of the window's texts is a few tens of kilobytes.
constexpr qint64 MostBytes = 16 * 1024 * 1024;

const QString FileName = QStringLiteral("texts.qm");

// Every text of the window as lupdate found it: context, source and disambiguation.
struct SourceText
{
    QString context, source, comment;
};

QList<SourceText> sourceTexts()
{
    QFile file(QStringLiteral(":/translations/decisiontree_en.ts"));
    QList<SourceText> texts;
    if (!file.open(QIODevice::ReadOnly))
        return texts;
    QXmlStreamReader xml(&file);
    QString context;
    SourceText text;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("name"))
            context = xml.readElementText();
        else if (xml.name() == QLatin1String("message"))
            text = {context, {}, {}};
        else if (xml.name() == QLatin1String("source"))
            text.source = xml.readElementText();
        else if (xml.name() == QLatin1String("comment"))
            text.comment = xml.readElementText();
        else if (xml.name() == QLatin1String("translation"))
            texts.append(text);
    }
    return texts;
}

} // namespace

// The English source is compiled into the library; a static library must register it.
static void registerSource()
{
    Q_INIT_RESOURCE(texts);
}

QString TextsTranslation::pathIn(const QString &dataDirectory)
{
    return QDir(dataDirectory).filePath(FileName);
}

TextsTranslation::Outcome TextsTranslation::load(const QString &dataDirectory)
{
    m_path = pathIn(dataDirectory);
    const QString shown = QDir::toNativeSeparators(m_path);
    const QFileInfo info(m_path);
    if (!info.exists() && !info.isSymLink())
        return Outcome::English;
    QString why;
    if (!InputFile::readAll(m_path, MostBytes, QStringLiteral("a translation"), &m_bytes, &why)) {
        m_error = QStringLiteral("The translation %1 cannot be read: %2. Put the texts.qm that "
                                 "Qt's lrelease made there, or remove it for English.")
                      .arg(shown, why);
        return Outcome::Refused;
    }
    if (!m_translator.load(reinterpret_cast<const uchar *>(m_bytes.constData()), int(m_bytes.size()))) {
        m_error = QStringLiteral("The translation %1 is not a translation that Qt can read (%2 "
                                 "bytes). Release the .ts file again in Qt Linguist (File, Release "
                                 "As, texts.qm) or with lrelease, or remove the file for English.")
                      .arg(shown)
                      .arg(m_bytes.size());
        return Outcome::Refused;
    }
    if (m_translator.language().isEmpty()) {
        m_error = QStringLiteral("The translation %1 names no language. Set it in Qt Linguist "
                                 "(Edit, Translation File Settings) and release the file again.")
                      .arg(shown);
        return Outcome::Refused;
    }
    m_sha256 = QString::fromLatin1(QCryptographicHash::hash(m_bytes, QCryptographicHash::Sha256).toHex());
    m_loaded = true;
    return Outcome::Loaded;
}

void TextsTranslation::install()
{
    if (m_loaded && !m_installed)
        m_installed = QCoreApplication::installTranslator(&m_translator);
}

TextsTranslation::~TextsTranslation()
{
    if (m_installed)
        QCoreApplication::removeTranslator(&m_translator);
}

TextsTranslation::Coverage TextsTranslation::coverage() const
{
    registerSource();
    Coverage coverage;
    for (const SourceText &text : sourceTexts()) {
        const QByteArray context = text.context.toUtf8(), source = text.source.toUtf8(),
                         comment = text.comment.toUtf8();
        if (m_loaded && !m_translator.translate(context, source, comment.isEmpty() ? nullptr : comment.constData())
                             .isEmpty())
            ++coverage.translated;
        else
            coverage.missing.append(text.context + QStringLiteral(": ") + text.source);
    }
    return coverage;
}
