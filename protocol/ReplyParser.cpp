// Reply side of the command adapter: framing and recognition of device replies.
#include "CommandAdapter.h"

#include "ReplySink.h"

void CommandAdapter::AnalyzeData(QByteArray &buffer)
{
    Q_UNUSED(buffer)
}

void CommandAdapter::analyzeCommand(QByteArray &line)
{
    Q_UNUSED(line)
}
