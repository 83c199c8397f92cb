#pragma once

// What the benchmark driver and the bare baseline window agree on.
constexpr const wchar_t* BENCH_BARE_TITLE = L"Bare window";
constexpr const wchar_t* BENCH_TIMER_ARGUMENT = L"timer";
