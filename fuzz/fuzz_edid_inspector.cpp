// Any bytes as an EDID blob through the inspector: decoding, the summary in both forms
// and the checksum repair, which leaves every checksum right.
#include "EdidDecoder.h"
#include "FuzzSupport.h"

#include <QByteArray>
#include <QJsonDocument>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::init();
    const edid::Info info = edid::decode(data, size);
    const std::string json = edid::toJson(info);
    FUZZ_CHECK(QJsonDocument::fromJson(QByteArray::fromStdString(json)).isObject());
    (void)edid::toText(info);
    (void)info.defects();
    const std::vector<uint8_t> fixed = edid::fixChecksums(std::vector<uint8_t>(data, data + size));
    FUZZ_CHECK(fixed.size() == size);
    const edid::Info again = edid::decode(fixed);
    if (again.lengthOk)
        FUZZ_CHECK(again.checksumsOk());
    return 0;
}
