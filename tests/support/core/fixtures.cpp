#include "fixtures.h"

namespace {
LogRecorder* current = nullptr;

void record(QtMsgType, const QMessageLogContext&, const QString& text)
{
    if (current)
        current->lines << text;
}
} // namespace

LogRecorder::LogRecorder() : before(current), handlerBefore(qInstallMessageHandler(record))
{
    current = this;
}

LogRecorder::~LogRecorder()
{
    current = before;
    qInstallMessageHandler(handlerBefore);
}
