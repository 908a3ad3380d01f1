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
const std::array<int, 8> integers = {0, 7, -42, 1234, 99998, -123456, 2000000000, 31};
const std::array<double, 8> decimals = {0.5, 3.14159, -42.25, 1234.5678, 99998.1, -0.0625, 7.0, 123.456};

// Runs `step` on the values in turn.
template <typename Values, typename Step>
void in_turn(benchmark::State& state, const Values& values, Step step)
{
    std::size_t i = 0;
    for (auto _ : state)
        step(values[i++ % values.size()]);
}

char buffer[400];

void itoa_width_10(benchmark::State& state)
{
    in_turn(state, integers, [](int value) { benchmark::DoNotOptimize(itoa(value, 10)); });
}
BENCHMARK(itoa_width_10);

void snprintf_i_width_10(benchmark::State& state)
{
    in_turn(state, integers, [](int value) { benchmark::DoNotOptimize(std::snprintf(buffer, sizeof buffer, "%10i", value)); });
}
BENCHMARK(snprintf_i_width_10);

void dtoa_fixed(benchmark::State& state)
{
    in_turn(state, decimals, [](double value) { benchmark::DoNotOptimize(dtoa(value, 12, 3, zahl_fixkomma)); });
}
BENCHMARK(dtoa_fixed);

void snprintf_f(benchmark::State& state)
{
    in_turn(state, decimals,
             [](double value) { benchmark::DoNotOptimize(std::snprintf(buffer, sizeof buffer, "%-#12.3f", value)); });
}
BENCHMARK(snprintf_f);

void dtoa_exponential(benchmark::State& state)
{
    in_turn(state, decimals, [](double value) { benchmark::DoNotOptimize(dtoa(value, 12, 3, zahl_exponential)); });
}
BENCHMARK(dtoa_exponential);

void snprintf_e(benchmark::State& state)
{
    in_turn(state, decimals,
             [](double value) { benchmark::DoNotOptimize(std::snprintf(buffer, sizeof buffer, "%#12.3E", value)); });
}
BENCHMARK(snprintf_e);

const std::array<std::string, 8> texts = {"0.5", " 3.14159", "-42.25", "1234.5678 ",
                                          "99998.1", "-0.0625", "7", "123.456"};

void parse_with_string_zu_double(benchmark::State& state)
{
    in_turn(state, texts, [](const std::string& text) { benchmark::DoNotOptimize(string_zu_double(text)); });
}
BENCHMARK(parse_with_string_zu_double);

void parse_with_strtod(benchmark::State& state)
{
    in_turn(state, texts, [](const std::string& text) {
        char* stop = nullptr;
        benchmark::DoNotOptimize(std::strtod(text.c_str(), &stop));
        benchmark::DoNotOptimize(stop);
    });
}
BENCHMARK(parse_with_strtod);

}  // namespace
