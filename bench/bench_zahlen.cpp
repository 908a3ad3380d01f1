// Benchmarks of itoa, dtoa and string_zu_double against the single snprintf/strtod call they stand for.
#include "framework/text/zahlen.h"

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

// Runs `schritt` on the values in turn.
template <typename Werte, typename Schritt>
void im_kreis(benchmark::State& state, const Werte& werte, Schritt schritt)
{
    std::size_t i = 0;
    for (auto _ : state)
        schritt(werte[i++ % werte.size()]);
}

char puffer[400];

void itoa_breite_10(benchmark::State& state)
{
    im_kreis(state, ganze, [](int zahl) { benchmark::DoNotOptimize(itoa(zahl, 10)); });
}
BENCHMARK(itoa_breite_10);

void snprintf_i_breite_10(benchmark::State& state)
{
    im_kreis(state, ganze, [](int zahl) { benchmark::DoNotOptimize(std::snprintf(puffer, sizeof puffer, "%10i", zahl)); });
}
BENCHMARK(snprintf_i_breite_10);

void dtoa_fixkomma(benchmark::State& state)
{
    im_kreis(state, kommazahlen, [](double zahl) { benchmark::DoNotOptimize(dtoa(zahl, 12, 3, zahl_fixkomma)); });
}
BENCHMARK(dtoa_fixkomma);

void snprintf_f(benchmark::State& state)
{
    im_kreis(state, kommazahlen,
             [](double zahl) { benchmark::DoNotOptimize(std::snprintf(puffer, sizeof puffer, "%-#12.3f", zahl)); });
}
BENCHMARK(snprintf_f);

void dtoa_exponential(benchmark::State& state)
{
    im_kreis(state, kommazahlen, [](double zahl) { benchmark::DoNotOptimize(dtoa(zahl, 12, 3, zahl_exponential)); });
}
BENCHMARK(dtoa_exponential);

void snprintf_e(benchmark::State& state)
{
    im_kreis(state, kommazahlen,
             [](double zahl) { benchmark::DoNotOptimize(std::snprintf(puffer, sizeof puffer, "%#12.3E", zahl)); });
}
BENCHMARK(snprintf_e);

const std::array<std::string, 8> texte = {"0.5", " 3.14159", "-42.25", "1234.5678 ",
                                          "99998.1", "-0.0625", "7", "123.456"};

void string_zu_double_lesen(benchmark::State& state)
{
    im_kreis(state, texte, [](const std::string& text) { benchmark::DoNotOptimize(string_zu_double(text)); });
}
BENCHMARK(string_zu_double_lesen);

void strtod_lesen(benchmark::State& state)
{
    im_kreis(state, texte, [](const std::string& text) {
        char* ende = nullptr;
        benchmark::DoNotOptimize(std::strtod(text.c_str(), &ende));
        benchmark::DoNotOptimize(ende);
    });
}
BENCHMARK(strtod_lesen);

}  // namespace
