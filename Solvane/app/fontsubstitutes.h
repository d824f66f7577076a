#pragma once

// The window and the report name Windows fonts ("微软雅黑", "宋体", "Calibri").
// Elsewhere they fall back to installed fonts of the same kind, drawn to the
// Traditional Chinese standard when the language is 繁體中文 (index 1); on
// Windows nothing changes.
void installFontSubstitutes(int language);
