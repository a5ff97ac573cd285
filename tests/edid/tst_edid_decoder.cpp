// The decoder on its own: checksum repair, malformed input, the JSON shape, fields the real
// dumps do not exercise, the panel's text face and the tessaro-edid exit status.
#include "EdidCodec.h"
#include "EdidDecoder.h"
#include "EdidInspector.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

namespace {

std::vector<uint8_t> readData(const QString &name)
{
    QFile f(QDir(TESSARO_EDID_DATA).filePath(name));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray b = f.readAll();
    return std::vector<uint8_t>(b.begin(), b.end());
}

QJsonObject jsonOf(const std::vector<uint8_t> &bytes)
{
    QJsonParseError error;
    const auto doc =
        QJsonDocument::fromJson(QByteArray::fromStdString(edid::toJson(edid::decode(bytes))), &error);
    if (error.error != QJsonParseError::NoError)
        qWarning() << "not JSON:" << error.errorString();
    return doc.object();
}

QStringList sortedKeys(const QJsonObject &o)
{
    QStringList k = o.keys();
    k.sort();
    return k;
}

QStringList sorted(QStringList l)
{
    l.sort();
    return l;
}

void setChecksum(std::vector<uint8_t> &bytes, std::size_t block)
{
    unsigned sum = 0;
    for (std::size_t i = block * 128; i < block * 128 + 127; ++i)
        sum += bytes[i];
    bytes[block * 128 + 127] = uint8_t(256 - (sum & 0xff));
}

// A base block, valid, with the given descriptor bytes in the first slot.
std::vector<uint8_t> baseWith(const std::vector<uint8_t> &descriptor, uint8_t version = 3)
{
    std::vector<uint8_t> b = readData(QStringLiteral("Toshiba-LCD090A-C2764AC23CCD.bin"));
    b.resize(128);
    b[19] = version;
    std::copy(descriptor.begin(), descriptor.end(), b.begin() + 54);
    setChecksum(b, 0);
    return b;
}

} // namespace

class TestEdid : public QObject
{
    Q_OBJECT
private slots:
    void fixRestoresCorruptedChecksums()
    {
        const std::vector<uint8_t> original = readData(QStringLiteral("Samsung-SAM0E3A-9E6CEF272EE1.bin"));
        QCOMPARE(original.size(), std::size_t(256));
        std::vector<uint8_t> broken = original;
        broken[127] ^= 0xff;
        broken[255] = 0;
        const auto info = edid::decode(broken);
        QVERIFY(!info.valid());
        QCOMPARE(info.blocks.size(), std::size_t(2));
        QCOMPARE(int(info.blocks[1].found), 0);
        QCOMPARE(int(info.blocks[1].expected), 0x90);
        QVERIFY(edid::fixChecksums(broken) == original);
        QVERIFY(edid::decode(edid::fixChecksums(broken)).valid());
    }

    void fixTouchesOnlyChecksumBytes()
    {
        std::vector<uint8_t> bytes = readData(QStringLiteral("Pioneer-PIO10C7-D18C45BE35FB.bin"));
        bytes[3] = 0x12; // a broken header stays broken
        bytes[200] ^= 0x40;
        bytes.push_back(0x77); // a partial block stays as it is
        const std::vector<uint8_t> fixed = edid::fixChecksums(bytes);
        QCOMPARE(fixed.size(), bytes.size());
        for (std::size_t i = 0; i < bytes.size(); ++i)
            if (i != 127 && i != 255)
                QCOMPARE(int(fixed[i]), int(bytes[i]));
        const auto info = edid::decode(fixed);
        QVERIFY(info.checksumsOk());
        QVERIFY(!info.headerOk);
        QVERIFY(!info.valid());
    }

    void malformedInputIsNotValid_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("0 bytes") << 0;
        QTest::newRow("1 byte") << 1;
        QTest::newRow("127 bytes") << 127;
        QTest::newRow("129 bytes") << 129;
        QTest::newRow("64 KiB") << 65536;
    }

    void malformedInputIsNotValid()
    {
        QFETCH(int, size);
        QRandomGenerator random(size + 13);
        std::vector<uint8_t> bytes(size);
        for (auto &b : bytes)
            b = uint8_t(random.bounded(256));
        if (size >= 8) // a real header, so decoding goes past it
            std::copy_n(readData(QStringLiteral("Pioneer-PIO10C7-D18C45BE35FB.bin")).begin(), 8,
                        bytes.begin());
        const auto info = edid::decode(bytes);
        QVERIFY(!info.valid());
        QVERIFY(!info.defects().empty());
        QCOMPARE(info.blocks.size(), std::size_t(size / 128));
        QCOMPARE(info.hasBase, size >= 128);
        const QJsonObject json = jsonOf(bytes);
        QCOMPARE(json.size(), 16);
        QCOMPARE(json.value("valid"), QJsonValue(false));
        QCOMPARE(json.value("defects").toArray().size(), int(info.defects().size()));
        QCOMPARE(json.value("blocks").toArray().size(), size / 128);
        QCOMPARE(json.value("manufacturer").isNull(), size < 128);
        QVERIFY(!edid::toText(info).empty());
        QVERIFY(!edid::decode(nullptr, 10).valid());
    }

    void randomExtensionBlocksDecodeSafely()
    {
        // Random CTA-861 blocks with right checksums: the data block walk must stay inside.
        QRandomGenerator random(861);
        std::vector<uint8_t> bytes = readData(QStringLiteral("Samsung-SAM0E3A-9E6CEF272EE1.bin"));
        for (int round = 0; round < 3000; ++round) {
            for (std::size_t i = 129; i < 255; ++i)
                bytes[i] = uint8_t(random.bounded(256));
            bytes[128] = 0x02;
            setChecksum(bytes, 1);
            const auto info = edid::decode(bytes);
            QVERIFY(info.checksumsOk());
            QCOMPARE(info.valid(), info.duplicateVics.empty());
            QVERIFY(info.cta.has_value());
            QVERIFY(!edid::toJson(info).empty());
        }
    }

    void jsonHasExactlyTheDocumentedKeys()
    {
        const QJsonObject o = jsonOf(readData(QStringLiteral("Samsung-SAM0E3A-9E6CEF272EE1.bin")));
        QCOMPARE(sortedKeys(o),
                 sorted({"manufacturer", "product_code", "serial_number", "week", "year", "edid_version",
                         "digital", "monitor_name", "monitor_serial", "preferred_timing", "range_limits",
                         "extension_count", "blocks", "cta", "valid", "defects"}) +
                     QStringList());
        QCOMPARE(o.value("valid"), QJsonValue(true));
        QCOMPARE(o.value("defects"), QJsonValue(QJsonArray()));
        QCOMPARE(sortedKeys(o.value("preferred_timing").toObject()),
                 sorted({"h_active", "v_active", "refresh_hz", "pixel_clock_mhz"}));
        QCOMPARE(sortedKeys(o.value("range_limits").toObject()),
                 sorted({"v_min_hz", "v_max_hz", "h_min_khz", "h_max_khz", "max_pixel_clock_mhz"}));
        const QJsonObject block = o.value("blocks").toArray().at(1).toObject();
        QCOMPARE(sortedKeys(block),
                 sorted({"index", "tag", "checksum_ok", "checksum_found", "checksum_expected"}));
        QCOMPARE(block.value("tag").toString(), QStringLiteral("0x02"));
        QCOMPARE(block.value("checksum_found").toString(), QStringLiteral("0x90"));
        const QJsonObject cta = o.value("cta").toObject();
        QCOMPARE(sortedKeys(cta), sorted({"revision", "audio", "speaker_allocation", "vics", "hdmi_vsdb",
                                          "hf_vsdb_max_tmds_mhz"}));
        QCOMPARE(sortedKeys(cta.value("audio").toArray().at(0).toObject()),
                 sorted({"format", "max_channels", "sample_rates_khz"}));
        QCOMPARE(sortedKeys(cta.value("vics").toArray().at(0).toObject()), sorted({"vic", "native"}));
        QCOMPARE(sortedKeys(cta.value("hdmi_vsdb").toObject()), sorted({"physical_address", "deep_color"}));
        QCOMPARE(o.value("edid_version").toString(), QStringLiteral("1.3"));
        QCOMPARE(o.value("serial_number").toInt(), 810699329);
        QCOMPARE(cta.value("hf_vsdb_max_tmds_mhz").toInt(), 600);
    }

    void baseBlockCorners()
    {
        // Week 0xff is a model year; a zero serial is absent; EDID 1.4 range offsets add 255.
        std::vector<uint8_t> range = {0, 0, 0, 0xfd, 0x0e, 40, 20, 10, 30, 60, 0x01, 0x0a};
        range.resize(18, 0x20);
        std::vector<uint8_t> b = baseWith(range, 4);
        b[12] = b[13] = b[14] = b[15] = 0;
        b[16] = 0xff;
        setChecksum(b, 0);
        QJsonObject o = jsonOf(b);
        QVERIFY(o.value("week").isNull());
        QVERIFY(o.value("serial_number").isNull());
        QVERIFY(o.value("preferred_timing").isNull());
        const QJsonObject r = o.value("range_limits").toObject();
        QCOMPARE(r.value("v_min_hz").toInt(), 40);
        QCOMPARE(r.value("v_max_hz").toInt(), 275);
        QCOMPARE(r.value("h_min_khz").toInt(), 265);
        QCOMPARE(r.value("h_max_khz").toInt(), 285);
        QCOMPARE(r.value("max_pixel_clock_mhz").toInt(), 600);

        // 1920x1080i at 60 Hz: the frame height and the field rate.
        const std::vector<uint8_t> interlaced = {0x01, 0x1d, 0x80, 0x18, 0x71, 0x1c, 0x16, 0x20, 0x58,
                                                 0x2c, 0x25, 0x00, 0xc4, 0x8e, 0x21, 0x00, 0x00, 0x9e};
        o = jsonOf(baseWith(interlaced));
        const QJsonObject t = o.value("preferred_timing").toObject();
        QCOMPARE(t.value("h_active").toInt(), 1920);
        QCOMPARE(t.value("v_active").toInt(), 1080);
        QCOMPARE(t.value("refresh_hz").toDouble(), 60.0);
        QCOMPARE(t.value("pixel_clock_mhz").toDouble(), 74.25);
    }

    void hdmiForumCapabilityBlock()
    {
        // The HDMI Forum data may come as an extended-tag sink capability block instead of a VSDB.
        std::vector<uint8_t> b = readData(QStringLiteral("Toshiba-LCD090A-C2764AC23CCD.bin"));
        b.resize(256, 0);
        b[126] = 1;
        setChecksum(b, 0);
        const std::vector<uint8_t> cta = {0x02, 0x03, 0x0c, 0x00, 0xe6, 0x79, 0x00, 0x00, 0x01, 0x78, 0x00};
        std::copy(cta.begin(), cta.end(), b.begin() + 128);
        setChecksum(b, 1);
        const QJsonObject c = jsonOf(b).value("cta").toObject();
        QCOMPARE(c.value("hf_vsdb_max_tmds_mhz").toInt(), 600);
        QVERIFY(c.value("hdmi_vsdb").isNull());
        QVERIFY(c.value("speaker_allocation").isNull());
        QCOMPARE(c.value("audio").toArray().size(), 0);
    }

    void inspectorReadsPanelText()
    {
        const std::vector<uint8_t> good = readData(QStringLiteral("Samsung-SAM0E3A-9E6CEF272EE1.bin"));
        const QString text = EdidCodec::toText(QByteArray(reinterpret_cast<const char *>(good.data()), 256));
        EdidInspector inspector;
        QSignalSpy changed(&inspector, &EdidInspector::summaryChanged);
        QVERIFY(inspector.empty());
        QVERIFY(!inspector.valid());
        inspector.setText(text.toUpper());
        QCOMPARE(changed.count(), 1);
        QVERIFY(inspector.valid());
        QCOMPARE(inspector.summary().value("manufacturer").toString(), QStringLiteral("SAM"));
        QCOMPARE(inspector.summary().value("size").toInt(), 256);

        QString broken = text;
        broken.replace(broken.size() - 2, 2, QStringLiteral("00"));
        QVERIFY(EdidInspector::isDefective(broken));
        QCOMPARE(EdidInspector::fixedText(broken), text);
        QVERIFY(!EdidInspector::isDefective(text));
        // An odd digit is a defect even though the bytes themselves could pass.
        QVERIFY(EdidInspector::isDefective(QStringLiteral("0") + text));
        QVERIFY(EdidInspector::inspect(QStringLiteral("0") + text).value("odd_digits").toBool());
        QVERIFY(EdidInspector::isDefective(QString()));
        QCOMPARE(EdidInspector::fixedText(QString()), QString());
        inspector.setText(broken);
        QCOMPARE(inspector.defects(), QStringList{"Block 1 has checksum 0x00, expected 0x90."});
    }

    void commandLineExitStatus_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        const QString data = TESSARO_EDID_DATA;
        QTest::newRow("valid") << QStringList{data + "/Pioneer-PIO10C7-D18C45BE35FB.bin"} << 0;
        QTest::newRow("valid json") << QStringList{"--json", data + "/Pioneer-PIO10C7-D18C45BE35FB.bin"} << 0;
        QTest::newRow("checksum") << QStringList{"--json", data + "/defect-cta-checksum.bin"} << 1;
        QTest::newRow("truncated") << QStringList{data + "/defect-truncated-200.bin"} << 1;
        QTest::newRow("four blocks, one declared")
            << QStringList{"--json", data + "/crafted-four-blocks.bin"} << 1;
        QTest::newRow("after --") << QStringList{"--", data + "/crafted-vic-twice.bin"} << 1;
        QTest::newRow("missing") << QStringList{"--json", data + "/no-such-file.bin"} << 2;
        QTest::newRow("directory") << QStringList{data} << 2;
        QTest::newRow("no file") << QStringList{"--json"} << 2;
        QTest::newRow("unknown option")
            << QStringList{"--jsn", data + "/Pioneer-PIO10C7-D18C45BE35FB.bin"} << 2;
        QTest::newRow("two files") << QStringList{data + "/defect-header.bin", data + "/defect-header.bin"}
                                   << 2;
    }

    void commandLineExitStatus()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QProcess p;
        p.start(TESSARO_EDID_BIN, args);
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), status);
        const QByteArray out = p.readAllStandardOutput();
        if (status == 2) {
            QVERIFY(out.isEmpty());
        } else if (args.contains("--json")) {
            QJsonParseError error;
            const QJsonDocument doc = QJsonDocument::fromJson(out, &error);
            QCOMPARE(error.error, QJsonParseError::NoError);
            QCOMPARE(doc.object().size(), 16);
            QCOMPARE(doc.object().value("valid").toBool(), status == 0);
        } else {
            QVERIFY(out.startsWith("EDID: "));
        }
    }

    // --help and --version answer on stdout with status 0, even beside a file name.
    void commandLineHelpAndVersion()
    {
        const QString file = QStringLiteral(TESSARO_EDID_DATA "/defect-header.bin");
        for (const QString &option : {QStringLiteral("--help"), QStringLiteral("--version")}) {
            QProcess p;
            p.start(TESSARO_EDID_BIN, {option, file});
            QVERIFY(p.waitForFinished(60000));
            QCOMPARE(p.exitCode(), 0);
            const QByteArray out = p.readAllStandardOutput();
            QVERIFY2(option == "--help" ? out.contains("usage: tessaro-edid") && out.contains("--json")
                                        : out == "tessaro-edid " TESSARO_VERSION "\n",
                     out.constData());
            QVERIFY(!out.contains("EDID:"));
        }
    }

    // Defects beyond checksums and length: the block count the base block declares, and a
    // VIC listed twice; each in the text, the JSON list and the panel's inspector alike.
    void blockCountAndDuplicateVics_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("defect");
        QTest::newRow("four blocks") << "crafted-four-blocks.bin"
                                     << "Extension blocks declared: 1, present: 3.";
        QTest::newRow("one video block") << "crafted-vic-twice.bin"
                                         << "VICs listed more than once: 16.";
        QTest::newRow("4:2:0 only and regular") << "crafted-vic-420-also-regular.bin"
                                                << "VICs listed more than once: 16.";
        QTest::newRow("two CTA blocks") << "crafted-vic-two-cta-blocks.bin"
                                        << "VICs listed more than once: 1 2 3 4 5 16 17 18 19 20 31.";
        // Codes 0 and 128 name no format: listing them twice is no defect.
        QTest::newRow("codes 0 and 128 twice") << "crafted-vic-zero-twice.bin"
                                               << "";
    }

    void blockCountAndDuplicateVics()
    {
        QFETCH(QString, file);
        QFETCH(QString, defect);
        const std::vector<uint8_t> bytes = readData(file);
        QVERIFY(!bytes.empty());
        const QStringList defects = defect.isEmpty() ? QStringList() : QStringList{defect};
        const auto info = edid::decode(bytes);
        QVERIFY(info.checksumsOk());
        QCOMPARE(info.valid(), defects.isEmpty());
        const QJsonObject json = jsonOf(bytes);
        QCOMPARE(json.value("valid"), QJsonValue(defects.isEmpty()));
        QCOMPARE(json.value("defects").toArray(), QJsonArray::fromStringList(defects));
        QCOMPARE(QString::fromStdString(edid::toText(info)).contains("  defect: " + defect + "\n"),
                 !defects.isEmpty());
        const QString text =
            EdidCodec::toText(QByteArray(reinterpret_cast<const char *>(bytes.data()), int(bytes.size())));
        QCOMPARE(EdidInspector::isDefective(text), !defects.isEmpty());
        QCOMPARE(EdidInspector::inspect(text).value("defects").toStringList(), defects);
    }

    void textNamesVicFormats()
    {
        const std::string text =
            edid::toText(edid::decode(readData(QStringLiteral("Pioneer-PIO10C7-D18C45BE35FB.bin"))));
        for (const char *line : {"    16 1920x1080p60 16:9\n", "    5 1920x1080i60 16:9\n",
                                 "    1 640x480p59.94 4:3\n", "    18 720x576p50 16:9\n"})
            QVERIFY2(text.find(line) != std::string::npos, line);
        // Native formats are marked; codes without a format say so.
        const std::string codes =
            edid::toText(edid::decode(readData(QStringLiteral("crafted-vic-codes.bin"))));
        QVERIFY(codes.find("    16 1920x1080p60 16:9 native\n") != std::string::npos);
        QVERIFY(codes.find("    193 5120x2160p120 64:27\n") != std::string::npos);
        QVERIFY(codes.find("    255 unknown\n") != std::string::npos);
    }

    // The panel shows EDID text 16 bytes a line and never breaks a byte.
    void hexLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("lines");
        QString bytes40, lines40;
        for (int i = 0; i < 40; ++i) {
            const QString b = QString::number(i + 0xa0, 16);
            bytes40 += (i ? " " : "") + b;
            lines40 += (i == 0 ? "" : i % 16 == 0 ? "\n" : " ") + b;
        }
        QTest::newRow("40 bytes") << bytes40 << lines40;
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("digits in a run") << QString(bytes40).remove(' ').toUpper() << lines40.toUpper();
        QTest::newRow("line breaks and tabs") << QString(bytes40).replace(' ', "\t\r\n") << lines40;
        QTest::newRow("odd digit: words kept") << "0 ff 1 2"
                                               << "0 ff 1 2";
    }

    void hexLines()
    {
        QFETCH(QString, text);
        QFETCH(QString, lines);
        QCOMPARE(EdidInspector::hexLines(text), lines);
    }
};

QTEST_GUILESS_MAIN(TestEdid)
#include "tst_edid_decoder.moc"
