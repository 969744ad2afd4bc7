#pragma once

#include <QHash>
#include <QList>
#include <QString>

#include <utility>

namespace zestora::paste {

// The foods a user chose before for the words of a line, kept in a small file of the data
// folder (the working directory), one "words, tab, food name" a line. Ing.dat is never touched.
class FoodChoices {
public:
    inline static const QString fileName = QStringLiteral("Food choices.txt");

    // Reads the file when there is one; an unreadable file leaves nothing remembered.
    void load();
    // The food chosen before for these food words, or an empty text.
    QString chosenFor(const QString& food) const;
    // A line's food words and the food chosen for them.
    using Choice = std::pair<QString, QString>;
    // Remembers the choices and rewrites the file crash-safely once for all of them (each rewrite
    // keeps a backup, and one Add must not push a day's backups out); false with errorString()
    // when the file could not be written, in which case the choices are still remembered for
    // this run.
    bool remember(const QList<Choice>& choices);
    const QString& errorString() const { return m_error; }

    static QString key(const QString& food);

private:
    QHash<QString, QString> m_chosen;
    QString m_error;
};

} // namespace zestora::paste
