#pragma once

#include <QMetaType>
#include <QString>

// Port and value text of the last pre-emphasis report.
class MyCustomType
{
    Q_GADGET
    Q_PROPERTY(int id MEMBER id)
    Q_PROPERTY(QString name MEMBER name)
public:
    MyCustomType() = default;
    MyCustomType(int id_, QString name_) : id(id_), name(std::move(name_)) {}

    bool operator==(const MyCustomType &o) const { return id == o.id && name == o.name; }
    bool operator!=(const MyCustomType &o) const { return !(*this == o); }

    int id = 0;
    QString name;
};

Q_DECLARE_METATYPE(MyCustomType)
