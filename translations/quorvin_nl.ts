<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="nl">
<context>
    <name></name>
    <message id="Add">
        <source></source>
        <translation>Optellen</translation>
    </message>
    <message id="Subtract">
        <source></source>
        <translation>Aftrekken</translation>
    </message>
    <message id="Multiply">
        <source></source>
        <translation>Vermenigvuldigen</translation>
    </message>
    <message id="Divide">
        <source></source>
        <translation>Delen</translation>
    </message>
    <message id="Modulo">
        <source></source>
        <translation>Modulo</translation>
    </message>
    <message id="Equals">
        <source></source>
        <translation>Is gelijk aan</translation>
    </message>
    <message id="Shift left">
        <source></source>
        <translation>Naar links schuiven</translation>
    </message>
    <message id="Shift left by one bit">
        <source></source>
        <translation>Eén bit naar links schuiven</translation>
    </message>
    <message id="Shift right">
        <source></source>
        <translation>Naar rechts schuiven</translation>
    </message>
    <message id="Shift right by one bit (keeps the sign)">
        <source></source>
        <translation>Eén bit naar rechts schuiven (behoudt het teken)</translation>
    </message>
    <message id="Clear">
        <source></source>
        <translation>Wissen</translation>
    </message>
    <message id="Backspace">
        <source></source>
        <translation>Backspace</translation>
    </message>
    <message id="Toggle sign">
        <source></source>
        <translation>Teken omkeren</translation>
    </message>
    <message id="Toggle the sign">
        <source></source>
        <translation>Het teken omkeren</translation>
    </message>
    <message id="Left parenthesis">
        <source></source>
        <translation>Haakje openen</translation>
    </message>
    <message id="Right parenthesis">
        <source></source>
        <translation>Haakje sluiten</translation>
    </message>
    <message id="Copy">
        <source></source>
        <translation>Kopiëren</translation>
    </message>
    <message id="Copy the shown value">
        <source></source>
        <translation>De getoonde waarde kopiëren</translation>
    </message>
    <message id="Paste">
        <source></source>
        <translation>Plakken</translation>
    </message>
    <message id="Paste: type the clipboard&#x27;s text in the current base">
        <source></source>
        <translation>Plakken: de tekst van het klembord invoeren in het huidige talstelsel</translation>
    </message>
    <message id="Hexadecimal">
        <source></source>
        <translation>Hexadecimaal</translation>
    </message>
    <message id="Decimal">
        <source></source>
        <translation>Decimaal</translation>
    </message>
    <message id="Binary">
        <source></source>
        <translation>Binair</translation>
    </message>
    <message id="Programmer calculator">
        <source></source>
        <translation>Rekenmachine voor programmeurs</translation>
    </message>
</context>
</TS>
