#pragma once

#include "tree/widgets/TreeControls.h"
#include "window/logic/PointScale.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
class QTimer;
class QWidget;
class WrappingButton;

// Every control of the window, by the name the handlers use. All exist from the
// window's creation to the end of the program; handlers only show, hide, move,
// recolour, enable and retext them.
struct Controls
{
    QGroupBox *ExperimenterInput = nullptr;
    QGroupBox *ParameterSet = nullptr;
    QLineEdit *ParameterSetInput = nullptr;
    QGroupBox *SubjectNumber = nullptr;
    QLineEdit *SubjectNumberInput = nullptr;
    QGroupBox *NumberAttempts = nullptr;
    QLineEdit *NumberAttemptsInput = nullptr;
    QGroupBox *InputDataFile = nullptr;
    QLineEdit *InputDataFileInput = nullptr;
    WrappingButton *ConfirmParameters = nullptr;
    QLabel *OrrinLogo = nullptr;
    QPlainTextEdit *Hello = nullptr;
    QTimer *TimerOkToGo = nullptr;
    WrappingButton *Start = nullptr;
    QGroupBox *Welcome = nullptr;
    QPlainTextEdit *Instructions = nullptr;
    WrappingButton *ShowtheTree = nullptr;
    QGroupBox *NumberofAttemptFrame = nullptr;
    QPlainTextEdit *NumberofAttempt = nullptr;
    QLineEdit *Payoffs = nullptr;
    QGroupBox *NotepadContainer = nullptr;
    QPlainTextEdit *Notepad = nullptr;
    WrappingButton *CloseNotepad = nullptr;
    QGroupBox *DecisionBox = nullptr;
    QRadioButton *MoveLeft = nullptr;
    QRadioButton *MoveRight = nullptr;
    WrappingButton *ConfirmDecision = nullptr;
    QGroupBox *NatureBox = nullptr;
    WrappingButton *NatureMove = nullptr;
    WrappingButton *Continue = nullptr;
    WrappingButton *NextAttempt = nullptr;
    WrappingButton *ExperimentOver = nullptr;

    TreeControls tree;
    PointScale scale{96.0};

    // Moves a control to Left, Top (points), keeping its size.
    void move(QWidget *control, double left, double top) const;
    // Places a control at Left, Top, Width, Height (points).
    void place(QWidget *control, double left, double top, double width, double height) const;
};
