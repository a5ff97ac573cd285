#include "EdidReference.h"

#include <QRegularExpression>
#include <QStringList>
#include <QVariantList>

namespace {

int indentOf(const QString &line)
{
    int n = 0;
    while (n < line.size() && line.at(n) == QLatin1Char(' '))
        ++n;
    return n;
}

QString tagOfBlock(const QString &name)
{
    if (name == QLatin1String("Base EDID"))
        return QStringLiteral("0x00");
    if (name == QLatin1String("CTA-861 Extension Block"))
        return QStringLiteral("0x02");
    static const struct
    {
        const char *prefix;
        const char *tag;
    } known[] = {{"Video Timing", "0x10"},        {"EDID 2.0", "0x20"},
                 {"Display Information", "0x40"}, {"Localized String", "0x50"},
                 {"Microdisplay", "0x60"},        {"DisplayID", "0x70"},
                 {"Block Map", "0xf0"},           {"Manufacturer-Specific", "0xff"}};
    for (const auto &k : known)
        if (name.startsWith(QLatin1String(k.prefix)))
            return QLatin1String(k.tag);
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("Extension Block 0x([0-9a-fA-F]{2})$")).match(name);
    return m.hasMatch() ? QStringLiteral("0x") + m.captured(1).toLower() : QStringLiteral("?") + name;
}

// edid-decode's names for the audio formats the summary names after their common use.
QString audioName(QString name)
{
    if (name == QLatin1String("Enhanced AC-3 (DD+)"))
        return QStringLiteral("E-AC-3");
    if (name == QLatin1String("MAT (MLP)"))
        return QStringLiteral("Dolby TrueHD");
    return name;
}

QVariant nullValue()
{
    return QVariant::fromValue(nullptr);
}

} // namespace

QVariantMap EdidReference::parse(const QByteArray &report)
{
    const QStringList lines = QString::fromUtf8(report).split(QLatin1Char('\n'));
    QVariantMap out;
    for (const char *key :
         {"manufacturer", "product_code", "serial_number", "week", "year", "edid_version", "digital",
          "monitor_name", "monitor_serial", "preferred_timing", "range_limits", "cta"})
        out.insert(QLatin1String(key), nullValue());
    out.insert(QStringLiteral("extension_count"), 0);

    QVariantList blocks;
    QVariantMap block;
    QVariantMap cta;
    bool inCta = false;   // inside the first CTA-861 block
    bool ctaDone = false; // the first CTA-861 block is over
    QString section;      // current two-space section of the block
    QVariantMap audio;    // audio format being read
    QVariantList audioList, vics;
    QStringList speakers, deepColor;
    QVariant physical = nullValue(), hfTmds = nullValue(), speakerAllocation = nullValue();
    bool expectFirstDescriptor = false;
    int speakerBlocks = 0;

    const auto flushAudio = [&]() {
        if (!audio.isEmpty())
            audioList.append(audio);
        audio.clear();
    };
    const auto finishCta = [&]() {
        if (!inCta)
            return;
        flushAudio();
        if (!speakers.isEmpty())
            speakerAllocation = speakers.join(QStringLiteral(", "));
        cta.insert(QStringLiteral("audio"), audioList);
        cta.insert(QStringLiteral("speaker_allocation"), speakerAllocation);
        cta.insert(QStringLiteral("vics"), vics);
        if (physical.isNull())
            cta.insert(QStringLiteral("hdmi_vsdb"), nullValue());
        else
            cta.insert(QStringLiteral("hdmi_vsdb"),
                       QVariantMap{{QStringLiteral("physical_address"), physical},
                                   {QStringLiteral("deep_color"), deepColor}});
        cta.insert(QStringLiteral("hf_vsdb_max_tmds_mhz"), hfTmds);
        out.insert(QStringLiteral("cta"), cta);
        inCta = false;
        ctaDone = true;
    };

    static const QRegularExpression blockRe(QStringLiteral("^Block (\\d+), (.*):$"));
    static const QRegularExpression checksumRe(
        QStringLiteral("^Checksum: 0x([0-9a-f]{2})(?: \\(should be 0x([0-9a-f]{2})\\))?"));
    static const QRegularExpression dtdRe(
        QStringLiteral("^DTD 1:\\s+(\\d+)x(\\d+)(i?)\\s+([\\d.]+) Hz.*?([\\d.]+) MHz"));
    static const QRegularExpression rangeRe(QStringLiteral(
        "Monitor ranges \\(.*\\): (\\d+)-(\\d+) Hz V, (\\d+)-(\\d+) kHz H(?:, max dotclock (\\d+) MHz)?"));
    static const QRegularExpression madeRe(QStringLiteral("^Made in: (?:week (\\d+) of )?(\\d+)$"));
    static const QRegularExpression textRe(QStringLiteral("^Display Product (Name|Serial Number): '(.*)'$"));
    static const QRegularExpression vicRe(QStringLiteral("VIC\\s+(\\d+)"));

    int blockIndex = -1;
    for (const QString &raw : lines) {
        const QString line = raw.trimmed();
        const int indent = indentOf(raw);
        const QRegularExpressionMatch bm = blockRe.match(raw);
        if (bm.hasMatch()) {
            finishCta();
            blockIndex = bm.captured(1).toInt();
            block = QVariantMap{{QStringLiteral("index"), blockIndex},
                                {QStringLiteral("tag"), tagOfBlock(bm.captured(2))}};
            if (bm.captured(2) == QLatin1String("CTA-861 Extension Block") && !ctaDone)
                inCta = true;
            section.clear();
            continue;
        }
        const QRegularExpressionMatch cm = checksumRe.match(raw);
        if (cm.hasMatch() && blockIndex >= 0) {
            const QString found = QStringLiteral("0x") + cm.captured(1);
            const QString expected = cm.captured(2).isEmpty() ? found : QStringLiteral("0x") + cm.captured(2);
            block.insert(QStringLiteral("checksum_found"), found);
            block.insert(QStringLiteral("checksum_expected"), expected);
            block.insert(QStringLiteral("checksum_ok"), found == expected);
            blocks.append(block);
            finishCta();
            blockIndex = -1;
            continue;
        }
        if (blockIndex < 0 || line.isEmpty())
            continue;
        if (indent == 2 && line.endsWith(QLatin1Char(':'))) {
            section = line;
            if (inCta && line == QLatin1String("Speaker Allocation Data Block:"))
                ++speakerBlocks; // the summary shows the first one
        }

        if (blockIndex == 0) {
            if (line.startsWith(QLatin1String("EDID Structure Version & Revision: ")))
                out.insert(QStringLiteral("edid_version"), line.section(QLatin1Char(' '), -1));
            else if (line.startsWith(QLatin1String("Manufacturer: ")))
                out.insert(QStringLiteral("manufacturer"), line.mid(14));
            else if (line.startsWith(QLatin1String("Model: ")))
                out.insert(QStringLiteral("product_code"), line.mid(7).toInt());
            else if (line.startsWith(QLatin1String("Serial Number: ")))
                out.insert(QStringLiteral("serial_number"), line.mid(15).toLongLong());
            else if (line.startsWith(QLatin1String("Model year: ")))
                out.insert(QStringLiteral("year"), line.mid(12).toInt());
            else if (line == QLatin1String("Digital display") || line == QLatin1String("Analog display"))
                out.insert(QStringLiteral("digital"), line.startsWith(QLatin1String("Digital")));
            else if (line.startsWith(QLatin1String("Extension blocks: ")))
                out.insert(QStringLiteral("extension_count"), line.mid(18).toInt());
            const QRegularExpressionMatch mm = madeRe.match(line);
            if (mm.hasMatch()) {
                out.insert(QStringLiteral("year"), mm.captured(2).toInt());
                if (!mm.captured(1).isEmpty())
                    out.insert(QStringLiteral("week"), mm.captured(1).toInt());
            }
            const QRegularExpressionMatch tm = textRe.match(line);
            if (tm.hasMatch()) {
                const QString key = tm.captured(1) == QLatin1String("Name")
                                        ? QStringLiteral("monitor_name")
                                        : QStringLiteral("monitor_serial");
                if (out.value(key).isNull())
                    out.insert(key, tm.captured(2).trimmed());
            }
            if (line == QLatin1String("Detailed Timing Descriptors:")) {
                expectFirstDescriptor = true;
                continue;
            }
            if (expectFirstDescriptor && indent == 4) {
                expectFirstDescriptor = false;
                const QRegularExpressionMatch dm = dtdRe.match(line);
                if (dm.hasMatch())
                    out.insert(QStringLiteral("preferred_timing"),
                               QVariantMap{{QStringLiteral("h_active"), dm.captured(1).toInt()},
                                           {QStringLiteral("v_active"), dm.captured(2).toInt()},
                                           {QStringLiteral("refresh_hz"), dm.captured(4).toDouble()},
                                           {QStringLiteral("pixel_clock_mhz"), dm.captured(5).toDouble()}});
            }
            const QRegularExpressionMatch rm = rangeRe.match(line);
            if (rm.hasMatch() && out.value(QStringLiteral("range_limits")).isNull())
                out.insert(QStringLiteral("range_limits"),
                           QVariantMap{{QStringLiteral("v_min_hz"), rm.captured(1).toInt()},
                                       {QStringLiteral("v_max_hz"), rm.captured(2).toInt()},
                                       {QStringLiteral("h_min_khz"), rm.captured(3).toInt()},
                                       {QStringLiteral("h_max_khz"), rm.captured(4).toInt()},
                                       {QStringLiteral("max_pixel_clock_mhz"),
                                        rm.captured(5).isEmpty() ? nullValue() : rm.captured(5).toInt()}});
            continue;
        }

        if (!inCta || indent < 2)
            continue;
        if (indent == 2 && line.startsWith(QLatin1String("Revision: ")))
            cta.insert(QStringLiteral("revision"), line.mid(10).toInt());
        if (section == QLatin1String("Audio Data Block:")) {
            if (indent == 4) {
                flushAudio();
                audio.insert(QStringLiteral("format"),
                             audioName(line.endsWith(QLatin1Char(':')) ? line.chopped(1) : line));
            } else if (indent == 6 && line.startsWith(QLatin1String("Max channels: "))) {
                audio.insert(QStringLiteral("max_channels"), line.mid(14).toInt());
            } else if (indent == 6 && line.startsWith(QLatin1String("Supported sample rates (kHz): "))) {
                QVariantList rates;
                for (const QString &r : line.mid(30).split(QLatin1Char(' '), Qt::SkipEmptyParts))
                    rates.append(r.toDouble());
                audio.insert(QStringLiteral("sample_rates_khz"), rates);
            }
        } else if (section == QLatin1String("Speaker Allocation Data Block:") && indent == 4 &&
                   speakerBlocks == 1) {
            speakers.append(line);
        } else if (section == QLatin1String("Video Data Block:") && indent == 4) {
            const QRegularExpressionMatch vm = vicRe.match(line);
            if (vm.hasMatch())
                vics.append(
                    QVariantMap{{QStringLiteral("vic"), vm.captured(1).toInt()},
                                {QStringLiteral("native"), line.endsWith(QLatin1String("(native)"))}});
        } else if (section.startsWith(QLatin1String("Vendor-Specific Data Block (HDMI), ")) && indent == 4 &&
                   physical.isNull() == false) {
            if (line.startsWith(QLatin1String("DC_")))
                deepColor.append(line);
        } else if (section.startsWith(QLatin1String("Vendor-Specific Data Block (HDMI Forum)")) ||
                   section.startsWith(QLatin1String("HDMI Forum Sink Capability Data Block"))) {
            if (line.startsWith(QLatin1String("Maximum TMDS Character Rate: ")) && hfTmds.isNull())
                hfTmds = line.mid(29).section(QLatin1Char(' '), 0, 0).toInt();
        }
        if (section.startsWith(QLatin1String("Vendor-Specific Data Block (HDMI), ")) && indent == 4 &&
            line.startsWith(QLatin1String("Source physical address: ")) && physical.isNull())
            physical = line.mid(25);
    }
    finishCta();
    out.insert(QStringLiteral("blocks"), blocks);
    return out;
}
