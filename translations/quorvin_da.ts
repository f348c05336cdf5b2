<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="da">
<context>
    <name></name>
    <message id="Add">
        <source></source>
        <translation>Addér</translation>
    </message>
    <message id="Subtract">
        <source></source>
        <translation>Subtrahér</translation>
    </message>
    <message id="Multiply">
        <source></source>
        <translation>Multiplicér</translation>
    </message>
    <message id="Divide">
        <source></source>
        <translation>Dividér</translation>
    </message>
    <message id="Modulo">
        <source></source>
        <translation>Modulo</translation>
    </message>
    <message id="Equals">
        <source></source>
        <translation>Lig med</translation>
    </message>
    <message id="Shift left">
        <source></source>
        <translation>Skift til venstre</translation>
    </message>
    <message id="Shift left by one bit">
        <source></source>
        <translation>Skift én bit til venstre</translation>
    </message>
    <message id="Shift right">
        <source></source>
        <translation>Skift til højre</translation>
    </message>
    <message id="Shift right by one bit (keeps the sign)">
        <source></source>
        <translation>Skift én bit til højre (bevarer fortegnet)</translation>
    </message>
    <message id="Clear">
        <source></source>
        <translation>Ryd</translation>
    </message>
    <message id="Backspace">
        <source></source>
        <translation>Tilbage</translation>
    </message>
    <message id="Toggle sign">
        <source></source>
        <translation>Skift fortegn</translation>
    </message>
    <message id="Toggle the sign">
        <source></source>
        <translation>Skift tallets fortegn</translation>
    </message>
    <message id="Left parenthesis">
        <source></source>
        <translation>Venstre parentes</translation>
    </message>
    <message id="Right parenthesis">
        <source></source>
        <translation>Højre parentes</translation>
    </message>
    <message id="Copy">
        <source></source>
        <translation>Kopiér</translation>
    </message>
    <message id="Copy the shown value">
        <source></source>
        <translation>Kopiér den viste værdi</translation>
    </message>
    <message id="Paste">
        <source></source>
        <translation>Sæt ind</translation>
    </message>
    <message id="Paste: type the clipboard&#x27;s text in the current base">
        <source></source>
        <translation>Sæt ind: indtast udklipsholderens tekst i den aktuelle talbase</translation>
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
        <translation>Binær</translation>
    </message>
    <message id="Programmer calculator">
        <source></source>
        <translation>Lommeregner til programmører</translation>
    </message>
</context>
</TS>
