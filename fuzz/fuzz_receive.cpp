// Arbitrary device bytes, cut into arbitrary chunks, through the context's receive
// buffer and the reply parser, with a recording link standing in for the device.
#include "AppContext.h"
#include "FuzzSupport.h"
#include "ModelCatalogue.h"
#include "RecordingClientIO.h"

#include <QJsonArray>
#include <QJsonObject>

#include <fuzzer/FuzzedDataProvider.h>

namespace {

// The routing and output-state lists keep the shapes the screens read.
void checkLists(const AppContext &ctx)
{
    int outputs = 0;
    for (const QJsonValue &group : ctx.sws()) {
        FUZZ_CHECK(group.isObject());
        FUZZ_CHECK(group.toObject().value("in").isString());
        const QJsonValue out = group.toObject().value("out");
        FUZZ_CHECK(out.isArray());
        for (const QJsonValue &o : out.toArray())
            FUZZ_CHECK(o.isString());
        outputs += out.toArray().size();
    }
    FUZZ_CHECK(outputs <= ModelCatalogue::mostOutputs());
    FUZZ_CHECK(ctx.outputST().size() <= ModelCatalogue::mostOutputs());
    for (const QJsonValue &state : ctx.outputST()) {
        FUZZ_CHECK(state.toObject().value("index").isDouble());
        FUZZ_CHECK(state.toObject().value("isOpen").isBool() || state.toObject().value("isOpen").isDouble());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::init();
    FuzzedDataProvider input(data, size);
    {
        AppContext ctx;
        auto *link = new RecordingClientIO;
        ctx.attachLink(link);
        while (input.remaining_bytes() > 0) {
            // Chunk sizes come from the end of the input, the bytes from its front.
            const size_t chunk = input.ConsumeIntegralInRange<size_t>(1, 512);
            const std::string bytes = input.ConsumeBytesAsString(chunk);
            link->feed(QByteArray(bytes.data(), int(bytes.size())));
            FUZZ_CHECK(ctx.receiveBufferSize() <= AppContext::kMaxReceiveBuffer);
        }
        FUZZ_CHECK(FuzzSupport::propertiesHoldTheirTypes(ctx));
        checkLists(ctx);
        // The receive timer's discard leaves nothing behind.
        QMetaObject::invokeMethod(&ctx, "onRead_timerout");
        FUZZ_CHECK(ctx.receiveBufferSize() == 0);
    }
    FuzzSupport::flushDeferredDeletes();
    return 0;
}
