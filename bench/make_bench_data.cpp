// Writes the largest data files the program allows into a folder, for timing the start-up.
#include "benchdata.h"

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fputs("usage: make_bench_data DIR\n", stderr);
        return 2;
    }
    zestora::bench::makeData(QString::fromLocal8Bit(argv[1]));
    return 0;
}
