#pragma once

#include <QElapsedTimer>
#include <QTextStream>

#include <unistd.h>

namespace zestora {

// "Exporting recipes: 120 of 32767" on one line of a terminal, renewed a few times a second; a
// command whose error stream is no terminal shows none.
class ProgressLine {
public:
    ProgressLine(QTextStream& err, const char* doing)
        : m_err(err)
        , m_doing(doing)
        , m_shown(isatty(STDERR_FILENO) != 0)
    {
        m_sinceShown.start();
    }
    bool operator()(qsizetype done, qsizetype total)
    {
        if (!m_shown || total < 2 || (done < total && m_sinceShown.elapsed() < 100))
            return true;
        m_err << '\r' << m_doing << ": " << done << " of " << total << (done == total ? "\n" : "")
              << Qt::flush;
        m_sinceShown.restart();
        return true;
    }

private:
    QTextStream& m_err;
    const char* m_doing;
    bool m_shown;
    QElapsedTimer m_sinceShown;
};

} // namespace zestora
