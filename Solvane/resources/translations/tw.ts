<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW">
<context>
    <name>AboutDialog</name>
    <message>
        <source>About</source>
        <translation>關於</translation>
    </message>
    <message>
        <source>Solvane Manager</source>
        <translation>Solvane 管理軟體</translation>
    </message>
    <message>
        <source>Contact KVR</source>
        <translation>聯絡 KVR</translation>
    </message>
    <message>
        <source>Tel: +1 555 0142</source>
        <translation>電話：+1 555 0142</translation>
    </message>
    <message>
        <source>Fax: +1 555 0143</source>
        <translation>傳真：+1 555 0143</translation>
    </message>
    <message>
        <source>E-mail: sales@kvr.example.com</source>
        <translation>電子郵件：sales@kvr.example.com</translation>
    </message>
    <message>
        <source>Add: 12 Lumen Way, Riverton, OR 97000</source>
        <translation>地址：12 Lumen Way, Riverton, OR 97000</translation>
    </message>
    <message>
        <source>URL: kvr.example.com/company/contact-kvr</source>
        <translation>網址：kvr.example.com/company/contact-kvr</translation>
    </message>
</context>
<context>
    <name>CompareDialog</name>
    <message>
        <source>Compare</source>
        <translation>比較</translation>
    </message>
    <message>
        <source>Mark differences to the first record above</source>
        <translation>標記與第一筆記錄的差異，閾值</translation>
    </message>
    <message>
        <source>Largest Δu&apos;v&apos; to the first record that is not marked</source>
        <translation>與第一筆記錄之差不予標記的最大 Δu&apos;v&apos;</translation>
    </message>
    <message>
        <source>Largest difference in Tcp to the first record that is not marked; also judges the mired row</source>
        <translation>與第一筆記錄之差不予標記的最大 Tcp 差值；邁爾德列也依此判斷</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>複製</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>匯出</translation>
    </message>
    <message>
        <source>▲ A record differs from the first by more than the threshold. Δ: value of the record minus that of the first.</source>
        <translation>▲ 該記錄與第一筆記錄之差超過閾值。Δ：該記錄的值減去第一筆記錄的值。</translation>
    </message>
    <message>
        <source>Select two or more records in the stored data to compare them.</source>
        <translation>請在儲存資料中選取兩筆或更多記錄進行比較。</translation>
    </message>
    <message>
        <source>The first %1 of %2 selected records are compared.</source>
        <translation>已比較所選 %2 筆記錄中的前 %1 筆。</translation>
    </message>
    <message>
        <source>Δ to first</source>
        <translation>Δ 相對第一筆</translation>
    </message>
    <message>
        <source>%1 minus %2</source>
        <translation>%1 減去 %2</translation>
    </message>
</context>
<context>
    <name>ComparisonPlot</name>
    <message>
        <source>First %1 of %2 selected records shown</source>
        <translation>顯示所選 %2 筆記錄中的前 %1 筆</translation>
    </message>
</context>
<context>
    <name>LightQualityDialog</name>
    <message>
        <source>Light quality</source>
        <translation>光品質</translation>
    </message>
    <message>
        <source>No data selected</source>
        <translation>未選取資料</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>匯出</translation>
    </message>
    <message>
        <source>Colour rendition (ANSI/IES TM-30-20)</source>
        <translation>演色性 (ANSI/IES TM-30-20)</translation>
    </message>
    <message>
        <source>Colour temperature</source>
        <translation>色溫</translation>
    </message>
    <message>
        <source>Circadian (CIE S 026)</source>
        <translation>節律效應 (CIE S 026)</translation>
    </message>
    <message>
        <source>Melanopic EDI</source>
        <translation>黑視素 EDI</translation>
    </message>
    <message>
        <source>Melanopic DER</source>
        <translation>黑視素 DER</translation>
    </message>
    <message>
        <source>Plants</source>
        <translation>植物光照</translation>
    </message>
    <message>
        <source>Spectrum</source>
        <translation>光譜</translation>
    </message>
    <message>
        <source>Peak</source>
        <translation>峰值波長</translation>
    </message>
    <message>
        <source>FWHM</source>
        <translation>半高寬</translation>
    </message>
    <message>
        <source>Centroid</source>
        <translation>質心波長</translation>
    </message>
    <message>
        <source>Local fidelity Rf,h</source>
        <translation>色相區保真度 Rf,h</translation>
    </message>
    <message>
        <source>Local chroma shift Rcs,h (%)</source>
        <translation>色相區彩度偏移 Rcs,h (%)</translation>
    </message>
    <message>
        <source>Photon flux density by band (µmol·m⁻²·s⁻¹)</source>
        <translation>各波段光子通量密度 (µmol·m⁻²·s⁻¹)</translation>
    </message>
    <message>
        <source>Irradiance
mW/m²</source>
        <translation>輻照度
mW/m²</translation>
    </message>
    <message>
        <source>S-cone</source>
        <translation>S 視錐</translation>
    </message>
    <message>
        <source>M-cone</source>
        <translation>M 視錐</translation>
    </message>
    <message>
        <source>L-cone</source>
        <translation>L 視錐</translation>
    </message>
    <message>
        <source>Rhodopic</source>
        <translation>視桿</translation>
    </message>
    <message>
        <source>Melanopic</source>
        <translation>黑視素</translation>
    </message>
    <message>
        <source>Not meaningful: |Duv| is above 0.05, the light is too far from white. The TM-30 values are for information only.</source>
        <translation>無意義：|Duv| 大於 0.05，光色離白光太遠。TM-30 數值僅供參考。</translation>
    </message>
    <message>
        <source>Not meaningful: the nearest Planckian temperature lies outside 1000–25000 K. The TM-30 values are for information only.</source>
        <translation>無意義：最接近的普朗克色溫超出 1000–25000 K。TM-30 數值僅供參考。</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>藍</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>綠</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>紅</translation>
    </message>
    <message>
        <source>Far red</source>
        <translation>遠紅</translation>
    </message>
    <message>
        <source>The record&apos;s illuminance cannot be read, so its light quality cannot be computed.</source>
        <translation>無法讀取該記錄的照度，因此無法計算光品質。</translation>
    </message>
    <message>
        <source>The record has no complete spectrum of 401 intensities, so its light quality cannot be computed.</source>
        <translation>該記錄沒有完整的 401 點光譜，因此無法計算光品質。</translation>
    </message>
    <message>
        <source>The record&apos;s intensity at %1 nm cannot be read, so its light quality cannot be computed.</source>
        <translation>無法讀取該記錄在 %1 nm 處的強度，因此無法計算光品質。</translation>
    </message>
    <message>
        <source>The spectrum holds no light: every measure is undetermined.</source>
        <translation>光譜中沒有光：所有數值均無法確定。</translation>
    </message>
    <message>
        <source>The spectrum holds no visible light: only its shape can be given.</source>
        <translation>光譜中沒有可見光：只能給出光譜形狀。</translation>
    </message>
    <message>
        <source>The illuminance is not positive: the absolute quantities (α-opic irradiance and EDI, photon flux densities) cannot be given.</source>
        <translation>照度不為正：無法給出絕對量（α-opic 輻照度與 EDI、光子通量密度）。</translation>
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
        <translation>開啟</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>列印</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>說明</translation>
    </message>
    <message>
        <source>Contact</source>
        <translation>聯絡我們</translation>
    </message>
    <message>
        <source>About</source>
        <translation>關於</translation>
    </message>
    <message>
        <source>Stored Data</source>
        <translation>儲存資料</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>讀取</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>匯出</translation>
    </message>
    <message>
        <source>Test Data</source>
        <translation>測試資料</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>日期</translation>
    </message>
    <message>
        <source>Test Item:</source>
        <translation>測試項目：</translation>
    </message>
    <message>
        <source>No data selected</source>
        <translation>未選取資料</translation>
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
        <translation>類別</translation>
    </message>
    <message>
        <source>Item</source>
        <translation>項目</translation>
    </message>
    <message>
        <source>Conetent</source>
        <translation>內容</translation>
    </message>
    <message>
        <source>单位</source>
        <translation>單位</translation>
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
        <translation>相關色溫</translation>
    </message>
    <message>
        <source>CRI</source>
        <translation>演色指數</translation>
    </message>
    <message>
        <source>Peak</source>
        <translation>主波長</translation>
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
        <translation>光譜</translation>
    </message>
    <message>
        <source>Intensity Data</source>
        <translation>強度資料</translation>
    </message>
    <message>
        <source>WaveLength</source>
        <translation>波長</translation>
    </message>
    <message>
        <source>Intensity</source>
        <translation>強度</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>錯誤</translation>
    </message>
    <message>
        <source>No item is selected</source>
        <translation>未選取任何記錄。</translation>
    </message>
    <message>
        <source>Save file</source>
        <translation>儲存檔案</translation>
    </message>
    <message>
        <source>Data file(*.csv)</source>
        <translation>資料檔案 (*.csv)</translation>
    </message>
    <message>
        <source>Successful</source>
        <translation>成功</translation>
    </message>
    <message>
        <source>Succeeded in exporting data</source>
        <translation>資料匯出成功。</translation>
    </message>
    <message>
        <source>Failure</source>
        <translation>失敗</translation>
    </message>
    <message>
        <source>Fail to export data</source>
        <translation>資料匯出失敗。</translation>
    </message>
    <message>
        <source>Open file</source>
        <translation>開啟檔案</translation>
    </message>
    <message>
        <source>Fail to open the file</source>
        <translation>無法開啟該檔案。</translation>
    </message>
    <message>
        <source>No record to print. Read the meter or open a data file first.</source>
        <translation>沒有可列印的記錄。請先從儀器讀取資料或開啟資料檔案。</translation>
    </message>
    <message>
        <source>The selected record is incomplete and cannot be printed.</source>
        <translation>所選的記錄不完整，無法列印。</translation>
    </message>
    <message>
        <source>The user manual &quot;%1&quot; was not found.</source>
        <translation>找不到使用手冊 &quot;%1&quot;。</translation>
    </message>
    <message>
        <source>No application could open %1.</source>
        <translation>沒有可開啟 %1 的應用程式。</translation>
    </message>
    <message>
        <source>No web browser could open %1.</source>
        <translation>沒有可開啟 %1 的網頁瀏覽器。</translation>
    </message>
    <message>
        <source>Solvane could not restart itself. Start it again to use the chosen language.</source>
        <translation>Solvane 無法自動重新啟動。請重新啟動 Solvane 以使用所選的語言。</translation>
    </message>
    <message>
        <source>This file is not a Solvane data file.</source>
        <translation>此檔案不是 Solvane 資料檔。</translation>
    </message>
    <message>
        <source>Only files can be opened, not folders or devices.</source>
        <translation>只能開啟檔案，不能開啟資料夾或裝置。</translation>
    </message>
    <message>
        <source>This file is far larger than a Solvane data file can be.</source>
        <translation>此檔案遠大於 Solvane 資料檔可能的大小。</translation>
    </message>
    <message>
        <source>This file holds no records.</source>
        <translation>此檔案不含任何記錄。</translation>
    </message>
    <message>
        <source>The report could not be written to &quot;%1&quot;.</source>
        <translation>無法將報告寫入「%1」。</translation>
    </message>
    <message>
        <source>Light quality</source>
        <translation>光品質</translation>
    </message>
    <message>
        <source>%1 records read</source>
        <translation>已讀取 %1 筆記錄</translation>
    </message>
    <message>
        <source>The read-out was cancelled. The %1 records read before it are kept.</source>
        <translation>讀取已取消。已保留取消前讀取的 %1 筆記錄。</translation>
    </message>
    <message>
        <source>A read-out is running. Stop it and close Solvane? The records read so far will not be kept.</source>
        <translation>正在讀取儲存資料。要停止讀取並關閉 Solvane 嗎？已讀取的記錄將不會保留。</translation>
    </message>
    <message>
        <source>Exporting data…</source>
        <translation>正在匯出資料…</translation>
    </message>
    <message>
        <source>Opening the data file…</source>
        <translation>正在開啟資料檔案…</translation>
    </message>
    <message>
        <source>Compare the selected records side by side</source>
        <translation>並排比較所選記錄</translation>
    </message>
    <message>
        <source>Compare</source>
        <translation>比較</translation>
    </message>
    <message>
        <source>The scale of the spectra when several records are compared</source>
        <translation>比較多筆記錄時光譜的縱軸標度</translation>
    </message>
    <message>
        <source>Counts</source>
        <translation>計數值</translation>
    </message>
    <message>
        <source>Normalised</source>
        <translation>歸一化</translation>
    </message>
    <message>
        <source>The record &quot;%1&quot; is incomplete and cannot be printed. Nothing was printed.</source>
        <translation>記錄「%1」不完整，無法列印。未列印任何內容。</translation>
    </message>
    <message>
        <source>%1 records are selected. Print a report for each of them?</source>
        <translation>已選取 %1 筆記錄。要為每筆記錄列印一份報告嗎？</translation>
    </message>
    <message>
        <source>The report was saved as &quot;%1&quot;.</source>
        <translation>報告已儲存為「%1」。</translation>
    </message>
    <message>
        <source>The language could not be saved: &quot;%1&quot; is not writable.</source>
        <translation>無法儲存語言設定：&quot;%1&quot; 無法寫入。</translation>
    </message>
</context>
<context>
    <name>PrintSettingDlg</name>
    <message>
        <source>Print</source>
        <translation>列印</translation>
    </message>
    <message>
        <source>Company Information</source>
        <translation>公司資訊</translation>
    </message>
    <message>
        <source>Sample Information</source>
        <translation>樣品資訊</translation>
    </message>
    <message>
        <source>Print to PDF</source>
        <translation>列印為PDF</translation>
    </message>
    <message>
        <source>Print to Paper</source>
        <translation>列印到紙張</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>錯誤</translation>
    </message>
    <message>
        <source>The print information could not be saved for next time. The report is printed with it all the same.</source>
        <translation>無法儲存列印資訊以供下次使用。本次報告仍依所填資訊列印。</translation>
    </message>
    <message>
        <source>Light quality page</source>
        <translation>光品質頁</translation>
    </message>
</context>
<context>
    <name>RecordComparison</name>
    <message>
        <source>Tcp in mired</source>
        <translation>Tcp（邁爾德）</translation>
    </message>
    <message>
        <source>Nearest Planckian Tcp (K)</source>
        <translation>最近普朗克 Tcp (K)</translation>
    </message>
    <message>
        <source>Melanopic EDI (lx)</source>
        <translation>黑視素 EDI (lx)</translation>
    </message>
    <message>
        <source>Melanopic DER</source>
        <translation>黑視素 DER</translation>
    </message>
    <message>
        <source>Item</source>
        <translation>項目</translation>
    </message>
    <message>
        <source>Δ to first %1</source>
        <translation>Δ 相對第一筆 %1</translation>
    </message>
    <message>
        <source>Beyond threshold</source>
        <translation>超過閾值</translation>
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
