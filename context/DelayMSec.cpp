#include "DelayMSec.h"

#include <QEventLoop>
#include <QTimer>

void Delay_MSec(unsigned int msec)
{
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(qMin<unsigned int>(msec, 0x7fffffffu)), &loop, &QEventLoop::quit);
    loop.exec();
}
