#include "window/widgets/ControlFactory.h"

#include "tree/logic/TreeTexts.h"
#include "window/widgets/DefaultButton.h"
#include "window/widgets/PictureLabel.h"
#include "window/widgets/TextFit.h"
#include "window/widgets/WrappingButton.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTimer>

// Set by the build (src/CMakeLists.txt); the experimenter sees them and cannot change them.
#ifndef DT_NUMBER_OF_ATTEMPTS
#define DT_NUMBER_OF_ATTEMPTS "4"
#endif
#ifndef DT_DATA_FILE_NAME
#define DT_DATA_FILE_NAME "btinp.01"
#endif

namespace {

// Each control's text is in the translation installed now, context "Controls".
QString shown(const char *source)
{
    return QCoreApplication::translate("Controls", source);
}

enum class Font { Default, Bold975, Bold12 };

// The controls' font is MS Sans Serif. On Windows that name belongs to a raster font
// (sserife.fon) of a few fixed sizes without bold, which Qt takes as it is: 10 pt for
// 8.25 pt, never bold. Windows' own forms library maps the name to its TrueType successor
// "Microsoft Sans Serif", which scales and has bold; so does this window. Elsewhere
// Liberation Sans stands in for it: Debian ships it, and every workstation lays it out alike.
QString controlFamily()
{
#ifdef Q_OS_WIN
    return QStringLiteral("Microsoft Sans Serif");
#else
    return QStringLiteral("Liberation Sans");
#endif
}

// Its size goes through the layout's scale.
QFont controlFont(Font font, const PointScale &scale)
{
    QFont f(controlFamily());
    f.setStyleHint(QFont::SansSerif);
    switch (font) {
    case Font::Default:
        f.setPointSizeF(scale.fontPoints(8.25));
        break;
    case Font::Bold975:
        f.setPointSizeF(scale.fontPoints(9.75));
        f.setBold(true);
        break;
    case Font::Bold12:
        f.setPointSizeF(scale.fontPoints(12));
        f.setBold(true);
        break;
    }
    return f;
}

class Builder
{
public:
    Builder(QWidget *window, Controls &c) : m_window(window), m_c(c) {}

    template <typename W>
    W *named(W *w, const char *name, QWidget *, double l, double t, double wd, double h, Font font)
    {
        w->setObjectName(QString::fromLatin1(name));
        w->setFont(controlFont(font, m_c.scale));
        m_c.place(w, l, t, wd, h);
        return w;
    }

    QGroupBox *frame(const char *name, QWidget *in, double l, double t, double w, double h,
                     const QString &caption)
    {
        return named(new QGroupBox(caption, in), name, in, l, t, w, h, Font::Default);
    }

    QLineEdit *line(const char *name, QWidget *in, double l, double t, double w, double h,
                    const QString &text, bool readOnly, Font font = Font::Default)
    {
        auto *edit = named(new QLineEdit(in), name, in, l, t, w, h, font);
        edit->setReadOnly(readOnly);
        edit->setText(text); // laid out once, in its own font
        return edit;
    }

    QPlainTextEdit *box(const char *name, QWidget *in, double l, double t, double w, double h,
                        const QString &text, bool readOnly, Font font = Font::Default)
    {
        auto *edit = named(new QPlainTextEdit(in), name, in, l, t, w, h, font);
        edit->setReadOnly(readOnly);
        edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        edit->document()->setDocumentMargin(2);
        if (readOnly) {
            edit->setTextInteractionFlags(Qt::NoTextInteraction);
            edit->setFocusPolicy(Qt::NoFocus); // shows a text; no key has a use there
        } else {
            edit->setTabChangesFocus(true); // as on the classic multi-line text box
        }
        // Last, so that the text is laid out once, in its font, width and margin.
        edit->setPlainText(text);
        return edit;
    }

    WrappingButton *button(const char *name, QWidget *in, double l, double t, double w, double h,
                           const QString &caption, Font font = Font::Default)
    {
        return named(new WrappingButton(caption, in), name, in, l, t, w, h, font);
    }

    QRadioButton *option(const char *name, QWidget *in, double l, double t, double w, double h,
                         const QString &caption)
    {
        return named(new QRadioButton(caption, in), name, in, l, t, w, h, Font::Default);
    }

    // The window's controls, group by group, in the order they are made.
    void parameterFrame();
    void greeting();
    void welcome();
    void attemptNotice();
    void payoffLine();
    void notepad();
    void decisionBox();
    void natureBox();
    void endButtons();
    void parameterKeys();

private:
    QWidget *m_window;
    Controls &m_c;
};

// The experimenter's frame: the parameters and their Confirm.
void Builder::parameterFrame()
{
    Controls &c = m_c;
    c.ExperimenterInput = frame("ExperimenterInput", m_window, 552, 126, 138.75, 288.75,
                                shown(QT_TRANSLATE_NOOP("Controls", "Experimental Parameters")));
    c.ExperimenterInput->hide();
    c.ParameterSet = frame("ParameterSet", c.ExperimenterInput, 12, 72, 108.75, 42.75,
                           shown(QT_TRANSLATE_NOOP("Controls", "Parameter Set")));
    c.ParameterSetInput = line("ParameterSetInput", c.ParameterSet, 12, 12, 78.75, 20.25,
                               QStringLiteral("1"), false);
    c.SubjectNumber = frame("SubjectNumber", c.ExperimenterInput, 12, 120, 108.75, 42.75,
                            shown(QT_TRANSLATE_NOOP("Controls", "Subject Number")));
    c.SubjectNumberInput = line("SubjectNumberInput", c.SubjectNumber, 12, 12, 78.75, 20.25,
                                QStringLiteral("99"), false);
    c.NumberAttempts = frame("NumberAttempts", c.ExperimenterInput, 12, 168, 108.75, 42.75,
                             shown(QT_TRANSLATE_NOOP("Controls", "Number of Attempts")));
    c.NumberAttemptsInput = line("NumberAttemptsInput", c.NumberAttempts, 12, 12, 78.75, 20.25,
                                 QStringLiteral(DT_NUMBER_OF_ATTEMPTS), true);
    c.InputDataFile = frame("InputDataFile", c.ExperimenterInput, 12, 18, 108.75, 42.75,
                            shown(QT_TRANSLATE_NOOP("Controls", "Input Data File")));
    c.InputDataFileInput = line("InputDataFileInput", c.InputDataFile, 12, 12, 84.75, 20.25,
                                QStringLiteral(DT_DATA_FILE_NAME), true);
    c.ConfirmParameters = button("ConfirmParameters", c.ExperimenterInput, 12, 222, 108.75, 54.75,
                                 shown(QT_TRANSLATE_NOOP("Controls", "Enter the information requested and then Click here")));
}

// The logo and the greeting, the go-ahead's timer, and Start.
void Builder::greeting()
{
    Controls &c = m_c;
    QWidget *window = m_window;
    c.OrrinLogo = named(new PictureLabel(window), "OrrinLogo", window, 276, 312, 72.75, 72.75, Font::Default);
    // Its picture is loaded when it is first shown, made at the label's size
    // (ExperimentFlow): a scaling label would keep a converted copy of it besides.
    c.OrrinLogo->setToolTip(QStringLiteral("Orrin"));
    c.OrrinLogo->hide();

    c.Hello = box("Hello", window, 372, 312, 150.75, 24.75, QString(), true, Font::Bold975);
    c.Hello->hide();

    c.TimerOkToGo = new QTimer(window);
    c.TimerOkToGo->setObjectName(QStringLiteral("TimerOkToGo"));
    c.TimerOkToGo->setInterval(1000);

    c.Start = button("Start", window, 302.25, 237.75, 174.75, 54.75, QString(), Font::Bold12);
    c.Start->hide();
}

void Builder::welcome()
{
    Controls &c = m_c;
    c.Welcome = frame("Welcome", m_window, -30, 60, 576.75, 90.75,
                      shown(QT_TRANSLATE_NOOP("Controls", "Welcome to this experiment")));
    c.Instructions = box("Instructions", c.Welcome, 18, 12, 546.75, 48.75,
                         shown(QT_TRANSLATE_NOOP("Controls", "This will contain a description of the experiment.")), true);
    c.ShowtheTree = button("ShowtheTree", c.Welcome, 192, 66, 144.75, 12.75,
                           shown(QT_TRANSLATE_NOOP("Controls", "Click here when you are ready to start")));
}

void Builder::attemptNotice()
{
    Controls &c = m_c;
    c.NumberofAttemptFrame = frame("NumberofAttemptFrame", m_window, 0, 408, 114.75, 120.75,
                                   shown(QT_TRANSLATE_NOOP("Controls", "Attention!")));
    c.NumberofAttemptFrame->hide();
    c.NumberofAttempt = box("NumberofAttempt", c.NumberofAttemptFrame, 6, 12, 102.75, 102.75,
                            QString(), true, Font::Bold12);
}

void Builder::payoffLine()
{
    Controls &c = m_c;
    c.Payoffs = line("Payoffs", m_window, 186, 6, 396.75, 18.75,
                     TreeTexts::clickOnPayoffMessage(),
                     true, Font::Bold12);
    c.Payoffs->setFocusPolicy(Qt::NoFocus);
    // Messages are centred by their leading blanks: always show them from the start.
    QObject::connect(c.Payoffs, &QLineEdit::textChanged, c.Payoffs,
                     [edit = c.Payoffs] { edit->setCursorPosition(0); });
}

void Builder::notepad()
{
    Controls &c = m_c;
    c.NotepadContainer = frame("NotepadContainer", m_window, 18, 402, 342.75, 96.75,
                               shown(QT_TRANSLATE_NOOP("Controls", "This is the Notepad for this node. You can edit and save the Notepad here.")));
    c.Notepad = box("Notepad", c.NotepadContainer, 6, 12, 264.75, 72.75, QString(), false);
    c.CloseNotepad = button("CloseNotepad", c.NotepadContainer, 282, 12, 54.75, 72.75,
                            shown(QT_TRANSLATE_NOOP("Controls", "If you want to close and save the Notepad click here")));
}

void Builder::decisionBox()
{
    Controls &c = m_c;
    c.DecisionBox = frame("DecisionBox", m_window, 366, 402, 96.75, 96.75,
                          shown(QT_TRANSLATE_NOOP("Controls", "Are you ready to decide?")));
    c.MoveLeft = option("MoveLeft", c.DecisionBox, 6, 12, 66.75, 18.75, shown(QT_TRANSLATE_NOOP("Controls", "Move Left")));
    c.MoveRight = option("MoveRight", c.DecisionBox, 6, 36, 84.75, 18.75, shown(QT_TRANSLATE_NOOP("Controls", "Move Right")));
    // Radio buttons of one frame exclude each other.
    c.ConfirmDecision = button("ConfirmDecision", c.DecisionBox, 6, 60, 84.75, 30.75,
                               shown(QT_TRANSLATE_NOOP("Controls", "Click here to confirm your decision.")));
}

void Builder::natureBox()
{
    Controls &c = m_c;
    c.NatureBox = frame("NatureBox", m_window, 474, 408, 84.75, 90.75,
                        shown(QT_TRANSLATE_NOOP("Controls", "It is Nature's Move")));
    c.NatureMove = button("NatureMove", c.NatureBox, 12, 18, 66.75, 60.75,
                          shown(QT_TRANSLATE_NOOP("Controls", "Click here when you are ready for Nature to Move.")));
}

// Continue, Next Attempt and the end screen's button.
void Builder::endButtons()
{
    Controls &c = m_c;
    QWidget *window = m_window;
    c.Continue = button("Continue", window, 258, 510, 132.75, 30.75,
                        shown(QT_TRANSLATE_NOOP("Controls", "Click here to continue")), Font::Bold975);
    c.Continue->hide();
    c.NextAttempt = button("NextAttempt", window, 96, 324, 150, 60, QString(), Font::Bold975);
    c.NextAttempt->hide();
    c.ExperimentOver = button("ExperimentOver", window, 96, 258, 138.75, 54.75,
                              shown(QT_TRANSLATE_NOOP("Controls", "The experiment is over, please call the experimenter.")),
                              Font::Bold975);
    // The experimenter's button, for the mouse only: on the end screen keys do nothing.
    c.ExperimentOver->setFocusPolicy(Qt::NoFocus);
    c.ExperimentOver->hide();
}

// Enter and Tab in the parameter frame.
void Builder::parameterKeys()
{
    Controls &c = m_c;
    // Enter in any parameter box confirms, as the experimenter's instructions say.
    DefaultButton::make(c.ConfirmParameters, c.ExperimenterInput);

    QWidget::setTabOrder(c.ConfirmParameters, c.ParameterSetInput);
    QWidget::setTabOrder(c.ParameterSetInput, c.SubjectNumberInput);
    QWidget::setTabOrder(c.SubjectNumberInput, c.NumberAttemptsInput);
    QWidget::setTabOrder(c.NumberAttemptsInput, c.InputDataFileInput);
}

} // namespace

// The logo is compiled into the widget library; a static library must register it.
static void registerResources()
{
    Q_INIT_RESOURCE(resources);
}

void ControlFactory::build(QWidget *window, Controls &c)
{
    registerResources();
    window->setFont(controlFont(Font::Default, c.scale));
    Builder b(window, c);

    // The tree first, so that every other control lies above its lines and buttons.
    c.tree.create(window);
    b.parameterFrame();
    b.greeting();
    b.welcome();
    b.attemptNotice();
    b.payoffLine();
    b.notepad();
    b.decisionBox();
    b.natureBox();
    b.endButtons();
    b.parameterKeys();

    // Last, when every text control has its text, size and font.
    TextFit::watch(window);
}
