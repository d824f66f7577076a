#pragma once

#include <QStringList>

// The company and sample texts of the test report, kept in the file
// "PrintInfo" in the working directory: company name, address, telephone,
// fax, e-mail, sample name, sample model, remark, one a line.
namespace PrintInfo {

constexpr int lineCount = 8;

QString fileName();
// Exactly eight texts, missing lines empty; false when the file cannot be read.
bool read(QStringList* lines, const QString& path = fileName());
// False when the file could not be written in full; it then stays as it was.
// A line break inside a text becomes a space, so that every text keeps its line.
bool write(const QStringList& lines);

} // namespace PrintInfo
