// Benchmarks of itoa, dtoa and string_zu_double against the single snprintf/strtod call they stand for.
#include "zahlen.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// Values of the kind a table column holds; each benchmark cycles through them
// so that no branch predictor learns one number.
const std::array<int, 8> ganze = {0, 7, -42, 1234, 99998, -123456, 2000000000, 31};
const std::array<double, 8> kommazahlen = {0.5, 3.14159, -42.25, 1234.5678, 99998.1, -0.0625, 7.0, 123.456};

void itoa_breite_10(benchmark::State& state)
{
    std::size_t i = 0;
    for (auto _ : state) {
        std::string text = itoa(ganze[i++ % ganze.size()], 10);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(itoa_breite_10);

void snprintf_i_breite_10(benchmark::State& state)
{
    std::size_t i = 0;
    char puffer[400];
    for (auto _ : state) {
        std::snprintf(puffer, sizeof puffer, "%10i", ganze[i++ % ganze.size()]);
        benchmark::DoNotOptimize(puffer);
    }
}
BENCHMARK(snprintf_i_breite_10);

void dtoa_fixkomma(benchmark::State& state)
{
    std::size_t i = 0;
    for (auto _ : state) {
        std::string text = dtoa(kommazahlen[i++ % kommazahlen.size()], 12, 3, zahl_fixkomma);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(dtoa_fixkomma);

void snprintf_f(benchmark::State& state)
{
    std::size_t i = 0;
    char puffer[400];
    for (auto _ : state) {
        std::snprintf(puffer, sizeof puffer, "%-#12.3f", kommazahlen[i++ % kommazahlen.size()]);
        benchmark::DoNotOptimize(puffer);
    }
}
BENCHMARK(snprintf_f);

void dtoa_exponential(benchmark::State& state)
{
    std::size_t i = 0;
    for (auto _ : state) {
        std::string text = dtoa(kommazahlen[i++ % kommazahlen.size()], 12, 3, zahl_exponential);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(dtoa_exponential);

void snprintf_e(benchmark::State& state)
{
    std::size_t i = 0;
    char puffer[400];
    for (auto _ : state) {
        std::snprintf(puffer, sizeof puffer, "%#12.3E", kommazahlen[i++ % kommazahlen.size()]);
        benchmark::DoNotOptimize(puffer);
    }
}
BENCHMARK(snprintf_e);

const std::array<std::string, 8> texte = {"0.5", " 3.14159", "-42.25", "1234.5678 ",
                                          "99998.1", "-0.0625", "7", "123.456"};

void string_zu_double_lesen(benchmark::State& state)
{
    std::size_t i = 0;
    for (auto _ : state) {
        const double wert = string_zu_double(texte[i++ % texte.size()]);
        benchmark::DoNotOptimize(wert);
    }
}
BENCHMARK(string_zu_double_lesen);

void strtod_lesen(benchmark::State& state)
{
    std::size_t i = 0;
    for (auto _ : state) {
        char* ende = nullptr;
        const double wert = std::strtod(texte[i++ % texte.size()].c_str(), &ende);
        benchmark::DoNotOptimize(wert);
        benchmark::DoNotOptimize(ende);
    }
}
BENCHMARK(strtod_lesen);

}  // namespace
