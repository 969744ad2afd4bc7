// Rewrites a data file with SIZE bytes. Without a third argument it rewrites over and over,
// alternating between two contents, until it is killed: the crash-safety test kills it at random
// moments. With "once" it rewrites once and reports failure in its exit code and on stderr.
#include "core/store/datafile.h"

#include <QByteArray>
#include <QDir>
#include <QString>

#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[])
{
    if (argc != 3 && argc != 4)
        return 2;
    QDir::setCurrent(QString::fromLocal8Bit(argv[1]));
    const qsizetype size = std::atoll(argv[2]);
    const bool once = argc == 4;
    const QByteArray contents[2] = {QByteArray(size, 'A'), QByteArray(size, 'B')};
    zestora::DataFile file(QStringLiteral("Recipe.Dat"));
    for (unsigned n = 0;; ++n) {
        if (!file.replace({contents[n % 2]})) {
            std::fputs(qPrintable(file.errorString()), stderr);
            return 1;
        }
        if (once)
            return 0;
        if (n == 0) {
            std::puts("writing");
            std::fflush(stdout);
        }
    }
}
