<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- A translation that names no language. -->
<TS version="2.1">
<context>
    <name>Controls</name>
    <message>
        <source>Move Left</source>
        <translation>Nach links</translation>
    </message>
</context>
</TS>
