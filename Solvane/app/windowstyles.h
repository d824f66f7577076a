#pragma once

#include <QString>

// The window's style sheets, applied at start-up over the form's own.
namespace WindowStyle {

QString commandButton(const char* image, bool fileCommand);
QString headerButton(const char* colour, const char* hoverColour);
QString selector(const char* textColour, const char* background, const char* arrowImage);
QString table(bool indented);
QString tableHeader();
QString scrollBar(bool minimumHandle);

} // namespace WindowStyle
