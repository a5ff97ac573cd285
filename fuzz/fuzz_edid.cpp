// EDID text to bytes, and an EDID file loaded into the context and saved again.
#include "AppContext.h"
#include "EdidCodec.h"
#include "FuzzSupport.h"

#include <QFile>
#include <QUrl>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::init();
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));

    // As text: decoding never yields more than one byte per digit, and the text form of
    // the result decodes to the same bytes.
    const QByteArray decoded = EdidCodec::fromText(bytes);
    FUZZ_CHECK(decoded.size() <= bytes.size());
    FUZZ_CHECK(EdidCodec::fromText(EdidCodec::toText(decoded).toLatin1()) == decoded);

    // As a file: load then save reproduces the bytes.
    static AppContext *ctx = new AppContext;
    static const QString in = FuzzSupport::scratchFile(QStringLiteral("in.bin"));
    static const QString out = FuzzSupport::scratchFile(QStringLiteral("out.bin"));
    {
        QFile file(in);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    ctx->loadEDID_fromFile(QUrl::fromLocalFile(in).toString());
    ctx->saveEDID_toFile(QUrl::fromLocalFile(out).toString());
    QFile saved(out);
    FUZZ_CHECK(saved.open(QIODevice::ReadOnly));
    FUZZ_CHECK(saved.readAll() == bytes);
    saved.close();
    QFile::remove(out);
    return 0;
}
