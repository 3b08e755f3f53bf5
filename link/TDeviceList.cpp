#include "TDeviceList.h"

#include <algorithm>

namespace {

// Blanks and control characters, as trimmed off a name.
bool isTrimmed(QChar c) {
    return c.unicode() <= u' ';
}

} // namespace

QString TDeviceList::entry(const QString& serial, const QString& path) {
    return serial + u'=' + path;
}

QString TDeviceList::name(qsizetype index) const {
    const QString& e = m_entries.at(index);
    const qsizetype eq = e.indexOf(u'=');
    return eq < 0 ? e : e.left(eq);
}

QString TDeviceList::value(qsizetype index) const {
    const QString& e = m_entries.at(index);
    const qsizetype eq = e.indexOf(u'=');
    return eq < 0 ? QString() : e.mid(eq + 1);
}

QStringList TDeviceList::names() const {
    QStringList out;
    out.reserve(m_entries.size());
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        out.append(name(i));
    }
    return out;
}

void TDeviceList::add(const QString& serial, const QString& path) {
    m_entries.append(entry(serial, path));
}

bool TDeviceList::containsName(const QString& serial) const {
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        if (name(i).compare(serial, Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    return false;
}

bool TDeviceList::removeFirstWithValue(const QString& path) {
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        if (value(i).compare(path, Qt::CaseInsensitive) == 0) {
            m_entries.removeAt(i);
            return true;
        }
    }
    return false;
}

void TDeviceList::sort() {
    std::stable_sort(m_entries.begin(), m_entries.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
}

QString TDeviceList::firstUsableName() const {
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        const QString n = name(i);
        if (std::any_of(n.begin(), n.end(), [](QChar c) { return !isTrimmed(c); })) {
            return n;
        }
    }
    return {};
}
