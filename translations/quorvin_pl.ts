<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl">
<context>
    <name></name>
    <message id="Add">
        <source></source>
        <translation>Dodaj</translation>
    </message>
    <message id="Subtract">
        <source></source>
        <translation>Odejmij</translation>
    </message>
    <message id="Multiply">
        <source></source>
        <translation>Pomnóż</translation>
    </message>
    <message id="Divide">
        <source></source>
        <translation>Podziel</translation>
    </message>
    <message id="Modulo">
        <source></source>
        <translation>Modulo</translation>
    </message>
    <message id="Equals">
        <source></source>
        <translation>Równa się</translation>
    </message>
    <message id="Shift left">
        <source></source>
        <translation>Przesuń w lewo</translation>
    </message>
    <message id="Shift left by one bit">
        <source></source>
        <translation>Przesuń o jeden bit w lewo</translation>
    </message>
    <message id="Shift right">
        <source></source>
        <translation>Przesuń w prawo</translation>
    </message>
    <message id="Shift right by one bit (keeps the sign)">
        <source></source>
        <translation>Przesuń o jeden bit w prawo (zachowuje znak)</translation>
    </message>
    <message id="Clear">
        <source></source>
        <translation>Wyczyść</translation>
    </message>
    <message id="Backspace">
        <source></source>
        <translation>Usuń ostatni znak</translation>
    </message>
    <message id="Toggle sign">
        <source></source>
        <translation>Zmień znak</translation>
    </message>
    <message id="Toggle the sign">
        <source></source>
        <translation>Zmień znak liczby</translation>
    </message>
    <message id="Left parenthesis">
        <source></source>
        <translation>Nawias otwierający</translation>
    </message>
    <message id="Right parenthesis">
        <source></source>
        <translation>Nawias zamykający</translation>
    </message>
    <message id="Copy">
        <source></source>
        <translation>Kopiuj</translation>
    </message>
    <message id="Copy the shown value">
        <source></source>
        <translation>Kopiuj wyświetlaną wartość</translation>
    </message>
    <message id="Paste">
        <source></source>
        <translation>Wklej</translation>
    </message>
    <message id="Paste: type the clipboard's text in the current base">
        <source></source>
        <translation>Wklej: wpisz tekst ze schowka w bieżącym systemie liczbowym</translation>
    </message>
    <message id="Hexadecimal">
        <source></source>
        <translation>Szesnastkowy</translation>
    </message>
    <message id="Decimal">
        <source></source>
        <translation>Dziesiętny</translation>
    </message>
    <message id="Binary">
        <source></source>
        <translation>Dwójkowy</translation>
    </message>
    <message id="Programmer calculator">
        <source></source>
        <translation>Kalkulator programisty</translation>
    </message>
</context>
</TS>
