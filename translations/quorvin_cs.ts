<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="cs">
<context>
    <name></name>
    <message id="Add">
        <source></source>
        <translation>Sečíst</translation>
    </message>
    <message id="Subtract">
        <source></source>
        <translation>Odečíst</translation>
    </message>
    <message id="Multiply">
        <source></source>
        <translation>Vynásobit</translation>
    </message>
    <message id="Divide">
        <source></source>
        <translation>Vydělit</translation>
    </message>
    <message id="Modulo">
        <source></source>
        <translation>Modulo</translation>
    </message>
    <message id="Equals">
        <source></source>
        <translation>Rovná se</translation>
    </message>
    <message id="Shift left">
        <source></source>
        <translation>Posun doleva</translation>
    </message>
    <message id="Shift left by one bit">
        <source></source>
        <translation>Posunout o jeden bit doleva</translation>
    </message>
    <message id="Shift right">
        <source></source>
        <translation>Posun doprava</translation>
    </message>
    <message id="Shift right by one bit (keeps the sign)">
        <source></source>
        <translation>Posunout o jeden bit doprava (zachová znaménko)</translation>
    </message>
    <message id="Clear">
        <source></source>
        <translation>Smazat</translation>
    </message>
    <message id="Backspace">
        <source></source>
        <translation>Backspace</translation>
    </message>
    <message id="Toggle sign">
        <source></source>
        <translation>Změnit znaménko</translation>
    </message>
    <message id="Toggle the sign">
        <source></source>
        <translation>Změnit znaménko čísla</translation>
    </message>
    <message id="Left parenthesis">
        <source></source>
        <translation>Levá závorka</translation>
    </message>
    <message id="Right parenthesis">
        <source></source>
        <translation>Pravá závorka</translation>
    </message>
    <message id="Copy">
        <source></source>
        <translation>Kopírovat</translation>
    </message>
    <message id="Copy the shown value">
        <source></source>
        <translation>Kopírovat zobrazenou hodnotu</translation>
    </message>
    <message id="Paste">
        <source></source>
        <translation>Vložit</translation>
    </message>
    <message id="Paste: type the clipboard&#x27;s text in the current base">
        <source></source>
        <translation>Vložit: zadat text ze schránky v aktuální soustavě</translation>
    </message>
    <message id="Hexadecimal">
        <source></source>
        <translation>Šestnáctková</translation>
    </message>
    <message id="Decimal">
        <source></source>
        <translation>Desítková</translation>
    </message>
    <message id="Binary">
        <source></source>
        <translation>Dvojková</translation>
    </message>
    <message id="Programmer calculator">
        <source></source>
        <translation>Programátorská kalkulačka</translation>
    </message>
</context>
</TS>
