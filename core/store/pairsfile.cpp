#include "core/store/pairsfile.h"

#include "core/store/datafile.h"

#include <QFile>

namespace zestora::pairsfile {

Pairs read(const QString& fileName)
{
    Pairs pairs;
    if (!QFile::exists(fileName))
        return pairs;
    DataFile file(fileName);
    const std::optional<QByteArray> bytes = file.readAll();
    if (!bytes)
        return pairs;
    for (const QByteArray& row : bytes->split('\n')) {
        const QString text = QString::fromUtf8(row).trimmed();
        const qsizetype tab = text.indexOf(u'\t');
        if (tab > 0)
            pairs.append({text.first(tab), text.sliced(tab + 1)});
    }
    return pairs;
}

bool write(const QString& fileName, const Pairs& pairs, QString* error)
{
    DataFile file(fileName);
    if (pairs.isEmpty()) {
        if (!QFile::exists(fileName) || file.remove())
            return true;
        *error = file.errorString();
        return false;
    }
    QByteArray bytes;
    for (const auto& [key, value] : pairs)
        bytes += key.toUtf8() + '\t' + value.toUtf8() + '\n';
    if (file.replace({bytes}))
        return true;
    *error = file.errorString();
    return false;
}

} // namespace zestora::pairsfile
