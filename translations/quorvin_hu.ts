<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="hu">
<context>
    <name></name>
    <message id="Add">
        <source></source>
        <translation>Összeadás</translation>
    </message>
    <message id="Subtract">
        <source></source>
        <translation>Kivonás</translation>
    </message>
    <message id="Multiply">
        <source></source>
        <translation>Szorzás</translation>
    </message>
    <message id="Divide">
        <source></source>
        <translation>Osztás</translation>
    </message>
    <message id="Modulo">
        <source></source>
        <translation>Maradékos osztás</translation>
    </message>
    <message id="Equals">
        <source></source>
        <translation>Egyenlő</translation>
    </message>
    <message id="Shift left">
        <source></source>
        <translation>Eltolás balra</translation>
    </message>
    <message id="Shift left by one bit">
        <source></source>
        <translation>Eltolás balra egy bittel</translation>
    </message>
    <message id="Shift right">
        <source></source>
        <translation>Eltolás jobbra</translation>
    </message>
    <message id="Shift right by one bit (keeps the sign)">
        <source></source>
        <translation>Eltolás jobbra egy bittel (megtartja az előjelet)</translation>
    </message>
    <message id="Clear">
        <source></source>
        <translation>Törlés</translation>
    </message>
    <message id="Backspace">
        <source></source>
        <translation>Backspace</translation>
    </message>
    <message id="Toggle sign">
        <source></source>
        <translation>Előjelváltás</translation>
    </message>
    <message id="Toggle the sign">
        <source></source>
        <translation>Az előjel megváltoztatása</translation>
    </message>
    <message id="Left parenthesis">
        <source></source>
        <translation>Nyitó zárójel</translation>
    </message>
    <message id="Right parenthesis">
        <source></source>
        <translation>Záró zárójel</translation>
    </message>
    <message id="Copy">
        <source></source>
        <translation>Másolás</translation>
    </message>
    <message id="Copy the shown value">
        <source></source>
        <translation>A megjelenített érték másolása</translation>
    </message>
    <message id="Paste">
        <source></source>
        <translation>Beillesztés</translation>
    </message>
    <message id="Paste: type the clipboard&#x27;s text in the current base">
        <source></source>
        <translation>Beillesztés: a vágólap szövegének bevitele az aktuális számrendszerben</translation>
    </message>
    <message id="Hexadecimal">
        <source></source>
        <translation>Hexadecimális</translation>
    </message>
    <message id="Decimal">
        <source></source>
        <translation>Decimális</translation>
    </message>
    <message id="Binary">
        <source></source>
        <translation>Bináris</translation>
    </message>
    <message id="Programmer calculator">
        <source></source>
        <translation>Programozói számológép</translation>
    </message>
</context>
</TS>
