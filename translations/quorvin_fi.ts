<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fi">
<context>
    <name></name>
    <message id="Add">
        <source></source>
        <translation>Yhteenlasku</translation>
    </message>
    <message id="Subtract">
        <source></source>
        <translation>Vähennyslasku</translation>
    </message>
    <message id="Multiply">
        <source></source>
        <translation>Kertolasku</translation>
    </message>
    <message id="Divide">
        <source></source>
        <translation>Jakolasku</translation>
    </message>
    <message id="Modulo">
        <source></source>
        <translation>Jakojäännös</translation>
    </message>
    <message id="Equals">
        <source></source>
        <translation>Yhtä kuin</translation>
    </message>
    <message id="Shift left">
        <source></source>
        <translation>Siirto vasemmalle</translation>
    </message>
    <message id="Shift left by one bit">
        <source></source>
        <translation>Siirrä yksi bitti vasemmalle</translation>
    </message>
    <message id="Shift right">
        <source></source>
        <translation>Siirto oikealle</translation>
    </message>
    <message id="Shift right by one bit (keeps the sign)">
        <source></source>
        <translation>Siirrä yksi bitti oikealle (säilyttää etumerkin)</translation>
    </message>
    <message id="Clear">
        <source></source>
        <translation>Tyhjennä</translation>
    </message>
    <message id="Backspace">
        <source></source>
        <translation>Askelpalautin</translation>
    </message>
    <message id="Toggle sign">
        <source></source>
        <translation>Vaihda etumerkki</translation>
    </message>
    <message id="Toggle the sign">
        <source></source>
        <translation>Vaihda luvun etumerkki</translation>
    </message>
    <message id="Left parenthesis">
        <source></source>
        <translation>Vasen sulkumerkki</translation>
    </message>
    <message id="Right parenthesis">
        <source></source>
        <translation>Oikea sulkumerkki</translation>
    </message>
    <message id="Copy">
        <source></source>
        <translation>Kopioi</translation>
    </message>
    <message id="Copy the shown value">
        <source></source>
        <translation>Kopioi näytetty arvo</translation>
    </message>
    <message id="Paste">
        <source></source>
        <translation>Liitä</translation>
    </message>
    <message id="Paste: type the clipboard&#x27;s text in the current base">
        <source></source>
        <translation>Liitä: syötä leikepöydän teksti nykyisessä lukujärjestelmässä</translation>
    </message>
    <message id="Hexadecimal">
        <source></source>
        <translation>Heksadesimaali</translation>
    </message>
    <message id="Decimal">
        <source></source>
        <translation>Desimaali</translation>
    </message>
    <message id="Binary">
        <source></source>
        <translation>Binääri</translation>
    </message>
    <message id="Programmer calculator">
        <source></source>
        <translation>Ohjelmoijan laskin</translation>
    </message>
</context>
</TS>
