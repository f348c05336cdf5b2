<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name></name>
    <message id="Add">
        <source></source>
        <translation>加</translation>
    </message>
    <message id="Subtract">
        <source></source>
        <translation>减</translation>
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
        <translation>取模</translation>
    </message>
    <message id="Equals">
        <source></source>
        <translation>等于</translation>
    </message>
    <message id="Shift left">
        <source></source>
        <translation>左移</translation>
    </message>
    <message id="Shift left by one bit">
        <source></source>
        <translation>左移一位</translation>
    </message>
    <message id="Shift right">
        <source></source>
        <translation>右移</translation>
    </message>
    <message id="Shift right by one bit (keeps the sign)">
        <source></source>
        <translation>右移一位（保留符号）</translation>
    </message>
    <message id="Clear">
        <source></source>
        <translation>清除</translation>
    </message>
    <message id="Backspace">
        <source></source>
        <translation>退格</translation>
    </message>
    <message id="Toggle sign">
        <source></source>
        <translation>切换正负号</translation>
    </message>
    <message id="Toggle the sign">
        <source></source>
        <translation>切换数值的正负号</translation>
    </message>
    <message id="Left parenthesis">
        <source></source>
        <translation>左括号</translation>
    </message>
    <message id="Right parenthesis">
        <source></source>
        <translation>右括号</translation>
    </message>
    <message id="Copy">
        <source></source>
        <translation>复制</translation>
    </message>
    <message id="Copy the shown value">
        <source></source>
        <translation>复制显示的值</translation>
    </message>
    <message id="Paste">
        <source></source>
        <translation>粘贴</translation>
    </message>
    <message id="Paste: type the clipboard's text in the current base">
        <source></source>
        <translation>粘贴：以当前进制输入剪贴板中的文本</translation>
    </message>
    <message id="Hexadecimal">
        <source></source>
        <translation>十六进制</translation>
    </message>
    <message id="Decimal">
        <source></source>
        <translation>十进制</translation>
    </message>
    <message id="Binary">
        <source></source>
        <translation>二进制</translation>
    </message>
    <message id="Programmer calculator">
        <source></source>
        <translation>程序员计算器</translation>
    </message>
</context>
</TS>
