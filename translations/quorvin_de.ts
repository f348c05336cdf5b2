<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name></name>
    <message id="Add">
        <source></source>
        <translation>Addieren</translation>
    </message>
    <message id="Subtract">
        <source></source>
        <translation>Subtrahieren</translation>
    </message>
    <message id="Multiply">
        <source></source>
        <translation>Multiplizieren</translation>
    </message>
    <message id="Divide">
        <source></source>
        <translation>Dividieren</translation>
    </message>
    <message id="Modulo">
        <source></source>
        <translation>Modulo</translation>
    </message>
    <message id="Equals">
        <source></source>
        <translation>Gleich</translation>
    </message>
    <message id="Shift left">
        <source></source>
        <translation>Nach links schieben</translation>
    </message>
    <message id="Shift left by one bit">
        <source></source>
        <translation>Um ein Bit nach links schieben</translation>
    </message>
    <message id="Shift right">
        <source></source>
        <translation>Nach rechts schieben</translation>
    </message>
    <message id="Shift right by one bit (keeps the sign)">
        <source></source>
        <translation>Um ein Bit nach rechts schieben (behält das Vorzeichen)</translation>
    </message>
    <message id="Clear">
        <source></source>
        <translation>Löschen</translation>
    </message>
    <message id="Backspace">
        <source></source>
        <translation>Rücktaste</translation>
    </message>
    <message id="Toggle sign">
        <source></source>
        <translation>Vorzeichen wechseln</translation>
    </message>
    <message id="Toggle the sign">
        <source></source>
        <translation>Das Vorzeichen wechseln</translation>
    </message>
    <message id="Left parenthesis">
        <source></source>
        <translation>Klammer auf</translation>
    </message>
    <message id="Right parenthesis">
        <source></source>
        <translation>Klammer zu</translation>
    </message>
    <message id="Copy">
        <source></source>
        <translation>Kopieren</translation>
    </message>
    <message id="Copy the shown value">
        <source></source>
        <translation>Den angezeigten Wert kopieren</translation>
    </message>
    <message id="Paste">
        <source></source>
        <translation>Einfügen</translation>
    </message>
    <message id="Paste: type the clipboard's text in the current base">
        <source></source>
        <translation>Einfügen: den Text der Zwischenablage in der aktuellen Basis eingeben</translation>
    </message>
    <message id="Hexadecimal">
        <source></source>
        <translation>Hexadezimal</translation>
    </message>
    <message id="Decimal">
        <source></source>
        <translation>Dezimal</translation>
    </message>
    <message id="Binary">
        <source></source>
        <translation>Binär</translation>
    </message>
    <message id="Programmer calculator">
        <source></source>
        <translation>Programmierer-Rechner</translation>
    </message>
</context>
</TS>
