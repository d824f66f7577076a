<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>AboutDialog</name>
    <message>
        <source>About</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Solvane Manager</source>
        <translation>Solvane Manager</translation>
    </message>
    <message>
        <source>Contact KVR</source>
        <translation>Contact KVR</translation>
    </message>
    <message>
        <source>Tel: +1 555 0142</source>
        <translation>Tel: +1 555 0142</translation>
    </message>
    <message>
        <source>Fax: +1 555 0143</source>
        <translation>Fax: +1 555 0143</translation>
    </message>
    <message>
        <source>E-mail: sales@kvr.example.com</source>
        <translation>E-mail: sales@kvr.example.com</translation>
    </message>
    <message>
        <source>Add: 12 Lumen Way, Riverton, OR 97000</source>
        <translation>Address: 12 Lumen Way, Riverton, OR 97000</translation>
    </message>
    <message>
        <source>URL: kvr.example.com/company/contact-kvr</source>
        <translation>URL: kvr.example.com/company/contact-kvr</translation>
    </message>
</context>
<context>
    <name>CompareDialog</name>
    <message>
        <source>Compare</source>
        <translation>Compare</translation>
    </message>
    <message>
        <source>Mark differences to the first record above</source>
        <translation>Mark differences to the first record above</translation>
    </message>
    <message>
        <source>Largest Δu&apos;v&apos; to the first record that is not marked</source>
        <translation>Largest Δu&apos;v&apos; to the first record that is not marked</translation>
    </message>
    <message>
        <source>Largest difference in Tcp to the first record that is not marked; also judges the mired row</source>
        <translation>Largest difference in Tcp to the first record that is not marked; also judges the mired row</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>▲ A record differs from the first by more than the threshold. Δ: value of the record minus that of the first.</source>
        <translation>▲ A record differs from the first by more than the threshold. Δ: value of the record minus that of the first.</translation>
    </message>
    <message>
        <source>Select two or more records in the stored data to compare them.</source>
        <translation>Select two or more records in the stored data to compare them.</translation>
    </message>
    <message>
        <source>The first %1 of %2 selected records are compared.</source>
        <translation>The first %1 of %2 selected records are compared.</translation>
    </message>
    <message>
        <source>Δ to first</source>
        <translation>Δ to first</translation>
    </message>
    <message>
        <source>%1 minus %2</source>
        <translation>%1 minus %2</translation>
    </message>
</context>
<context>
    <name>ComparisonPlot</name>
    <message>
        <source>First %1 of %2 selected records shown</source>
        <translation>First %1 of %2 selected records shown</translation>
    </message>
</context>
<context>
    <name>LightQualityDialog</name>
    <message>
        <source>Light quality</source>
        <translation>Light quality</translation>
    </message>
    <message>
        <source>No data selected</source>
        <translation>No data selected</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>Colour rendition (ANSI/IES TM-30-20)</source>
        <translation>Colour rendition (ANSI/IES TM-30-20)</translation>
    </message>
    <message>
        <source>Colour temperature</source>
        <translation>Colour temperature</translation>
    </message>
    <message>
        <source>Circadian (CIE S 026)</source>
        <translation>Circadian (CIE S 026)</translation>
    </message>
    <message>
        <source>Melanopic EDI</source>
        <translation>Melanopic EDI</translation>
    </message>
    <message>
        <source>Melanopic DER</source>
        <translation>Melanopic DER</translation>
    </message>
    <message>
        <source>Plants</source>
        <translation>Plants</translation>
    </message>
    <message>
        <source>Spectrum</source>
        <translation>Spectrum</translation>
    </message>
    <message>
        <source>Peak</source>
        <translation>Peak</translation>
    </message>
    <message>
        <source>FWHM</source>
        <translation>FWHM</translation>
    </message>
    <message>
        <source>Centroid</source>
        <translation>Centroid</translation>
    </message>
    <message>
        <source>Local fidelity Rf,h</source>
        <translation>Local fidelity Rf,h</translation>
    </message>
    <message>
        <source>Local chroma shift Rcs,h (%)</source>
        <translation>Local chroma shift Rcs,h (%)</translation>
    </message>
    <message>
        <source>Photon flux density by band (µmol·m⁻²·s⁻¹)</source>
        <translation>Photon flux density by band (µmol·m⁻²·s⁻¹)</translation>
    </message>
    <message>
        <source>Irradiance
mW/m²</source>
        <translation>Irradiance
mW/m²</translation>
    </message>
    <message>
        <source>S-cone</source>
        <translation>S-cone</translation>
    </message>
    <message>
        <source>M-cone</source>
        <translation>M-cone</translation>
    </message>
    <message>
        <source>L-cone</source>
        <translation>L-cone</translation>
    </message>
    <message>
        <source>Rhodopic</source>
        <translation>Rhodopic</translation>
    </message>
    <message>
        <source>Melanopic</source>
        <translation>Melanopic</translation>
    </message>
    <message>
        <source>Not meaningful: |Duv| is above 0.05, the light is too far from white. The TM-30 values are for information only.</source>
        <translation>Not meaningful: |Duv| is above 0.05, the light is too far from white. The TM-30 values are for information only.</translation>
    </message>
    <message>
        <source>Not meaningful: the nearest Planckian temperature lies outside 1000–25000 K. The TM-30 values are for information only.</source>
        <translation>Not meaningful: the nearest Planckian temperature lies outside 1000–25000 K. The TM-30 values are for information only.</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Blue</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Green</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Red</translation>
    </message>
    <message>
        <source>Far red</source>
        <translation>Far red</translation>
    </message>
    <message>
        <source>The record&apos;s illuminance cannot be read, so its light quality cannot be computed.</source>
        <translation>The record&apos;s illuminance cannot be read, so its light quality cannot be computed.</translation>
    </message>
    <message>
        <source>The record has no complete spectrum of 401 intensities, so its light quality cannot be computed.</source>
        <translation>The record has no complete spectrum of 401 intensities, so its light quality cannot be computed.</translation>
    </message>
    <message>
        <source>The record&apos;s intensity at %1 nm cannot be read, so its light quality cannot be computed.</source>
        <translation>The record&apos;s intensity at %1 nm cannot be read, so its light quality cannot be computed.</translation>
    </message>
    <message>
        <source>The spectrum holds no light: every measure is undetermined.</source>
        <translation>The spectrum holds no light: every measure is undetermined.</translation>
    </message>
    <message>
        <source>The spectrum holds no visible light: only its shape can be given.</source>
        <translation>The spectrum holds no visible light: only its shape can be given.</translation>
    </message>
    <message>
        <source>The illuminance is not positive: the absolute quantities (α-opic irradiance and EDI, photon flux densities) cannot be given.</source>
        <translation>The illuminance is not positive: the absolute quantities (α-opic irradiance and EDI, photon flux densities) cannot be given.</translation>
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
        <translation>Open</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Contact</source>
        <translation>Contact</translation>
    </message>
    <message>
        <source>About</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Stored Data</source>
        <translation>Stored Data</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>Test Data</source>
        <translation>Test Data</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Test Item:</source>
        <translation>Test Item:</translation>
    </message>
    <message>
        <source>No data selected</source>
        <translation>No data selected</translation>
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
        <translation>Group</translation>
    </message>
    <message>
        <source>Item</source>
        <translation>Item</translation>
    </message>
    <message>
        <source>Conetent</source>
        <translation>Content</translation>
    </message>
    <message>
        <source>单位</source>
        <translation>Unit</translation>
    </message>
    <message>
        <source>Iluminance</source>
        <translation>Illuminance</translation>
    </message>
    <message>
        <source>lx</source>
        <translation>lx</translation>
    </message>
    <message>
        <source>CCT</source>
        <translation>CCT</translation>
    </message>
    <message>
        <source>CRI</source>
        <translation>CRI</translation>
    </message>
    <message>
        <source>Peak</source>
        <translation>Dominant</translation>
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
        <translation>Tristimulus</translation>
    </message>
    <message>
        <source>Chromatism</source>
        <translation>Deviation</translation>
    </message>
    <message>
        <source>Spectro</source>
        <translation>Spectrum</translation>
    </message>
    <message>
        <source>Intensity Data</source>
        <translation>Intensity Data</translation>
    </message>
    <message>
        <source>WaveLength</source>
        <translation>Wavelength</translation>
    </message>
    <message>
        <source>Intensity</source>
        <translation>Intensity</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>No item is selected</source>
        <translation>No record is selected.</translation>
    </message>
    <message>
        <source>Save file</source>
        <translation>Save File</translation>
    </message>
    <message>
        <source>Data file(*.csv)</source>
        <translation>Data files (*.csv)</translation>
    </message>
    <message>
        <source>Successful</source>
        <translation>Success</translation>
    </message>
    <message>
        <source>Succeeded in exporting data</source>
        <translation>The data were exported.</translation>
    </message>
    <message>
        <source>Failure</source>
        <translation>Failure</translation>
    </message>
    <message>
        <source>Fail to export data</source>
        <translation>Could not export the data.</translation>
    </message>
    <message>
        <source>Open file</source>
        <translation>Open File</translation>
    </message>
    <message>
        <source>Fail to open the file</source>
        <translation>Could not open the file.</translation>
    </message>
    <message>
        <source>No record to print. Read the meter or open a data file first.</source>
        <translation>No record to print. Read the meter or open a data file first.</translation>
    </message>
    <message>
        <source>The selected record is incomplete and cannot be printed.</source>
        <translation>The selected record is incomplete and cannot be printed.</translation>
    </message>
    <message>
        <source>The user manual &quot;%1&quot; was not found.</source>
        <translation>The user manual &quot;%1&quot; was not found.</translation>
    </message>
    <message>
        <source>No application could open %1.</source>
        <translation>No application could open %1.</translation>
    </message>
    <message>
        <source>No web browser could open %1.</source>
        <translation>No web browser could open %1.</translation>
    </message>
    <message>
        <source>Solvane could not restart itself. Start it again to use the chosen language.</source>
        <translation>Solvane could not restart itself. Start it again to use the chosen language.</translation>
    </message>
    <message>
        <source>This file is not a Solvane data file.</source>
        <translation>This file is not a Solvane data file.</translation>
    </message>
    <message>
        <source>Only files can be opened, not folders or devices.</source>
        <translation>Only files can be opened, not folders or devices.</translation>
    </message>
    <message>
        <source>This file is far larger than a Solvane data file can be.</source>
        <translation>This file is far larger than a Solvane data file can be.</translation>
    </message>
    <message>
        <source>This file holds no records.</source>
        <translation>This file holds no records.</translation>
    </message>
    <message>
        <source>The report could not be written to &quot;%1&quot;.</source>
        <translation>The report could not be written to &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>Light quality</source>
        <translation>Light quality</translation>
    </message>
    <message>
        <source>%1 records read</source>
        <translation>%1 records read</translation>
    </message>
    <message>
        <source>The read-out was cancelled. The %1 records read before it are kept.</source>
        <translation>The read-out was cancelled. The %1 records read before it are kept.</translation>
    </message>
    <message>
        <source>A read-out is running. Stop it and close Solvane? The records read so far will not be kept.</source>
        <translation>A read-out is running. Stop it and close Solvane? The records read so far will not be kept.</translation>
    </message>
    <message>
        <source>Exporting data…</source>
        <translation>Exporting data…</translation>
    </message>
    <message>
        <source>Opening the data file…</source>
        <translation>Opening the data file…</translation>
    </message>
    <message>
        <source>Compare the selected records side by side</source>
        <translation>Compare the selected records side by side</translation>
    </message>
    <message>
        <source>Compare</source>
        <translation>Compare</translation>
    </message>
    <message>
        <source>The scale of the spectra when several records are compared</source>
        <translation>The scale of the spectra when several records are compared</translation>
    </message>
    <message>
        <source>Counts</source>
        <translation>Counts</translation>
    </message>
    <message>
        <source>Normalised</source>
        <translation>Normalised</translation>
    </message>
    <message>
        <source>The record &quot;%1&quot; is incomplete and cannot be printed. Nothing was printed.</source>
        <translation>The record &quot;%1&quot; is incomplete and cannot be printed. Nothing was printed.</translation>
    </message>
    <message>
        <source>%1 records are selected. Print a report for each of them?</source>
        <translation>%1 records are selected. Print a report for each of them?</translation>
    </message>
    <message>
        <source>The report was saved as &quot;%1&quot;.</source>
        <translation>The report was saved as &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>The language could not be saved: &quot;%1&quot; is not writable.</source>
        <translation>The language could not be saved: &quot;%1&quot; is not writable.</translation>
    </message>
</context>
<context>
    <name>PrintSettingDlg</name>
    <message>
        <source>Print</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Company Information</source>
        <translation>Company Information</translation>
    </message>
    <message>
        <source>Sample Information</source>
        <translation>Sample Information</translation>
    </message>
    <message>
        <source>Print to PDF</source>
        <translation>Print to PDF</translation>
    </message>
    <message>
        <source>Print to Paper</source>
        <translation>Print to Paper</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>The print information could not be saved for next time. The report is printed with it all the same.</source>
        <translation>The print information could not be saved for next time. The report is printed with it all the same.</translation>
    </message>
    <message>
        <source>Light quality page</source>
        <translation>Light quality page</translation>
    </message>
</context>
<context>
    <name>RecordComparison</name>
    <message>
        <source>Tcp in mired</source>
        <translation>Tcp in mired</translation>
    </message>
    <message>
        <source>Nearest Planckian Tcp (K)</source>
        <translation>Nearest Planckian Tcp (K)</translation>
    </message>
    <message>
        <source>Melanopic EDI (lx)</source>
        <translation>Melanopic EDI (lx)</translation>
    </message>
    <message>
        <source>Melanopic DER</source>
        <translation>Melanopic DER</translation>
    </message>
    <message>
        <source>Item</source>
        <translation>Item</translation>
    </message>
    <message>
        <source>Δ to first %1</source>
        <translation>Δ to first %1</translation>
    </message>
    <message>
        <source>Beyond threshold</source>
        <translation>Beyond threshold</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>yes</translation>
    </message>
    <message>
        <source>no</source>
        <translation>no</translation>
    </message>
</context>
</TS>
