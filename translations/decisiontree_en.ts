<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name>Controls</name>
    <message>
        <source>Experimental Parameters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Parameter Set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Subject Number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Number of Attempts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input Data File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter the information requested and then Click here</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Welcome to this experiment</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This will contain a description of the experiment.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click here when you are ready to start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Attention!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This is the Notepad for this node. You can edit and save the Notepad here.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>If you want to close and save the Notepad click here</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Are you ready to decide?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move Left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move Right</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click here to confirm your decision.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It is Nature&apos;s Move</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click here when you are ready for Nature to Move.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click here to continue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The experiment is over, please call the experimenter.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ExperimenterWarning</name>
    <message>
        <source>Please call the experimenter. You can go on with the experiment.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FlowTexts</name>
    <message>
        <source>Welcome to this experiment. Please read the instructions carefully and wait for the start of the experiment.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This is a decision tree. The green nodes are DECISION nodes - where you decide whether to go left or right. The red nodes are CHANCE nodes - where Nature decides whether to go left or right. Nature chooses at random - with left and right being equally likely and independent of your decisions. The yellow nodes are payoff nodes. Eventually you (with Nature) have to work through the tree - getting to some final payoff node. You work UP through the tree, starting at the bottom green node. Full instuctions are in the written Instructions that you have been given.</source>
        <extracomment>The written Instructions are the lab&apos;s own: a lab&apos;s translation may say more of them.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You will have one attempt. Click here to start.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You will have %1 attempts. Click here to start.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This is your only attempt. You will be paid the payoff of this attempt.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This is attempt number %1 out of a total of %2 attempts.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You have %1 attempts left.  Click here to continue.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your next attempt is your last attempt.  Click here to continue.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your payoff is %1.</source>
        <extracomment>%1 is the payoff as the payoff texts show it.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, </source>
        <extracomment>Between two payoffs of the list, before the last two.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> and </source>
        <extracomment>Between the last two payoffs of the list, blanks included.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your payoff is a randomly chosen one of %1.</source>
        <extracomment>%1 is the list of the attempts&apos; payoffs.</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PayoffFile</name>
    <message>
        <source>-£%1</source>
        <comment>loss</comment>
        <extracomment>%1 is the amount lost, in digits.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>£%1</source>
        <comment>zero</comment>
        <extracomment>%1 is 0.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>£%1</source>
        <comment>gain</comment>
        <extracomment>%1 is the amount won, in digits.</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QPlatformTheme</name>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TreeTexts</name>
    <message>
        <source>This is node number %1 at the first chance level.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This is node number %1 at the second decision level.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This is node number %1 at the second chance level.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This is node number %1 at the third decision level.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This is node number %1 at the third chance level.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This is node number %1 at the payoff level.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Chance node %1 at the first chance level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Decision node %1 at the second decision level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Chance node %1 at the second chance level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Decision node %1 at the third decision level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Chance node %1 at the third chance level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Payoff node %1 of 64</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This is a decision node. Click to open the Notepad.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This is a chance node. Click to open the Notepad.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The currently white node is a DECISION node.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The currently white node is a CHANCE node.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This is a payoff node. Click to see the payoff.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This is the only node at the first decision level.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Decision node, the only node at the first decision level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You have just moved left.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You have just moved right.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nature has chosen Left. Click OK to continue...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nature has chosen Right. Click OK to continue...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nature has chosen Left. Click to find the realised payoff.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nature has chosen Right. Click to find the realised payoff.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nature &apos;s Move</source>
        <extracomment>The title of the box after Nature&apos;s move at the first and second chance levels.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nature&apos;s move</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nature has chosen Left.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nature has chosen Right.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The realised Payoff is %1.</source>
        <extracomment>%1 is the payoff as the payoff texts show it.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The realised payoff is %1</source>
        <extracomment>%1 is the payoff as the payoff texts show it; no full stop follows.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Payoff</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The PAYOFF at the currently white node is %1.</source>
        <extracomment>%1 is the payoff as the payoff texts show it.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click on any payoff (yellow) node to find the payoff at that node.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TreeWindow</name>
    <message>
        <source>Decision Tree</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
