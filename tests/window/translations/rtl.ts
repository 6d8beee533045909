<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- A right-to-left test translation: Qt lays out right to left, and the options' texts are
     Hebrew. -->
<TS version="2.1" language="he" sourcelanguage="en">
<context>
    <name>QGuiApplication</name>
    <message>
        <source>QT_LAYOUT_DIRECTION</source>
        <translation>RTL</translation>
    </message>
</context>
<context>
    <name>Controls</name>
    <message>
        <source>Move Left</source>
        <translation>שמאלה</translation>
    </message>
    <message>
        <source>Move Right</source>
        <translation>ימינה</translation>
    </message>
</context>
</TS>
