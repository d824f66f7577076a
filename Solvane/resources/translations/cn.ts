<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>AboutDialog</name>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>Solvane Manager</source>
        <translation>Solvane 管理软件</translation>
    </message>
    <message>
        <source>Contact KVR</source>
        <translation>联系 KVR</translation>
    </message>
    <message>
        <source>Tel: +1 555 0142</source>
        <translation>电话：+1 555 0142</translation>
    </message>
    <message>
        <source>Fax: +1 555 0143</source>
        <translation>传真：+1 555 0143</translation>
    </message>
    <message>
        <source>E-mail: sales@kvr.example.com</source>
        <translation>电子邮件：sales@kvr.example.com</translation>
    </message>
    <message>
        <source>Add: 12 Lumen Way, Riverton, OR 97000</source>
        <translation>地址：12 Lumen Way, Riverton, OR 97000</translation>
    </message>
    <message>
        <source>URL: kvr.example.com/company/contact-kvr</source>
        <translation>网址：kvr.example.com/company/contact-kvr</translation>
    </message>
</context>
<context>
    <name>CompareDialog</name>
    <message>
        <source>Compare</source>
        <translation>比较</translation>
    </message>
    <message>
        <source>Mark differences to the first record above</source>
        <translation>标记与第一条记录的差异，阈值</translation>
    </message>
    <message>
        <source>Largest Δu&apos;v&apos; to the first record that is not marked</source>
        <translation>与第一条记录之差不予标记的最大 Δu&apos;v&apos;</translation>
    </message>
    <message>
        <source>Largest difference in Tcp to the first record that is not marked; also judges the mired row</source>
        <translation>与第一条记录之差不予标记的最大 Tcp 差值；迈尔德行也按此判断</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>复制</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>导出</translation>
    </message>
    <message>
        <source>▲ A record differs from the first by more than the threshold. Δ: value of the record minus that of the first.</source>
        <translation>▲ 该记录与第一条记录之差超过阈值。Δ：该记录的值减去第一条记录的值。</translation>
    </message>
    <message>
        <source>Select two or more records in the stored data to compare them.</source>
        <translation>请在存储数据中选择两条或更多记录进行比较。</translation>
    </message>
    <message>
        <source>The first %1 of %2 selected records are compared.</source>
        <translation>已比较所选 %2 条记录中的前 %1 条。</translation>
    </message>
    <message>
        <source>Δ to first</source>
        <translation>Δ 相对第一条</translation>
    </message>
    <message>
        <source>%1 minus %2</source>
        <translation>%1 减去 %2</translation>
    </message>
</context>
<context>
    <name>ComparisonPlot</name>
    <message>
        <source>First %1 of %2 selected records shown</source>
        <translation>显示所选 %2 条记录中的前 %1 条</translation>
    </message>
</context>
<context>
    <name>LightQualityDialog</name>
    <message>
        <source>Light quality</source>
        <translation>光品质</translation>
    </message>
    <message>
        <source>No data selected</source>
        <translation>未选择数据</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>导出</translation>
    </message>
    <message>
        <source>Colour rendition (ANSI/IES TM-30-20)</source>
        <translation>显色性 (ANSI/IES TM-30-20)</translation>
    </message>
    <message>
        <source>Colour temperature</source>
        <translation>色温</translation>
    </message>
    <message>
        <source>Circadian (CIE S 026)</source>
        <translation>节律效应 (CIE S 026)</translation>
    </message>
    <message>
        <source>Melanopic EDI</source>
        <translation>黑视素 EDI</translation>
    </message>
    <message>
        <source>Melanopic DER</source>
        <translation>黑视素 DER</translation>
    </message>
    <message>
        <source>Plants</source>
        <translation>植物光照</translation>
    </message>
    <message>
        <source>Spectrum</source>
        <translation>光谱</translation>
    </message>
    <message>
        <source>Peak</source>
        <translation>峰值波长</translation>
    </message>
    <message>
        <source>FWHM</source>
        <translation>半高宽</translation>
    </message>
    <message>
        <source>Centroid</source>
        <translation>质心波长</translation>
    </message>
    <message>
        <source>Local fidelity Rf,h</source>
        <translation>色相区保真度 Rf,h</translation>
    </message>
    <message>
        <source>Local chroma shift Rcs,h (%)</source>
        <translation>色相区饱和度偏移 Rcs,h (%)</translation>
    </message>
    <message>
        <source>Photon flux density by band (µmol·m⁻²·s⁻¹)</source>
        <translation>各波段光子通量密度 (µmol·m⁻²·s⁻¹)</translation>
    </message>
    <message>
        <source>Irradiance
mW/m²</source>
        <translation>辐照度
mW/m²</translation>
    </message>
    <message>
        <source>S-cone</source>
        <translation>S 视锥</translation>
    </message>
    <message>
        <source>M-cone</source>
        <translation>M 视锥</translation>
    </message>
    <message>
        <source>L-cone</source>
        <translation>L 视锥</translation>
    </message>
    <message>
        <source>Rhodopic</source>
        <translation>视杆</translation>
    </message>
    <message>
        <source>Melanopic</source>
        <translation>黑视素</translation>
    </message>
    <message>
        <source>Not meaningful: |Duv| is above 0.05, the light is too far from white. The TM-30 values are for information only.</source>
        <translation>无意义：|Duv| 大于 0.05，光色离白光太远。TM-30 数值仅供参考。</translation>
    </message>
    <message>
        <source>Not meaningful: the nearest Planckian temperature lies outside 1000–25000 K. The TM-30 values are for information only.</source>
        <translation>无意义：最接近的普朗克色温超出 1000–25000 K。TM-30 数值仅供参考。</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>蓝</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>绿</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>红</translation>
    </message>
    <message>
        <source>Far red</source>
        <translation>远红</translation>
    </message>
    <message>
        <source>The record&apos;s illuminance cannot be read, so its light quality cannot be computed.</source>
        <translation>无法读取该记录的照度，因此无法计算光品质。</translation>
    </message>
    <message>
        <source>The record has no complete spectrum of 401 intensities, so its light quality cannot be computed.</source>
        <translation>该记录没有完整的 401 点光谱，因此无法计算光品质。</translation>
    </message>
    <message>
        <source>The record&apos;s intensity at %1 nm cannot be read, so its light quality cannot be computed.</source>
        <translation>无法读取该记录在 %1 nm 处的强度，因此无法计算光品质。</translation>
    </message>
    <message>
        <source>The spectrum holds no light: every measure is undetermined.</source>
        <translation>光谱中没有光：所有数值均无法确定。</translation>
    </message>
    <message>
        <source>The spectrum holds no visible light: only its shape can be given.</source>
        <translation>光谱中没有可见光：只能给出光谱形状。</translation>
    </message>
    <message>
        <source>The illuminance is not positive: the absolute quantities (α-opic irradiance and EDI, photon flux densities) cannot be given.</source>
        <translation>照度不为正：无法给出绝对量（α-opic 辐照度与 EDI、光子通量密度）。</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Solvane 1.0.2</source>
        <translation>Solvane 1.0.2</translation>
    </message>
    <message>
        <source>简体中文</source>
        <translation>简体中文</translation>
    </message>
    <message>
        <source>繁體中文</source>
        <translation>繁體中文</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>打印</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>帮助</translation>
    </message>
    <message>
        <source>Contact</source>
        <translation>联系我们</translation>
    </message>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>Stored Data</source>
        <translation>存储数据</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>读取</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>导出</translation>
    </message>
    <message>
        <source>Test Data</source>
        <translation>测试数据</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>日期</translation>
    </message>
    <message>
        <source>Test Item:</source>
        <translation>测试项目：</translation>
    </message>
    <message>
        <source>No data selected</source>
        <translation>未选择数据</translation>
    </message>
    <message>
        <source>2°</source>
        <translation>2°</translation>
    </message>
    <message>
        <source>10°</source>
        <translation>10°</translation>
    </message>
    <message>
        <source>Ev</source>
        <translation>Ev</translation>
    </message>
    <message>
        <source>x</source>
        <translation>x</translation>
    </message>
    <message>
        <source>y</source>
        <translation>y</translation>
    </message>
    <message>
        <source>u&apos;</source>
        <translation>u&apos;</translation>
    </message>
    <message>
        <source>v&apos;</source>
        <translation>v&apos;</translation>
    </message>
    <message>
        <source>Tcp</source>
        <translation>Tcp</translation>
    </message>
    <message>
        <source>△uv</source>
        <translation>△uv</translation>
    </message>
    <message>
        <source>X</source>
        <translation>X</translation>
    </message>
    <message>
        <source>Y</source>
        <translation>Y</translation>
    </message>
    <message>
        <source>Z</source>
        <translation>Z</translation>
    </message>
    <message>
        <source>Λd</source>
        <translation>λd</translation>
    </message>
    <message>
        <source>Ra</source>
        <translation>Ra</translation>
    </message>
    <message>
        <source>R1</source>
        <translation>R1</translation>
    </message>
    <message>
        <source>R2</source>
        <translation>R2</translation>
    </message>
    <message>
        <source>R3</source>
        <translation>R3</translation>
    </message>
    <message>
        <source>R4</source>
        <translation>R4</translation>
    </message>
    <message>
        <source>R5</source>
        <translation>R5</translation>
    </message>
    <message>
        <source>R6</source>
        <translation>R6</translation>
    </message>
    <message>
        <source>R7</source>
        <translation>R7</translation>
    </message>
    <message>
        <source>R8</source>
        <translation>R8</translation>
    </message>
    <message>
        <source>R9</source>
        <translation>R9</translation>
    </message>
    <message>
        <source>R10</source>
        <translation>R10</translation>
    </message>
    <message>
        <source>R11</source>
        <translation>R11</translation>
    </message>
    <message>
        <source>R12</source>
        <translation>R12</translation>
    </message>
    <message>
        <source>R13</source>
        <translation>R13</translation>
    </message>
    <message>
        <source>R14</source>
        <translation>R14</translation>
    </message>
    <message>
        <source>R15</source>
        <translation>R15</translation>
    </message>
    <message>
        <source>note</source>
        <translation>类别</translation>
    </message>
    <message>
        <source>Item</source>
        <translation>项目</translation>
    </message>
    <message>
        <source>Conetent</source>
        <translation>内容</translation>
    </message>
    <message>
        <source>单位</source>
        <translation>计量单位</translation>
    </message>
    <message>
        <source>Iluminance</source>
        <translation>照度</translation>
    </message>
    <message>
        <source>lx</source>
        <translation>lx</translation>
    </message>
    <message>
        <source>CCT</source>
        <translation>相关色温</translation>
    </message>
    <message>
        <source>CRI</source>
        <translation>显色指数</translation>
    </message>
    <message>
        <source>Peak</source>
        <translation>主波长</translation>
    </message>
    <message>
        <source>λd</source>
        <translation>λd</translation>
    </message>
    <message>
        <source>nm</source>
        <translation>nm</translation>
    </message>
    <message>
        <source>CIE1931</source>
        <translation>CIE1931</translation>
    </message>
    <message>
        <source>CIE1976</source>
        <translation>CIE1976</translation>
    </message>
    <message>
        <source>Tri-stimulus</source>
        <translation>三刺激值</translation>
    </message>
    <message>
        <source>Chromatism</source>
        <translation>色偏差</translation>
    </message>
    <message>
        <source>Spectro</source>
        <translation>光谱</translation>
    </message>
    <message>
        <source>Intensity Data</source>
        <translation>强度数据</translation>
    </message>
    <message>
        <source>WaveLength</source>
        <translation>波长</translation>
    </message>
    <message>
        <source>Intensity</source>
        <translation>强度</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>No item is selected</source>
        <translation>未选择任何记录。</translation>
    </message>
    <message>
        <source>Save file</source>
        <translation>保存文件</translation>
    </message>
    <message>
        <source>Data file(*.csv)</source>
        <translation>数据文件 (*.csv)</translation>
    </message>
    <message>
        <source>Successful</source>
        <translation>成功</translation>
    </message>
    <message>
        <source>Succeeded in exporting data</source>
        <translation>数据导出成功。</translation>
    </message>
    <message>
        <source>Failure</source>
        <translation>失败</translation>
    </message>
    <message>
        <source>Fail to export data</source>
        <translation>数据导出失败。</translation>
    </message>
    <message>
        <source>Open file</source>
        <translation>打开文件</translation>
    </message>
    <message>
        <source>Fail to open the file</source>
        <translation>无法打开该文件。</translation>
    </message>
    <message>
        <source>No record to print. Read the meter or open a data file first.</source>
        <translation>没有可打印的记录。请先从仪器读取数据或打开数据文件。</translation>
    </message>
    <message>
        <source>The selected record is incomplete and cannot be printed.</source>
        <translation>所选记录不完整，无法打印。</translation>
    </message>
    <message>
        <source>The user manual &quot;%1&quot; was not found.</source>
        <translation>未找到用户手册 &quot;%1&quot;。</translation>
    </message>
    <message>
        <source>No application could open %1.</source>
        <translation>没有可以打开 %1 的应用程序。</translation>
    </message>
    <message>
        <source>No web browser could open %1.</source>
        <translation>没有可以打开 %1 的网页浏览器。</translation>
    </message>
    <message>
        <source>Solvane could not restart itself. Start it again to use the chosen language.</source>
        <translation>Solvane 无法自动重新启动。请重新启动 Solvane 以使用所选语言。</translation>
    </message>
    <message>
        <source>This file is not a Solvane data file.</source>
        <translation>此文件不是 Solvane 数据文件。</translation>
    </message>
    <message>
        <source>Only files can be opened, not folders or devices.</source>
        <translation>只能打开文件，不能打开文件夹或设备。</translation>
    </message>
    <message>
        <source>This file is far larger than a Solvane data file can be.</source>
        <translation>此文件远大于 Solvane 数据文件可能的大小。</translation>
    </message>
    <message>
        <source>This file holds no records.</source>
        <translation>此文件不含任何记录。</translation>
    </message>
    <message>
        <source>The report could not be written to &quot;%1&quot;.</source>
        <translation>无法将报告写入“%1”。</translation>
    </message>
    <message>
        <source>Light quality</source>
        <translation>光品质</translation>
    </message>
    <message>
        <source>%1 records read</source>
        <translation>已读取 %1 条记录</translation>
    </message>
    <message>
        <source>The read-out was cancelled. The %1 records read before it are kept.</source>
        <translation>读取已取消。已保留取消前读取的 %1 条记录。</translation>
    </message>
    <message>
        <source>A read-out is running. Stop it and close Solvane? The records read so far will not be kept.</source>
        <translation>正在读取存储数据。要停止读取并关闭 Solvane 吗？已读取的记录将不会保留。</translation>
    </message>
    <message>
        <source>Exporting data…</source>
        <translation>正在导出数据…</translation>
    </message>
    <message>
        <source>Opening the data file…</source>
        <translation>正在打开数据文件…</translation>
    </message>
    <message>
        <source>Compare the selected records side by side</source>
        <translation>并排比较所选记录</translation>
    </message>
    <message>
        <source>Compare</source>
        <translation>比较</translation>
    </message>
    <message>
        <source>The scale of the spectra when several records are compared</source>
        <translation>比较多条记录时光谱的纵轴标度</translation>
    </message>
    <message>
        <source>Counts</source>
        <translation>计数值</translation>
    </message>
    <message>
        <source>Normalised</source>
        <translation>归一化</translation>
    </message>
    <message>
        <source>The record &quot;%1&quot; is incomplete and cannot be printed. Nothing was printed.</source>
        <translation>记录“%1”不完整，无法打印。未打印任何内容。</translation>
    </message>
    <message>
        <source>%1 records are selected. Print a report for each of them?</source>
        <translation>已选择 %1 条记录。要为每条记录打印一份报告吗？</translation>
    </message>
    <message>
        <source>The report was saved as &quot;%1&quot;.</source>
        <translation>报告已保存为“%1”。</translation>
    </message>
    <message>
        <source>The language could not be saved: &quot;%1&quot; is not writable.</source>
        <translation>无法保存语言设置：&quot;%1&quot; 不可写入。</translation>
    </message>
</context>
<context>
    <name>PrintSettingDlg</name>
    <message>
        <source>Print</source>
        <translation>打印</translation>
    </message>
    <message>
        <source>Company Information</source>
        <translation>公司信息</translation>
    </message>
    <message>
        <source>Sample Information</source>
        <translation>样品信息</translation>
    </message>
    <message>
        <source>Print to PDF</source>
        <translation>打印为PDF</translation>
    </message>
    <message>
        <source>Print to Paper</source>
        <translation>打印到纸张</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>The print information could not be saved for next time. The report is printed with it all the same.</source>
        <translation>无法保存打印信息以供下次使用。本次报告仍按所填信息打印。</translation>
    </message>
    <message>
        <source>Light quality page</source>
        <translation>光品质页</translation>
    </message>
</context>
<context>
    <name>RecordComparison</name>
    <message>
        <source>Tcp in mired</source>
        <translation>Tcp（迈尔德）</translation>
    </message>
    <message>
        <source>Nearest Planckian Tcp (K)</source>
        <translation>最近普朗克 Tcp (K)</translation>
    </message>
    <message>
        <source>Melanopic EDI (lx)</source>
        <translation>黑视素 EDI (lx)</translation>
    </message>
    <message>
        <source>Melanopic DER</source>
        <translation>黑视素 DER</translation>
    </message>
    <message>
        <source>Item</source>
        <translation>项目</translation>
    </message>
    <message>
        <source>Δ to first %1</source>
        <translation>Δ 相对第一条 %1</translation>
    </message>
    <message>
        <source>Beyond threshold</source>
        <translation>超过阈值</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>日期</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>是</translation>
    </message>
    <message>
        <source>no</source>
        <translation>否</translation>
    </message>
</context>
</TS>
