// Device addresses as typed into the Setting screen: what is connected to, what the footer
// shows, and what the address box lets through while typing.
#include "AddressValidator.h"
#include "DeviceAddress.h"

#include <QtTest>

class TstAddress : public QObject
{
    Q_OBJECT
private slots:
    void parse_data();
    void parse();
    void display();
    void boxKeepsEveryAddressKeystroke_data();
    void boxKeepsEveryAddressKeystroke();
};

void TstAddress::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("port");

    QTest::newRow("dotted quad") << "192.168.1.50" << true << "192.168.1.50" << 8080;
    QTest::newRow("with port") << "127.0.0.1:9000" << true << "127.0.0.1" << 9000;
    QTest::newRow("blanks around") << " 10.0.0.1:23 " << true << "10.0.0.1" << 23;
    QTest::newRow("host name") << "switcher.local" << true << "switcher.local" << 8080;
    QTest::newRow("host name, port") << "localhost:8081" << true << "localhost" << 8081;
    QTest::newRow("IPv6 in brackets") << "[::1]:8080" << true << "::1" << 8080;
    QTest::newRow("bare IPv6") << "::1" << true << "::1" << 8080;

    QTest::newRow("empty") << "" << false << "" << 0;
    QTest::newRow("unfinished") << "192.168.1." << false << "" << 0;
    QTest::newRow("octet over 255") << "127.0.0.256" << false << "" << 0;
    QTest::newRow("leading zero") << "010.0.0.1" << false << "" << 0;
    QTest::newRow("port zero") << "10.0.0.1:0" << false << "" << 0;
    QTest::newRow("port over 65535") << "10.0.0.1:65536" << false << "" << 0;
    QTest::newRow("colon, no port") << "10.0.0.1:" << false << "" << 0;
    QTest::newRow("two ports") << "10.0.0.1:80:90" << false << "" << 0;
    QTest::newRow("unclosed bracket") << "[::1:8080" << false << "" << 0;
    QTest::newRow("IPv4 in brackets") << "[10.0.0.1]:80" << false << "" << 0;
    QTest::newRow("space inside") << "switcher local" << false << "" << 0;
}

void TstAddress::parse()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(QString, host);
    QFETCH(int, port);
    const DeviceAddress address = DeviceAddress::parse(text);
    QCOMPARE(address.valid, valid);
    if (valid) {
        QCOMPARE(address.host, host);
        QCOMPARE(int(address.port), port);
    }
}

void TstAddress::display()
{
    QCOMPARE(DeviceAddress::display("192.168.1.50"), QString("192.168.1.50:8080"));
    QCOMPARE(DeviceAddress::display("192.168.1.50:9000"), QString("192.168.1.50:9000"));
    QCOMPARE(DeviceAddress::display("[::1]"), QString("[::1]:8080"));
    // What is no address is shown as typed, never as some other address.
    QCOMPARE(DeviceAddress::display("127.0.0.1:90000"), QString("127.0.0.1:90000"));
}

void TstAddress::boxKeepsEveryAddressKeystroke_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("state");
    const int invalid = QValidator::Invalid, partial = QValidator::Intermediate, ok = QValidator::Acceptable;
    QTest::newRow("empty") << "" << partial;
    QTest::newRow("typing a quad") << "192.168." << partial;
    QTest::newRow("octet over 255") << "192.168.1.256" << partial;
    QTest::newRow("colon of a port") << "127.0.0.1:" << partial;
    QTest::newRow("port") << "127.0.0.1:9000" << ok;
    QTest::newRow("port too high") << "127.0.0.1:90000" << partial;
    QTest::newRow("IPv6") << "[::1]:8080" << ok;
    QTest::newRow("host name") << "switcher.local:9000" << ok;
    QTest::newRow("letter in a quad") << "192.168.1.x" << invalid;
    QTest::newRow("second port") << "127.0.0.1:80:" << invalid;
    QTest::newRow("blank") << " 10.0.0.1" << invalid;
}

void TstAddress::boxKeepsEveryAddressKeystroke()
{
    QFETCH(QString, text);
    QFETCH(int, state);
    AddressValidator validator;
    int pos = text.size();
    QCOMPARE(int(validator.validate(text, pos)), state);
}

QTEST_GUILESS_MAIN(TstAddress)
#include "tst_address.moc"
