#pragma once
// Work left for the end of a widget benchmark run: done after the last benchmark, while the
// application object still lives (windows kept across benchmarks are taken down here).

#include <functional>

namespace qj::bench {

void AtBenchEnd(std::function<void()> work);

} // namespace qj::bench
