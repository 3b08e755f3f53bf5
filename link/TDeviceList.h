#pragma once

#include <QString>
#include <QStringList>

// The bridges present, one entry per device: its serial string, "=", its device path.
// The part before the first "=" is the entry's name, the rest its value.
class TDeviceList {
public:
    static QString entry(const QString& serial, const QString& path);

    const QStringList& entries() const { return m_entries; }
    qsizetype count() const { return m_entries.size(); }
    bool isEmpty() const { return m_entries.isEmpty(); }
    QString name(qsizetype index) const;
    QString value(qsizetype index) const;
    // The serial strings, in list order.
    QStringList names() const;

    void add(const QString& serial, const QString& path);
    void clear() { m_entries.clear(); }
    // Whether an entry has this name, ignoring case.
    bool containsName(const QString& serial) const;
    // Deletes the first entry whose value equals the path ignoring case; false if none.
    bool removeFirstWithValue(const QString& path);
    // Ascending over the whole entry text, ignoring case.
    void sort();
    // The first name, in list order, that is not blank once leading and trailing
    // blanks and control characters are cut; empty when there is none.
    QString firstUsableName() const;

private:
    QStringList m_entries;
};
