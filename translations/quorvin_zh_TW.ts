<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW">
<context>
    <name></name>
    <message id="Add">
        <source></source>
        <translation>加</translation>
    </message>
    <message id="Subtract">
        <source></source>
        <translation>減</translation>
    </message>
    <message id="Multiply">
        <source></source>
        <translation>乘</translation>
    </message>
    <message id="Divide">
        <source></source>
        <translation>除</translation>
    </message>
    <message id="Modulo">
        <source></source>
        <translation>取餘數</translation>
    </message>
    <message id="Equals">
        <source></source>
        <translation>等於</translation>
    </message>
    <message id="Shift left">
        <source></source>
        <translation>左移</translation>
    </message>
    <message id="Shift left by one bit">
        <source></source>
        <translation>左移一個位元</translation>
    </message>
    <message id="Shift right">
        <source></source>
        <translation>右移</translation>
    </message>
    <message id="Shift right by one bit (keeps the sign)">
        <source></source>
        <translation>右移一個位元（保留正負號）</translation>
    </message>
    <message id="Clear">
        <source></source>
        <translation>清除</translation>
    </message>
    <message id="Backspace">
        <source></source>
        <translation>Backspace</translation>
    </message>
    <message id="Toggle sign">
        <source></source>
        <translation>切換正負號</translation>
    </message>
    <message id="Toggle the sign">
        <source></source>
        <translation>切換數值的正負號</translation>
    </message>
    <message id="Left parenthesis">
        <source></source>
        <translation>左括號</translation>
    </message>
    <message id="Right parenthesis">
        <source></source>
        <translation>右括號</translation>
    </message>
    <message id="Copy">
        <source></source>
        <translation>複製</translation>
    </message>
    <message id="Copy the shown value">
        <source></source>
        <translation>複製顯示的值</translation>
    </message>
    <message id="Paste">
        <source></source>
        <translation>貼上</translation>
    </message>
    <message id="Paste: type the clipboard&#x27;s text in the current base">
        <source></source>
        <translation>貼上：以目前的進位制輸入剪貼簿中的文字</translation>
    </message>
    <message id="Hexadecimal">
        <source></source>
        <translation>十六進位</translation>
    </message>
    <message id="Decimal">
        <source></source>
        <translation>十進位</translation>
    </message>
    <message id="Binary">
        <source></source>
        <translation>二進位</translation>
    </message>
    <message id="Programmer calculator">
        <source></source>
        <translation>程式設計師計算機</translation>
    </message>
</context>
</TS>
