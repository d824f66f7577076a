#pragma once

// The report names Windows' families: "Calibri" for its text and "宋体" as the
// painter's first font. Off Windows they are mapped to fonts found here.
namespace ReportFonts {

enum class Han
{
    Simplified,
    Traditional
};

// Calibri becomes Carlito (the same metrics), with a Ming face for Chinese
// characters in the chosen writing standard. That face maps every glyph back
// to one character, so the text of a PDF report copies and searches as typed:
// Noto CJK shares its ideographs' glyphs with the Kangxi radicals, and a PDF
// writer names such a glyph by the first character that maps to it.
void install(Han han);

} // namespace ReportFonts
