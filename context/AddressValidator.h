#pragma once

#include <QValidator>

// Input check of the device address box. Keeps out what can never become an address
// (a letter in a dotted quad, a second port) but never drops a keystroke that leaves
// address syntax: "192.168.1.256" stays as typed and is not acceptable, where refusing
// the last digit would have made it another address. Acceptable exactly when
// DeviceAddress::parse() takes the text.
class AddressValidator : public QValidator
{
    Q_OBJECT
public:
    explicit AddressValidator(QObject *parent = nullptr);

    State validate(QString &input, int &pos) const override;
};
