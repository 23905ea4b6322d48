#pragma once
// Times f called mal times; a call that returns false ends the benchmark,
// since its figures would mean nothing. The seconds taken.
#include <chrono>
#include <cstdio>
#include <cstdlib>

template <class F>
double Messe(const char* name, long mal, F&& f)
{
    const auto start = std::chrono::steady_clock::now();
    for (long i = 0; i < mal; ++i)
        if (!f()) {
            std::printf("%s failed at %ld\n", name, i);
            std::exit(1);
        }
    const std::chrono::duration<double> dauer = std::chrono::steady_clock::now() - start;
    return dauer.count();
}
