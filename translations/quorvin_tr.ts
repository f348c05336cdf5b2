<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="tr">
<context>
    <name></name>
    <message id="Add">
        <source></source>
        <translation>Topla</translation>
    </message>
    <message id="Subtract">
        <source></source>
        <translation>Çıkar</translation>
    </message>
    <message id="Multiply">
        <source></source>
        <translation>Çarp</translation>
    </message>
    <message id="Divide">
        <source></source>
        <translation>Böl</translation>
    </message>
    <message id="Modulo">
        <source></source>
        <translation>Mod</translation>
    </message>
    <message id="Equals">
        <source></source>
        <translation>Eşittir</translation>
    </message>
    <message id="Shift left">
        <source></source>
        <translation>Sola kaydır</translation>
    </message>
    <message id="Shift left by one bit">
        <source></source>
        <translation>Bir bit sola kaydır</translation>
    </message>
    <message id="Shift right">
        <source></source>
        <translation>Sağa kaydır</translation>
    </message>
    <message id="Shift right by one bit (keeps the sign)">
        <source></source>
        <translation>Bir bit sağa kaydır (işareti korur)</translation>
    </message>
    <message id="Clear">
        <source></source>
        <translation>Temizle</translation>
    </message>
    <message id="Backspace">
        <source></source>
        <translation>Geri sil</translation>
    </message>
    <message id="Toggle sign">
        <source></source>
        <translation>İşareti değiştir</translation>
    </message>
    <message id="Toggle the sign">
        <source></source>
        <translation>Sayının işaretini değiştir</translation>
    </message>
    <message id="Left parenthesis">
        <source></source>
        <translation>Sol parantez</translation>
    </message>
    <message id="Right parenthesis">
        <source></source>
        <translation>Sağ parantez</translation>
    </message>
    <message id="Copy">
        <source></source>
        <translation>Kopyala</translation>
    </message>
    <message id="Copy the shown value">
        <source></source>
        <translation>Gösterilen değeri kopyala</translation>
    </message>
    <message id="Paste">
        <source></source>
        <translation>Yapıştır</translation>
    </message>
    <message id="Paste: type the clipboard&#x27;s text in the current base">
        <source></source>
        <translation>Yapıştır: panodaki metni geçerli tabanda gir</translation>
    </message>
    <message id="Hexadecimal">
        <source></source>
        <translation>Onaltılık</translation>
    </message>
    <message id="Decimal">
        <source></source>
        <translation>Onluk</translation>
    </message>
    <message id="Binary">
        <source></source>
        <translation>İkilik</translation>
    </message>
    <message id="Programmer calculator">
        <source></source>
        <translation>Programcı hesap makinesi</translation>
    </message>
</context>
</TS>
