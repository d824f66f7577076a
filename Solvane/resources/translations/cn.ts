<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>MainWindow</name>
    <message>
        <source>Solvane 1.0.2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>简体中文</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>繁體中文</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>English</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Contact</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stored Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Test Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Test Item:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No data selected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2°</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>10°</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ev</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>x</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>y</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>u&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>v&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tcp</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>△uv</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>X</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Y</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Z</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Λd</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ra</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>R1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>R2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>R3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>R4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>R5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>R6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>R7</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>R8</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>R9</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>R10</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>R11</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>R12</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>R13</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>R14</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>R15</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>note</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Item</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Conetent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>单位</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Iluminance</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>lx</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CCT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CRI</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Peak</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>λd</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>nm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CIE1931</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CIE1976</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tri-stimulus</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Chromatism</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Spectro</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Intensity Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>WaveLength</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Intensity</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
