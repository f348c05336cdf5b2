<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja">
<context>
    <name></name>
    <message id="Add">
        <source></source>
        <translation>加算</translation>
    </message>
    <message id="Subtract">
        <source></source>
        <translation>減算</translation>
    </message>
    <message id="Multiply">
        <source></source>
        <translation>乗算</translation>
    </message>
    <message id="Divide">
        <source></source>
        <translation>除算</translation>
    </message>
    <message id="Modulo">
        <source></source>
        <translation>剰余</translation>
    </message>
    <message id="Equals">
        <source></source>
        <translation>イコール</translation>
    </message>
    <message id="Shift left">
        <source></source>
        <translation>左シフト</translation>
    </message>
    <message id="Shift left by one bit">
        <source></source>
        <translation>1ビット左へシフト</translation>
    </message>
    <message id="Shift right">
        <source></source>
        <translation>右シフト</translation>
    </message>
    <message id="Shift right by one bit (keeps the sign)">
        <source></source>
        <translation>1ビット右へシフト（符号を保持）</translation>
    </message>
    <message id="Clear">
        <source></source>
        <translation>クリア</translation>
    </message>
    <message id="Backspace">
        <source></source>
        <translation>バックスペース</translation>
    </message>
    <message id="Toggle sign">
        <source></source>
        <translation>符号反転</translation>
    </message>
    <message id="Toggle the sign">
        <source></source>
        <translation>符号を反転</translation>
    </message>
    <message id="Left parenthesis">
        <source></source>
        <translation>左括弧</translation>
    </message>
    <message id="Right parenthesis">
        <source></source>
        <translation>右括弧</translation>
    </message>
    <message id="Copy">
        <source></source>
        <translation>コピー</translation>
    </message>
    <message id="Copy the shown value">
        <source></source>
        <translation>表示中の値をコピー</translation>
    </message>
    <message id="Paste">
        <source></source>
        <translation>貼り付け</translation>
    </message>
    <message id="Paste: type the clipboard's text in the current base">
        <source></source>
        <translation>貼り付け: クリップボードのテキストを現在の基数で入力</translation>
    </message>
    <message id="Hexadecimal">
        <source></source>
        <translation>16進数</translation>
    </message>
    <message id="Decimal">
        <source></source>
        <translation>10進数</translation>
    </message>
    <message id="Binary">
        <source></source>
        <translation>2進数</translation>
    </message>
    <message id="Programmer calculator">
        <source></source>
        <translation>プログラマー電卓</translation>
    </message>
</context>
</TS>
