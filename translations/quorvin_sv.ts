<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="sv">
<context>
    <name></name>
    <message id="Add">
        <source></source>
        <translation>Addera</translation>
    </message>
    <message id="Subtract">
        <source></source>
        <translation>Subtrahera</translation>
    </message>
    <message id="Multiply">
        <source></source>
        <translation>Multiplicera</translation>
    </message>
    <message id="Divide">
        <source></source>
        <translation>Dividera</translation>
    </message>
    <message id="Modulo">
        <source></source>
        <translation>Modulo</translation>
    </message>
    <message id="Equals">
        <source></source>
        <translation>Lika med</translation>
    </message>
    <message id="Shift left">
        <source></source>
        <translation>Skifta vänster</translation>
    </message>
    <message id="Shift left by one bit">
        <source></source>
        <translation>Skifta en bit åt vänster</translation>
    </message>
    <message id="Shift right">
        <source></source>
        <translation>Skifta höger</translation>
    </message>
    <message id="Shift right by one bit (keeps the sign)">
        <source></source>
        <translation>Skifta en bit åt höger (behåller tecknet)</translation>
    </message>
    <message id="Clear">
        <source></source>
        <translation>Rensa</translation>
    </message>
    <message id="Backspace">
        <source></source>
        <translation>Backsteg</translation>
    </message>
    <message id="Toggle sign">
        <source></source>
        <translation>Byt tecken</translation>
    </message>
    <message id="Toggle the sign">
        <source></source>
        <translation>Byt tecken på talet</translation>
    </message>
    <message id="Left parenthesis">
        <source></source>
        <translation>Vänsterparentes</translation>
    </message>
    <message id="Right parenthesis">
        <source></source>
        <translation>Högerparentes</translation>
    </message>
    <message id="Copy">
        <source></source>
        <translation>Kopiera</translation>
    </message>
    <message id="Copy the shown value">
        <source></source>
        <translation>Kopiera det visade värdet</translation>
    </message>
    <message id="Paste">
        <source></source>
        <translation>Klistra in</translation>
    </message>
    <message id="Paste: type the clipboard&#x27;s text in the current base">
        <source></source>
        <translation>Klistra in: skriv in urklippets text i den aktuella basen</translation>
    </message>
    <message id="Hexadecimal">
        <source></source>
        <translation>Hexadecimal</translation>
    </message>
    <message id="Decimal">
        <source></source>
        <translation>Decimal</translation>
    </message>
    <message id="Binary">
        <source></source>
        <translation>Binär</translation>
    </message>
    <message id="Programmer calculator">
        <source></source>
        <translation>Programmerarkalkylator</translation>
    </message>
</context>
</TS>
