#include "core/paste/formsleftout.h"

namespace zestora::paste {

FormsLeftOut::FormsLeftOut(const QByteArray& table)
{
    for (const QByteArray& row : table.split('\n')) {
        const QList<QByteArray> fields = row.trimmed().split('\t');
        if (fields.size() == 2 && !fields[1].trimmed().isEmpty())
            m_forms.insert(QString::fromUtf8(fields[0]).trimmed().toCaseFolded(),
                           QString::fromUtf8(fields[1]).trimmed());
    }
}

QByteArray FormsLeftOut::table(const QList<std::pair<QString, QString>>& foods)
{
    QByteArray bytes;
    for (const auto& [name, forms] : foods)
        if (!forms.isEmpty())
            bytes += name.toUtf8() + '\t' + forms.toUtf8() + '\n';
    return bytes;
}

QStringList FormsLeftOut::namesWithForms(QStringList names) const
{
    if (m_forms.isEmpty())
        return names;
    for (QString& name : names)
        if (const auto found = m_forms.constFind(name.toCaseFolded()); found != m_forms.cend())
            name += QStringLiteral(", ") + *found;
    return names;
}

} // namespace zestora::paste
