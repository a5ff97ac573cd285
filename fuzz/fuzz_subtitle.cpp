// Subtitle text of any UTF-16 code units escapes to one printable ASCII token without
// spaces, six characters per unit, that reads back as the same units.
#include "AppContext.h"
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::init();
    QString text;
    for (size_t i = 0; i + 1 < size; i += 2)
        text.append(QChar(ushort(data[i] | (data[i + 1] << 8))));
    const QString escaped = AppContext::stringToUnicode(text);
    FUZZ_CHECK(escaped.size() == 6 * text.size());
    for (const QChar c : escaped)
        FUZZ_CHECK(c.unicode() > 0x20 && c.unicode() < 0x7f);
    for (int k = 0; k < text.size(); ++k) {
        FUZZ_CHECK(escaped.midRef(6 * k, 2) == QLatin1String("\\u"));
        bool ok = false;
        FUZZ_CHECK(escaped.midRef(6 * k + 2, 4).toUShort(&ok, 16) == text.at(k).unicode() && ok);
    }
    return 0;
}
