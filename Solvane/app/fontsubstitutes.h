#pragma once

// The window and the report name Windows fonts ("微软雅黑", "宋体", "Calibri").
// Elsewhere they fall back to installed fonts of the same kind; on Windows
// nothing changes.
void installFontSubstitutes();
