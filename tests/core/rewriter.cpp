// Rewrites a large data file over and over, alternating between two contents, until it is killed.
// The crash-safety test kills it at random moments.
#include "core/store/datafile.h"

#include <QByteArray>
#include <QDir>
#include <QString>

#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[])
{
    if (argc != 3)
        return 2;
    QDir::setCurrent(QString::fromLocal8Bit(argv[1]));
    const qsizetype size = std::atoll(argv[2]);
    const QByteArray contents[2] = {QByteArray(size, 'A'), QByteArray(size, 'B')};
    zestora::DataFile file(QStringLiteral("Recipe.Dat"));
    for (unsigned n = 0;; ++n) {
        if (!file.replace({contents[n % 2]})) {
            std::fputs(qPrintable(file.errorString()), stderr);
            return 1;
        }
        if (n == 0) {
            std::puts("writing");
            std::fflush(stdout);
        }
    }
}
