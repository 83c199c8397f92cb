#pragma once

// What the benchmark driver and the baseline windows (bare and floor) agree on.
#ifdef BENCH_FLOOR
constexpr const wchar_t* BENCH_WINDOW_TITLE = L"Floor window";
#else
constexpr const wchar_t* BENCH_WINDOW_TITLE = L"Bare window";
#endif
constexpr const wchar_t* BENCH_BARE_TITLE = L"Bare window";
constexpr const wchar_t* BENCH_FLOOR_TITLE = L"Floor window";
constexpr const wchar_t* BENCH_TIMER_ARGUMENT = L"timer";
constexpr const wchar_t* BENCH_BOX_ARGUMENT = L"box";
