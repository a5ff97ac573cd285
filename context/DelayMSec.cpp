#include "DelayMSec.h"

#include <QEventLoop>
#include <QTimer>

namespace {
int g_depth = 0;
}

int Delay_MSecDepth()
{
    return g_depth;
}

void Delay_MSec(unsigned int msec)
{
    ++g_depth;
    struct Leave
    {
        ~Leave() { --g_depth; }
    } leave;
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(qMin<unsigned int>(msec, 0x7fffffffu)), &loop, &QEventLoop::quit);
    loop.exec();
}
