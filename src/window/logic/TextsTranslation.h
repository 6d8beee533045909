#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTranslator>

// The subjects' texts in the lab's language: texts.qm in the workstation's data folder,
// compiled by Qt's lrelease from a .ts made with Qt Linguist. Without the file every text
// is English, as written in the code; with it, the translation is read whole before the
// window is made, so a file that cannot be used stops the start rather than leave a window
// half in one language.
class TextsTranslation
{
public:
    static QString pathIn(const QString &dataDirectory);

    enum class Outcome { English, Loaded, Refused };
    // Reads texts.qm from dataDirectory; on Refused, error() says which file and what
    // is wrong with it, for the experimenter.
    Outcome load(const QString &dataDirectory);
    // Gives the loaded translation to every text of the program from now on, until this
    // is destroyed.
    void install();
    ~TextsTranslation();

    bool loaded() const { return m_loaded; }
    QString error() const { return m_error; }
    QString path() const { return m_path; }
    // As the translation names it ("de_DE", "zh_CN").
    QString language() const { return m_translator.language(); }
    // The file's SHA-256, in lower-case hexadecimal digits.
    QString sha256() const { return m_sha256; }

    // The texts of the window, as the English source texts.ts lists them, that this
    // translation translates and those it leaves in English ("context: text").
    struct Coverage
    {
        int translated = 0;
        QStringList missing;
    };
    Coverage coverage() const;

private:
    QTranslator m_translator;
    QByteArray m_bytes; // what the translator reads, kept as long as it is used
    QString m_path;
    QString m_error;
    QString m_sha256;
    bool m_loaded = false;
    bool m_installed = false;
};
