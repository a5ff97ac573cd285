#pragma once

#include <QObject>
#include <QString>

#include <cstdlib>

// Shared set-up of the fuzz targets.
namespace FuzzSupport {

// Once per process: an application object and no message output. With inScratchDir the
// working directory becomes a fresh temporary one (the context reads and writes
// "setting.data" there); libFuzzer then needs absolute corpus paths.
void init(bool inScratchDir = false);

// A file name in a temporary directory that lives as long as the process.
QString scratchFile(const QString &name);

// Whether every property of the object reads as a valid value of its declared type.
bool propertiesHoldTheirTypes(const QObject &object);

// Removes what a run left for an event loop the fuzzer never runs: objects whose
// deletion was deferred (links the context let go of) and pending single-shot timers.
void flushDeferredDeletes();

} // namespace FuzzSupport

// A failed property check; libFuzzer records the input that caused it.
#define FUZZ_CHECK(condition)                                                                                \
    do {                                                                                                     \
        if (!(condition)) {                                                                                  \
            qFatal("check failed: %s (%s:%d)", #condition, __FILE__, __LINE__);                              \
        }                                                                                                    \
    } while (false)
