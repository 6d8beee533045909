<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en">
<context>
    <name>Controls</name>
    <message>
        <source>Experimental Parameters</source>
        <translation>Parameter des Experiments</translation>
    </message>
    <message>
        <source>Parameter Set</source>
        <translation>Parametersatz</translation>
    </message>
    <message>
        <source>Subject Number</source>
        <translation>Teilnehmernummer</translation>
    </message>
    <message>
        <source>Number of Attempts</source>
        <translation>Anzahl Versuche</translation>
    </message>
    <message>
        <source>Input Data File</source>
        <translation>Eingabedatei</translation>
    </message>
    <message>
        <source>Enter the information requested and then Click here</source>
        <translation>Angaben eintragen, dann hier klicken</translation>
    </message>
    <message>
        <source>Welcome to this experiment</source>
        <translation>Willkommen zu diesem Experiment</translation>
    </message>
    <message>
        <source>This will contain a description of the experiment.</source>
        <translation>Hier steht eine Beschreibung des Experiments.</translation>
    </message>
    <message>
        <source>Click here when you are ready to start</source>
        <translation>Hier klicken, wenn Sie bereit sind</translation>
    </message>
    <message>
        <source>Attention!</source>
        <translation>Achtung!</translation>
    </message>
    <message>
        <source>This is the Notepad for this node. You can edit and save the Notepad here.</source>
        <translation>Notizblock dieses Knotens. Sie können ihn hier bearbeiten und speichern.</translation>
    </message>
    <message>
        <source>If you want to close and save the Notepad click here</source>
        <translation>Hier klicken: Notizblock speichern und schließen</translation>
    </message>
    <message>
        <source>Are you ready to decide?</source>
        <translation>Entscheiden?</translation>
    </message>
    <message>
        <source>Move Left</source>
        <translation>Nach links</translation>
    </message>
    <message>
        <source>Move Right</source>
        <translation>Nach rechts</translation>
    </message>
    <message>
        <source>Click here to confirm your decision.</source>
        <translation>Hier klicken, um zu bestätigen.</translation>
    </message>
    <message>
        <source>It is Nature&apos;s Move</source>
        <translation>Die Natur zieht</translation>
    </message>
    <message>
        <source>Click here when you are ready for Nature to Move.</source>
        <translation>Hier klicken, wenn die Natur ziehen soll.</translation>
    </message>
    <message>
        <source>Click here to continue</source>
        <translation>Hier klicken, um weiterzumachen</translation>
    </message>
    <message>
        <source>The experiment is over, please call the experimenter.</source>
        <translation>Das Experiment ist beendet. Bitte rufen Sie die Versuchsleitung.</translation>
    </message>
</context>
<context>
    <name>ExperimenterWarning</name>
    <message>
        <source>Please call the experimenter. You can go on with the experiment.</source>
        <translation>Bitte rufen Sie die Versuchsleitung. Sie können mit dem Experiment fortfahren.</translation>
    </message>
</context>
<context>
    <name>FlowTexts</name>
    <message>
        <source>Welcome to this experiment. Please read the instructions carefully and wait for the start of the experiment.</source>
        <translation>Willkommen zu diesem Experiment. Bitte lesen Sie die Anleitung sorgfältig und warten Sie auf den Beginn des Experiments.</translation>
    </message>
    <message>
        <source>This is a decision tree. The green nodes are DECISION nodes - where you decide whether to go left or right. The red nodes are CHANCE nodes - where Nature decides whether to go left or right. Nature chooses at random - with left and right being equally likely and independent of your decisions. The yellow nodes are payoff nodes. Eventually you (with Nature) have to work through the tree - getting to some final payoff node. You work UP through the tree, starting at the bottom green node. Full instuctions are in the written Instructions that you have been given.</source>
        <extracomment>The written Instructions are the lab&apos;s own: a lab&apos;s translation may say more of them.</extracomment>
        <translation>Dies ist ein Entscheidungsbaum. Grüne Knoten sind ENTSCHEIDUNGSknoten: Sie entscheiden, ob es nach links oder rechts geht. Rote Knoten sind ZUFALLSknoten: Die Natur entscheidet, links und rechts gleich wahrscheinlich und unabhängig von Ihren Entscheidungen. Gelbe Knoten sind Auszahlungsknoten. Sie gehen (mit der Natur) von unten, vom grünen Knoten, NACH OBEN durch den Baum bis zu einem Auszahlungsknoten. Alles Weitere steht in der schriftlichen Anleitung, die Sie erhalten haben.</translation>
    </message>
    <message>
        <source>You will have one attempt. Click here to start.</source>
        <translation>Sie haben einen Versuch. Hier klicken, um zu beginnen.</translation>
    </message>
    <message>
        <source>You will have %1 attempts. Click here to start.</source>
        <translation>Sie haben %1 Versuche. Hier klicken, um zu beginnen.</translation>
    </message>
    <message>
        <source>This is your only attempt. You will be paid the payoff of this attempt.</source>
        <translation>Dies ist Ihr einziger Versuch. Sie erhalten seine Auszahlung.</translation>
    </message>
    <message>
        <source>This is attempt number %1 out of a total of %2 attempts.</source>
        <translation>Dies ist Versuch %1 von insgesamt %2 Versuchen.</translation>
    </message>
    <message>
        <source>You have %1 attempts left.  Click here to continue.</source>
        <translation>Sie haben noch %1 Versuche.  Hier klicken, um weiterzumachen.</translation>
    </message>
    <message>
        <source>Your next attempt is your last attempt.  Click here to continue.</source>
        <translation>Ihr nächster Versuch ist der letzte.  Hier klicken, um weiterzumachen.</translation>
    </message>
    <message>
        <source>Your payoff is %1.</source>
        <extracomment>%1 is the payoff as the payoff texts show it.</extracomment>
        <translation>Ihre Auszahlung beträgt %1.</translation>
    </message>
    <message>
        <source>, </source>
        <extracomment>Between two payoffs of the list, before the last two.</extracomment>
        <translation>, </translation>
    </message>
    <message>
        <source> and </source>
        <extracomment>Between the last two payoffs of the list, blanks included.</extracomment>
        <translation> und </translation>
    </message>
    <message>
        <source>Your payoff is a randomly chosen one of %1.</source>
        <extracomment>%1 is the list of the attempts&apos; payoffs.</extracomment>
        <translation>Ihre Auszahlung ist zufällig eine von %1.</translation>
    </message>
</context>
<context>
    <name>PayoffFile</name>
    <message>
        <source>-£%1</source>
        <comment>loss</comment>
        <extracomment>%1 is the amount lost, in digits.</extracomment>
        <translation>-%1 €</translation>
    </message>
    <message>
        <source>£%1</source>
        <comment>zero</comment>
        <extracomment>%1 is 0.</extracomment>
        <translation>%1 €</translation>
    </message>
    <message>
        <source>£%1</source>
        <comment>gain</comment>
        <extracomment>%1 is the amount won, in digits.</extracomment>
        <translation>%1 €</translation>
    </message>
</context>
<context>
    <name>QPlatformTheme</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>TreeTexts</name>
    <message>
        <source>This is node number %1 at the first chance level.</source>
        <translation>Knoten %1 der ersten Zufallsebene.</translation>
    </message>
    <message>
        <source>This is node number %1 at the second decision level.</source>
        <translation>Knoten %1 der zweiten Entscheidungsebene.</translation>
    </message>
    <message>
        <source>This is node number %1 at the second chance level.</source>
        <translation>Knoten %1 der zweiten Zufallsebene.</translation>
    </message>
    <message>
        <source>This is node number %1 at the third decision level.</source>
        <translation>Knoten %1 der dritten Entscheidungsebene.</translation>
    </message>
    <message>
        <source>This is node number %1 at the third chance level.</source>
        <translation>Knoten %1 der dritten Zufallsebene.</translation>
    </message>
    <message>
        <source>This is node number %1 at the payoff level.</source>
        <translation>Knoten %1 der Auszahlungsebene.</translation>
    </message>
    <message>
        <source>Chance node %1 at the first chance level</source>
        <translation>Zufallsknoten %1 der ersten Zufallsebene</translation>
    </message>
    <message>
        <source>Decision node %1 at the second decision level</source>
        <translation>Entscheidungsknoten %1 der zweiten Entscheidungsebene</translation>
    </message>
    <message>
        <source>Chance node %1 at the second chance level</source>
        <translation>Zufallsknoten %1 der zweiten Zufallsebene</translation>
    </message>
    <message>
        <source>Decision node %1 at the third decision level</source>
        <translation>Entscheidungsknoten %1 der dritten Entscheidungsebene</translation>
    </message>
    <message>
        <source>Chance node %1 at the third chance level</source>
        <translation>Zufallsknoten %1 der dritten Zufallsebene</translation>
    </message>
    <message>
        <source>Payoff node %1 of 64</source>
        <translation>Auszahlungsknoten %1 von 64</translation>
    </message>
    <message>
        <source>This is a decision node. Click to open the Notepad.</source>
        <translation>Ein Entscheidungsknoten. Klicken öffnet den Notizblock.</translation>
    </message>
    <message>
        <source>This is a chance node. Click to open the Notepad.</source>
        <translation>Ein Zufallsknoten. Klicken öffnet den Notizblock.</translation>
    </message>
    <message>
        <source>The currently white node is a DECISION node.</source>
        <translation>Der weiße Knoten ist ein ENTSCHEIDUNGSknoten.</translation>
    </message>
    <message>
        <source>The currently white node is a CHANCE node.</source>
        <translation>Der weiße Knoten ist ein ZUFALLSknoten.</translation>
    </message>
    <message>
        <source>This is a payoff node. Click to see the payoff.</source>
        <translation>Ein Auszahlungsknoten. Klicken zeigt die Auszahlung.</translation>
    </message>
    <message>
        <source>This is the only node at the first decision level.</source>
        <translation>Der einzige Knoten der ersten Entscheidungsebene.</translation>
    </message>
    <message>
        <source>Decision node, the only node at the first decision level</source>
        <translation>Entscheidungsknoten, der einzige der ersten Entscheidungsebene</translation>
    </message>
    <message>
        <source>You have just moved left.</source>
        <translation>Sie sind nach links gegangen.</translation>
    </message>
    <message>
        <source>You have just moved right.</source>
        <translation>Sie sind nach rechts gegangen.</translation>
    </message>
    <message>
        <source>Nature has chosen Left. Click OK to continue...</source>
        <translation>Die Natur hat Links gewählt. Klicken Sie auf OK, um weiterzumachen ...</translation>
    </message>
    <message>
        <source>Nature has chosen Right. Click OK to continue...</source>
        <translation>Die Natur hat Rechts gewählt. Klicken Sie auf OK, um weiterzumachen ...</translation>
    </message>
    <message>
        <source>Nature has chosen Left. Click to find the realised payoff.</source>
        <translation>Die Natur hat Links gewählt. Klicken Sie, um die erzielte Auszahlung zu sehen.</translation>
    </message>
    <message>
        <source>Nature has chosen Right. Click to find the realised payoff.</source>
        <translation>Die Natur hat Rechts gewählt. Klicken Sie, um die erzielte Auszahlung zu sehen.</translation>
    </message>
    <message>
        <source>Nature &apos;s Move</source>
        <extracomment>The title of the box after Nature&apos;s move at the first and second chance levels.</extracomment>
        <translation>Zug der Natur</translation>
    </message>
    <message>
        <source>Nature&apos;s move</source>
        <translation>Zug der Natur</translation>
    </message>
    <message>
        <source>Nature has chosen Left.</source>
        <translation>Die Natur hat Links gewählt.</translation>
    </message>
    <message>
        <source>Nature has chosen Right.</source>
        <translation>Die Natur hat Rechts gewählt.</translation>
    </message>
    <message>
        <source>The realised Payoff is %1.</source>
        <extracomment>%1 is the payoff as the payoff texts show it.</extracomment>
        <translation>Ihre Auszahlung: %1.</translation>
    </message>
    <message>
        <source>The realised payoff is %1</source>
        <extracomment>%1 is the payoff as the payoff texts show it; no full stop follows.</extracomment>
        <translation>Ihre erzielte Auszahlung beträgt %1</translation>
    </message>
    <message>
        <source>Payoff</source>
        <translation>Auszahlung</translation>
    </message>
    <message>
        <source>The PAYOFF at the currently white node is %1.</source>
        <extracomment>%1 is the payoff as the payoff texts show it.</extracomment>
        <translation>AUSZAHLUNG am weißen Knoten: %1.</translation>
    </message>
    <message>
        <source>Click on any payoff (yellow) node to find the payoff at that node.</source>
        <translation>Klicken Sie auf einen gelben Knoten, um seine Auszahlung zu sehen.</translation>
    </message>
</context>
<context>
    <name>TreeWindow</name>
    <message>
        <source>Decision Tree</source>
        <translation>Entscheidungsbaum</translation>
    </message>
</context>
</TS>
