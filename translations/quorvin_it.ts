<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it">
<context>
    <name></name>
    <message id="Add">
        <source></source>
        <translation>Somma</translation>
    </message>
    <message id="Subtract">
        <source></source>
        <translation>Sottrai</translation>
    </message>
    <message id="Multiply">
        <source></source>
        <translation>Moltiplica</translation>
    </message>
    <message id="Divide">
        <source></source>
        <translation>Dividi</translation>
    </message>
    <message id="Modulo">
        <source></source>
        <translation>Modulo</translation>
    </message>
    <message id="Equals">
        <source></source>
        <translation>Uguale</translation>
    </message>
    <message id="Shift left">
        <source></source>
        <translation>Sposta a sinistra</translation>
    </message>
    <message id="Shift left by one bit">
        <source></source>
        <translation>Sposta a sinistra di un bit</translation>
    </message>
    <message id="Shift right">
        <source></source>
        <translation>Sposta a destra</translation>
    </message>
    <message id="Shift right by one bit (keeps the sign)">
        <source></source>
        <translation>Sposta a destra di un bit (mantiene il segno)</translation>
    </message>
    <message id="Clear">
        <source></source>
        <translation>Cancella</translation>
    </message>
    <message id="Backspace">
        <source></source>
        <translation>Cancella ultima cifra</translation>
    </message>
    <message id="Toggle sign">
        <source></source>
        <translation>Cambia segno</translation>
    </message>
    <message id="Toggle the sign">
        <source></source>
        <translation>Cambia il segno</translation>
    </message>
    <message id="Left parenthesis">
        <source></source>
        <translation>Parentesi aperta</translation>
    </message>
    <message id="Right parenthesis">
        <source></source>
        <translation>Parentesi chiusa</translation>
    </message>
    <message id="Copy">
        <source></source>
        <translation>Copia</translation>
    </message>
    <message id="Copy the shown value">
        <source></source>
        <translation>Copia il valore mostrato</translation>
    </message>
    <message id="Paste">
        <source></source>
        <translation>Incolla</translation>
    </message>
    <message id="Paste: type the clipboard's text in the current base">
        <source></source>
        <translation>Incolla: digita il testo degli appunti nella base corrente</translation>
    </message>
    <message id="Hexadecimal">
        <source></source>
        <translation>Esadecimale</translation>
    </message>
    <message id="Decimal">
        <source></source>
        <translation>Decimale</translation>
    </message>
    <message id="Binary">
        <source></source>
        <translation>Binario</translation>
    </message>
    <message id="Programmer calculator">
        <source></source>
        <translation>Calcolatrice per programmatori</translation>
    </message>
</context>
</TS>
