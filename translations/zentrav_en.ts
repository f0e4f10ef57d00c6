<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name></name>
    <message id="stopped">
        <source>stopped</source>
        <translation>Stopped</translation>
    </message>
</context>
</TS>
