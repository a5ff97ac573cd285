#pragma once

#include <QObject>
#include <QStringList>
#include <QVariantMap>

// The EDID decoder for the screens. Give it the EDID text the panel holds (hex digits, as in
// currentEDIDStr) and bind to its summary; it also says whether the EDID may safely go to a
// display and gives the text with its checksum bytes recomputed.
class EdidInspector : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText NOTIFY textChanged)
    Q_PROPERTY(QVariantMap summary READ summary NOTIFY summaryChanged)
    Q_PROPERTY(bool empty READ empty NOTIFY summaryChanged)
    Q_PROPERTY(bool valid READ valid NOTIFY summaryChanged)
    Q_PROPERTY(QStringList defects READ defects NOTIFY summaryChanged)

public:
    explicit EdidInspector(QObject *parent = nullptr);

    QString text() const { return _text; }
    void setText(const QString &text);
    QVariantMap summary() const { return _summary; }
    bool empty() const;
    bool valid() const;
    QStringList defects() const;

    // The summary of any EDID text: the keys of tessaro-edid --json, plus "size" (bytes),
    // "odd_digits", "length_ok", "header_ok", "extension_count_ok", "duplicate_vics" and
    // "checksums_ok"; "valid" also weighs an odd digit, and "defects" are sentences in the
    // language shown (context "EdidDefectDialog").
    Q_INVOKABLE static QVariantMap inspect(const QString &text);
    // True when the text holds an EDID that should not be sent or stored without asking:
    // a wrong header or block checksum, a length that is not whole blocks or not the blocks
    // the base block declares, a VIC listed twice, or an odd digit.
    Q_INVOKABLE static bool isDefective(const QString &text);
    // The same bytes with the checksum byte of every complete block recomputed, as text.
    Q_INVOKABLE static QString fixedText(const QString &text);
    // The text for reading: 16 bytes a line, lines broken only between bytes.
    Q_INVOKABLE static QString hexLines(const QString &text);

signals:
    void textChanged();
    void summaryChanged();

private:
    QString _text;
    QVariantMap _summary;
};
