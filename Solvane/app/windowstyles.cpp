#include "windowstyles.h"

namespace WindowStyle {

QString commandButton(const char* image, bool fileCommand)
{
    // The file commands and the information commands were styled apart; the
    // two texts differ only in spacing.
    const QString colour =
        fileCommand ? QStringLiteral("color: white;image:") : QStringLiteral("color:white; image:");
    return QStringLiteral("QPushButton{background-color: rgb(48,52,63); border: 0px solid "
                          "rgb(48,52,63); %1 url(:/images/%2); image-position: left; "
                          "padding-left: 15px;}QPushButton:hover{background-color: "
                          "rgb(71,141,228)}QPushButton:disabled{color: rgb(120,126,140);}")
        .arg(colour, QLatin1String(image));
}

QString headerButton(const char* colour, const char* hoverColour)
{
    return QStringLiteral("QPushButton{background-color: %1; border: 0px solid; color: white; "
                          "border-radius: 3px;}QPushButton:hover{background-color: %2;}"
                          "QPushButton:disabled{background-color: rgb(205,209,218);}")
        .arg(QLatin1String(colour), QLatin1String(hoverColour));
}

QString selector(const char* textColour, const char* background, const char* arrowImage)
{
    return QStringLiteral("QComboBox{color: %1; background-color: %2; border: 0px solid "
                          "rgb(255,255,255); padding-left: 10px;}QComboBox::drop-down{width: "
                          "10px; border: 1px; padding-right: 10px;}QComboBox::down-arrow{image: "
                          "url(:/images/%3);}QComboBox:disabled{color: rgb(160,168,184);}")
        .arg(QLatin1String(textColour), QLatin1String(background), QLatin1String(arrowImage));
}

QString table(bool indented)
{
    return QStringLiteral("QTableView{background-color: rgb(255,255,255); border: 0px solid; "
                          "color: rgb(127,138,153);%1}")
        .arg(indented ? QStringLiteral("padding-left: 10px;") : QString());
}

QString tableHeader()
{
    return QStringLiteral("QHeaderView::section{background-color: rgb(238,241,247); border: "
                          "0px solid rgb(170,170,170); color: rgb(127,138,153);font: bold 10pt "
                          "\"%1\";}")
        .arg(QStringLiteral("微软雅黑"));
}

QString scrollBar(bool minimumHandle)
{
    return QStringLiteral("QScrollBar{background-color: white;}QScrollBar::handle{background:"
                          "lightgray; border:2px solid transparent; border-radius:8px;%1}"
                          "QScrollBar::handle:hover{background:gray;}QScrollBar::sub-line{"
                          "background:transparent;}QScrollBar::add-line{background:transparent;}")
        .arg(minimumHandle ? QStringLiteral(" min-height: 16px;") : QString());
}

} // namespace WindowStyle
